// Inserting a palette symbol into the rich-text box: space, symbol, space, with the caret format restored.
#pragma once

#include <string>

#include "richtext/StyledText.h"

namespace vx {

// What inserting a symbol needs of the rich-text box. Positions count a line
// break as one place; the format at the caret is the one the next inserted
// text receives.
class SymbolInsertionTarget {
 public:
  virtual ~SymbolInsertionTarget() = default;
  virtual int SelStart() const = 0;
  // Makes the selection [start, start + length); length 0 puts the caret.
  virtual void Select(int start, int length) = 0;
  // Replaces the selection by text (at an empty selection: inserts at the
  // caret, which then stands behind it), in the format at the caret.
  virtual void ReplaceSelection(const std::u16string& text) = 0;
  virtual std::string CaretFace() const = 0;
  virtual CharSet CaretCharset() const = 0;
  // Sets only the face name and character set of the format at the caret.
  virtual void SetCaretFaceAndCharset(const std::string& face, CharSet charset) = 0;
};

// The palette's insertion: collapses the selection to its start, inserts a
// space, the character whose code is code (32..255, taken as that character
// number) in the symbol face and charset, and a space, leaves the caret
// behind the second space, and sets the caret format's face and charset back
// to what they were, also when a step fails (the failure then goes on to the
// caller). Size, weight and slant of the symbol come from the caret format.
void InsertSymbol(SymbolInsertionTarget& target, int code, const std::string& symbolFace,
                  CharSet symbolCharset);

}  // namespace vx
