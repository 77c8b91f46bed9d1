// FontList and the enumeration phases that fill the face lists of the dialog.
#include "dialog/FontList.h"

#include <algorithm>

namespace vx {
namespace {

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool SameFaceName(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

bool FontList::Contains(const std::string& face) const {
  return std::any_of(names_.begin(), names_.end(), [&](const std::string& n) { return SameFaceName(n, face); });
}

void FontList::CollectTrueTypeFace(const FaceReport& report) {
  // Raster, vector and device fonts, and any type with a further bit, stay out.
  if (report.fontType != kTrueTypeFontType) return;
  if (report.face.empty() || Contains(report.face)) return;
  names_.push_back(report.face);
}

std::vector<std::string> CollectFaces(const std::vector<std::string>& names, int charset,
                                      const FaceEnumeration& enumerate, const std::function<void()>& step) {
  FontList list;
  for (const std::string& name : names) {
    if (enumerate) {
      for (const FaceReport& report : enumerate(name, charset)) list.CollectTrueTypeFace(report);
    }
    if (step) step();
  }
  return list.Names();
}

}  // namespace vx
