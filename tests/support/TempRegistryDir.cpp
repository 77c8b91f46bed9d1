// A settings store of a test's own: VEXOGLYPH_REGISTRY_DIR names a fresh empty folder while the object lives.
#include "tests/support/TempRegistryDir.h"

#include <cstdlib>

namespace vx::test {

TempRegistryDir::TempRegistryDir() {
  if (const char* old = std::getenv("VEXOGLYPH_REGISTRY_DIR")) {
    hadPrevious_ = true;
    previous_ = old;
  }
  ::setenv("VEXOGLYPH_REGISTRY_DIR", path().c_str(), 1);
}

TempRegistryDir::~TempRegistryDir() {
  if (hadPrevious_) {
    ::setenv("VEXOGLYPH_REGISTRY_DIR", previous_.c_str(), 1);
  } else {
    ::unsetenv("VEXOGLYPH_REGISTRY_DIR");
  }
}

}  // namespace vx::test
