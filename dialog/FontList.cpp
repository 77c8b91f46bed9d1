// The face lists of the dialog: the names the platform accepts, each once, in their order.
#include "dialog/FontList.h"

#include <algorithm>

namespace vx {
namespace {

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool Contains(const std::vector<std::string>& names, const std::string& face) {
  return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return SameFaceName(n, face); });
}

}  // namespace

bool SameFaceName(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

std::vector<std::string> CollectFaces(const std::vector<std::string>& names, const FaceTest& accepts,
                                      const std::function<void()>& step) {
  std::vector<std::string> faces;
  for (const std::string& name : names) {
    if (accepts && accepts(name) && !name.empty() && !Contains(faces, name)) faces.push_back(name);
    if (step) step();
  }
  return faces;
}

}  // namespace vx
