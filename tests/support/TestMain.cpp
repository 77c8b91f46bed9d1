// The main of every test program: the environment CTest gives the tests (tests/CMakeLists.txt,
// VX_TEST_ENV), set here where it is not set already, so that a test program started by hand
// runs with the test fonts, the offscreen display platform and a settings folder of the build's own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// "NAME=value" lines, compiled in from the build's test environment.
constexpr const char* kTestEnvironment[] = {
#include "TestEnvironment.inc"
    nullptr};

void SetUnsetVariables() {
  for (const char* const* setting = kTestEnvironment; *setting != nullptr; ++setting) {
    const std::string text = *setting;
    const std::size_t equals = text.find('=');
    const std::string name = text.substr(0, equals);
    if (equals == std::string::npos || std::getenv(name.c_str()) != nullptr) continue;
#ifdef _WIN32
    _putenv_s(name.c_str(), text.c_str() + equals + 1);
#else
    ::setenv(name.c_str(), text.c_str() + equals + 1, 0);
#endif
  }
}

}  // namespace

int main(int argc, char** argv) {
  SetUnsetVariables();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
