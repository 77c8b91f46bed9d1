// Inserting a palette symbol into the rich-text box: space, symbol, space, with the caret format restored.
#include "dialog/SymbolInsertion.h"

namespace vx {
namespace {

// Puts the caret format's face and charset back when the insertion ends,
// however it ends.
class CaretFormatRestorer {
 public:
  explicit CaretFormatRestorer(SymbolInsertionTarget& target)
      : target_(target), face_(target.CaretFace()), charset_(target.CaretCharset()) {}
  ~CaretFormatRestorer() {
    try {
      target_.SetCaretFaceAndCharset(face_, charset_);
    } catch (...) {
      // Nothing more can be done from a destructor; the first failure, if
      // any, is the one the caller sees.
    }
  }
  CaretFormatRestorer(const CaretFormatRestorer&) = delete;
  CaretFormatRestorer& operator=(const CaretFormatRestorer&) = delete;

 private:
  SymbolInsertionTarget& target_;
  std::string face_;
  CharSet charset_;
};

}  // namespace

void InsertSymbol(SymbolInsertionTarget& target, int code, const std::string& symbolFace,
                  CharSet symbolCharset) {
  // Selected text is never replaced: the symbol goes in front of it.
  target.Select(target.SelStart(), 0);
  CaretFormatRestorer restorer(target);
  target.ReplaceSelection(u" ");
  const int between = target.SelStart();
  target.ReplaceSelection(u" ");
  target.Select(between, 0);
  target.SetCaretFaceAndCharset(symbolFace, symbolCharset);
  target.ReplaceSelection(std::u16string(1, static_cast<char16_t>(code & 0xFF)));
  target.Select(target.SelStart() + 1, 0);  // behind the second space
}

}  // namespace vx
