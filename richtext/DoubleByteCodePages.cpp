// Double-byte code pages: which bytes pair up, and where their user-defined characters go.
#include "richtext/DoubleByteCodePages.h"

#include <array>
#include <cstdint>
#include <span>

namespace vx {
namespace {

struct ByteRange {
  std::uint8_t first = 0;
  std::uint8_t last = 0;  // an empty slot has last < first
  bool Contains(std::uint8_t b) const { return b >= first && b <= last; }
};

// Lead bytes leadFirst..leadLast, each with its trail bytes trailFirst..
// trailLast, numbered row by row from firstUnit on.
struct UserDefinedBlock {
  ByteRange leads;
  ByteRange trails;
  char16_t firstUnit;
};

struct DoubleByteLayout {
  std::string_view converter;
  std::array<ByteRange, 3> leads;
  std::array<ByteRange, 3> trails;
  std::span<const UserDefinedBlock> userDefined;
};

// The end-user-defined ranges of the Windows code pages and the private-use
// characters Windows gives them, block after block.
constexpr UserDefinedBlock kShiftJisUserDefined[] = {
    {{0xF0, 0xF9}, {0x40, 0xFC}, 0xE000},
};
constexpr UserDefinedBlock kGbkUserDefined[] = {
    {{0xAA, 0xAF}, {0xA1, 0xFE}, 0xE000},
    {{0xF8, 0xFE}, {0xA1, 0xFE}, 0xE234},
    {{0xA1, 0xA7}, {0x40, 0xA0}, 0xE4C6},
};
constexpr UserDefinedBlock kUhcUserDefined[] = {
    {{0xC9, 0xC9}, {0xA1, 0xFE}, 0xE000},
    {{0xFE, 0xFE}, {0xA1, 0xFE}, 0xE05E},
};
constexpr UserDefinedBlock kBig5UserDefined[] = {
    {{0xFA, 0xFE}, {0x40, 0xFE}, 0xE000},
    {{0x8E, 0xA0}, {0x40, 0xFE}, 0xE311},
    {{0x81, 0x8D}, {0x40, 0xFE}, 0xEEB8},
    {{0xC6, 0xC6}, {0xA1, 0xFE}, 0xF6B1},
    {{0xC7, 0xC8}, {0x40, 0xFE}, 0xF70F},
};

constexpr ByteRange kNone{1, 0};

constexpr DoubleByteLayout kLayouts[] = {
    {"CP932", {{{0x81, 0x9F}, {0xE0, 0xFC}, kNone}}, {{{0x40, 0x7E}, {0x80, 0xFC}, kNone}}, kShiftJisUserDefined},
    {"CP936", {{{0x81, 0xFE}, kNone, kNone}}, {{{0x40, 0x7E}, {0x80, 0xFE}, kNone}}, kGbkUserDefined},
    {"CP949", {{{0x81, 0xFE}, kNone, kNone}}, {{{0x41, 0x5A}, {0x61, 0x7A}, {0x81, 0xFE}}}, kUhcUserDefined},
    {"CP950", {{{0x81, 0xFE}, kNone, kNone}}, {{{0x40, 0x7E}, {0xA1, 0xFE}, kNone}}, kBig5UserDefined},
    {"JOHAB", {{{0x84, 0xD3}, {0xD8, 0xDE}, {0xE0, 0xF9}}}, {{{0x31, 0x7E}, {0x81, 0xFE}, kNone}}, {}},
};

bool InAny(const std::array<ByteRange, 3>& ranges, std::uint8_t b) {
  for (const ByteRange& r : ranges) {
    if (r.Contains(b)) return true;
  }
  return false;
}

// How many trail bytes of the layout lie in [from, to).
int TrailsBetween(const DoubleByteLayout& layout, int from, int to) {
  int count = 0;
  for (int b = from; b < to; ++b) count += InAny(layout.trails, static_cast<std::uint8_t>(b)) ? 1 : 0;
  return count;
}

const DoubleByteLayout* LayoutOf(std::string_view converter) {
  for (const DoubleByteLayout& layout : kLayouts) {
    if (layout.converter == converter) return &layout;
  }
  return nullptr;
}

// The private-use character of a user-defined pair, or U+FFFD.
char16_t UserDefinedUnit(const DoubleByteLayout& layout, std::uint8_t lead, std::uint8_t trail) {
  for (const UserDefinedBlock& block : layout.userDefined) {
    if (!block.leads.Contains(lead) || !block.trails.Contains(trail)) continue;
    const int perLead = TrailsBetween(layout, block.trails.first, block.trails.last + 1);
    const int index = (lead - block.leads.first) * perLead + TrailsBetween(layout, block.trails.first, trail);
    return static_cast<char16_t>(block.firstUnit + index);
  }
  return 0xFFFD;
}

}  // namespace

RefusedCharacter ReadRefusedCharacter(std::string_view converterName, std::string_view bytes) {
  const DoubleByteLayout* layout = LayoutOf(converterName);
  if (layout == nullptr || bytes.size() < 2) return {};
  const auto lead = static_cast<std::uint8_t>(bytes[0]);
  const auto trail = static_cast<std::uint8_t>(bytes[1]);
  if (!InAny(layout->leads, lead) || !InAny(layout->trails, trail)) return {};
  return {2, UserDefinedUnit(*layout, lead, trail)};
}

}  // namespace vx
