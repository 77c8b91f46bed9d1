// Double-byte code pages: the table of user-defined characters agrees with the system's converter (MultiByteToWideChar).
#include <gtest/gtest.h>

#include <windows.h>

#include <string_view>

#include "richtext/DoubleByteCodePages.h"

namespace vx {
namespace {

// Where the system converter maps a user-defined block itself, the table
// gives the same character for every pair of the block.
TEST(DoubleByteUserDefined, AgreesWithTheSystemConverter) {
  struct Block {
    const char* converter;
    UINT codePage;
    unsigned leadFirst, leadLast, trailFirst, trailLast;
  };
  const Block blocks[] = {{"CP932", 932, 0xF0, 0xF9, 0x40, 0xFC}, {"CP950", 950, 0xC6, 0xC8, 0x40, 0xFE}};
  for (const Block& block : blocks) {
    int compared = 0;
    for (unsigned lead = block.leadFirst; lead <= block.leadLast; ++lead) {
      for (unsigned trail = block.trailFirst; trail <= block.trailLast; ++trail) {
        const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        wchar_t out[2];
        if (MultiByteToWideChar(block.codePage, MB_ERR_INVALID_CHARS, in, 2, out, 2) != 1) continue;
        const auto system = static_cast<char16_t>(out[0]);
        if (system < 0xE000 || system > 0xF8FF) continue;  // a standard character in this row
        const RefusedCharacter ours = ReadRefusedCharacter(block.converter, std::string_view(in, 2));
        EXPECT_EQ(ours.length, 2u);
        EXPECT_EQ(ours.unit, system) << block.converter << std::hex << " " << lead << " " << trail;
        ++compared;
      }
    }
    EXPECT_GT(compared, 300) << block.converter;
  }
}

}  // namespace
}  // namespace vx
