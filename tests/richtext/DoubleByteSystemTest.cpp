// Double-byte code pages: the table of user-defined characters agrees with the system's converter.
#include <gtest/gtest.h>

#include <string_view>

#include "SystemConverter.h"
#include "richtext/DoubleByteCodePages.h"

namespace vx {
namespace {

// Where the system converter maps a user-defined block itself, the table
// gives the same character for every pair of the block.
TEST(DoubleByteUserDefined, AgreesWithTheSystemConverter) {
  struct Block {
    const char* converter;
    unsigned codePage;
    unsigned leadFirst, leadLast, trailFirst, trailLast;
  };
  const Block blocks[] = {{"CP932", 932, 0xF0, 0xF9, 0x40, 0xFC}, {"CP950", 950, 0xC6, 0xC8, 0x40, 0xFE}};
  for (const Block& block : blocks) {
    ASSERT_TRUE(SystemCharacter(block.converter, block.codePage, "A")) << block.converter;
    int compared = 0;
    for (unsigned lead = block.leadFirst; lead <= block.leadLast; ++lead) {
      for (unsigned trail = block.trailFirst; trail <= block.trailLast; ++trail) {
        const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        const std::optional<char16_t> system = SystemCharacter(block.converter, block.codePage, std::string_view(in, 2));
        if (!system || *system < 0xE000 || *system > 0xF8FF) continue;  // refused, or a standard character
        const RefusedCharacter ours = ReadRefusedCharacter(block.converter, std::string_view(in, 2));
        EXPECT_EQ(ours.length, 2u);
        EXPECT_EQ(ours.unit, *system) << block.converter << std::hex << " " << lead << " " << trail;
        ++compared;
      }
    }
    EXPECT_GT(compared, 300) << block.converter;
  }
}

}  // namespace
}  // namespace vx
