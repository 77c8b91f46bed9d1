// Double-byte code pages: the table of user-defined characters agrees with the system's converter (iconv).
#include <gtest/gtest.h>
#include <iconv.h>

#include <string_view>

#include "richtext/DoubleByteCodePages.h"

namespace vx {
namespace {

// Where the system converter maps a user-defined block itself, the table
// gives the same character for every pair of the block.
TEST(DoubleByteUserDefined, AgreesWithTheSystemConverter) {
  struct Block {
    const char* converter;
    unsigned leadFirst, leadLast, trailFirst, trailLast;
  };
  const Block blocks[] = {{"CP932", 0xF0, 0xF9, 0x40, 0xFC}, {"CP950", 0xC6, 0xC8, 0x40, 0xFE}};
  for (const Block& block : blocks) {
    iconv_t cd = iconv_open("UTF-16LE", block.converter);
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1)) << block.converter;
    int compared = 0;
    for (unsigned lead = block.leadFirst; lead <= block.leadLast; ++lead) {
      for (unsigned trail = block.trailFirst; trail <= block.trailLast; ++trail) {
        char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        char out[8];
        char* inPtr = in;
        char* outPtr = out;
        std::size_t inLeft = 2;
        std::size_t outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || outLeft != 6) continue;
        const auto system = static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                                  (static_cast<unsigned char>(out[1]) << 8));
        if (system < 0xE000 || system > 0xF8FF) continue;  // a standard character in this row
        const RefusedCharacter ours = ReadRefusedCharacter(block.converter, std::string_view(in, 2));
        EXPECT_EQ(ours.length, 2u);
        EXPECT_EQ(ours.unit, system) << block.converter << std::hex << " " << lead << " " << trail;
        ++compared;
      }
    }
    EXPECT_GT(compared, 300) << block.converter;
    iconv_close(cd);
  }
}

}  // namespace
}  // namespace vx
