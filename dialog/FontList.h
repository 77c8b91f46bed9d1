// The font catalogue's two phases: TrueType faces of the display list, then those with a symbol set.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vx {

// One report of the platform's font enumeration for a requested face.
struct FaceReport {
  std::string face;  // the face name as the enumeration spells it
  int fontType = 0;  // kTrueTypeFontType for a TrueType outline face, nothing else added
};

inline constexpr int kTrueTypeFontType = 4;
inline constexpr int kDefaultCharset = 1;  // every character set
inline constexpr int kSymbolCharset = 2;

// The platform's enumeration: the reports for one face name in one character
// set (kDefaultCharset or kSymbolCharset).
using FaceEnumeration = std::function<std::vector<FaceReport>(const std::string& face, int charset)>;

// The module-level list the enumeration callback fills: insertion order,
// each name once, compared without regard to case.
class FontList {
 public:
  // The enumeration callback: keeps a TrueType report's face once.
  void CollectTrueTypeFace(const FaceReport& report);
  bool Contains(const std::string& face) const;
  const std::vector<std::string>& Names() const { return names_; }
  void Clear() { names_.clear(); }

 private:
  std::vector<std::string> names_;
};

// Asks the enumeration for each name in order, in the given character set,
// and returns the TrueType faces it reported, each once (spelled as first
// reported). step runs after each name.
std::vector<std::string> CollectFaces(const std::vector<std::string>& names, int charset,
                                      const FaceEnumeration& enumerate, const std::function<void()>& step);

// Equal without regard to ASCII letter case.
bool SameFaceName(const std::string& a, const std::string& b);

}  // namespace vx
