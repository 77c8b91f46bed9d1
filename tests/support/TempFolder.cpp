// A fresh empty folder for a test, removed with everything in it at the end.
#include "tests/support/TempFolder.h"

#include <random>
#include <stdexcept>

namespace vx::test {
namespace fs = std::filesystem;

// A name no other test program running beside this one takes: made afresh
// until one is free.
TempFolder::TempFolder() {
  const fs::path temp = fs::temp_directory_path();
  std::random_device random;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const fs::path candidate = temp / ("vexoglyph-test-" + std::to_string(random()));
    if (!fs::create_directory(candidate)) continue;
    fs::permissions(candidate, fs::perms::owner_all);  // for this user only
    folder_ = candidate;
    const std::u8string utf8 = candidate.generic_u8string();
    path_.assign(utf8.begin(), utf8.end());
    return;
  }
  throw std::runtime_error("cannot make a temporary folder");
}

// Folders and files a test made read-only are opened up again so that all
// can go (Windows removes no read-only file).
TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ignored);
  for (auto it = fs::recursive_directory_iterator(folder_, ignored); !ignored && it != fs::recursive_directory_iterator();
       it.increment(ignored)) {
    std::error_code unopened;  // what cannot be opened up is left to remove_all
    if (it->is_symlink(unopened)) continue;
    if (it->is_directory(unopened)) {
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, unopened);
    } else if (it->is_regular_file(unopened)) {
      fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, unopened);
    }
  }
  fs::remove_all(folder_, ignored);
}

}  // namespace vx::test
