// The face lists of the dialog: the names the platform accepts, each once, in their order.
#include "dialog/FontList.h"

#include <algorithm>

#include "platform/Utf.h"

namespace vx {
namespace {

bool Contains(const std::vector<std::string>& names, const std::string& face) {
  return std::any_of(names.begin(), names.end(),
                     [&](const std::string& n) { return EqualIgnoringAsciiCase(n, face); });
}

}  // namespace

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
