// A limit on the size of files the test process writes: Windows has none to set.
#include "tests/support/FileSizeLimit.h"

namespace vx::test {

FileSizeLimit::FileSizeLimit(long /*bytes*/) {}

FileSizeLimit::~FileSizeLimit() = default;

std::string FileSizeLimit::why() const {
  return "Windows has no per-process file size limit, so no write can be made to fail part way";
}

}  // namespace vx::test
