// The name of a save's temporary file beside its target.
#include "platform/TemporaryName.h"

#include <random>
#include <string_view>

namespace vx {

std::string FreshTemporaryName(const std::string& target) {
  static constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> letter(0, kLetters.size() - 1);
  std::string name = target + ".";
  for (int i = 0; i < 6; ++i) name.push_back(kLetters[letter(random)]);
  return name;
}

}  // namespace vx
