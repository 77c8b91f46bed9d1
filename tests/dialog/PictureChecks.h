// A button picture as a view drew it, held against its shared description: the same place, the same colours, in both views' tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>

#include "dialog/ButtonPictures.h"

namespace vx::test {

// A drawn pixel as 0xAARRGGBB, not premultiplied, at x, y of the picture's
// square.
using PixelAt = std::function<std::uint32_t(int x, int y)>;

struct PixelBox {
  double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
  void Add(double x0, double y0, double x1, double y1) {
    left = std::min(left, x0), top = std::min(top, y0), right = std::max(right, x1), bottom = std::max(bottom, y1);
  }
  bool Empty() const { return right < left; }
};

// The area a picture's shapes other than letters cover, pens included.
inline PixelBox DescribedBox(ButtonPicture picture) {
  PixelBox box;
  for (const PictureShape& shape : ShapesOf(picture)) {
    if (shape.kind == PictureShape::Kind::Letter) continue;
    const double pen = shape.pen ? shape.penWidth / 2 : 0;
    for (const PicturePoint& p : shape.points) box.Add(p.x - pen, p.y - pen, p.x + pen, p.y + pen);
  }
  return box;
}

// Checks a drawing of the picture on its transparent square: where shapes
// are described, the covered pixels (alpha of half or more) span their area
// within two pixels (a mitred corner reaches out a little); letters lie
// inside the square's edge; and the colour most of the fully covered pixels
// have is one of the described colours (a swapped channel or a missing fill
// shows here).
inline void ExpectDrawnAsDescribed(ButtonPicture picture, const PixelAt& pixel) {
  constexpr int size = kButtonPictureSize;
  PixelBox covered;
  std::map<std::uint32_t, int> colours;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const std::uint32_t argb = pixel(x, y);
      if ((argb >> 24) >= 128) covered.Add(x, y, x + 1, y + 1);
      if ((argb >> 24) == 255) ++colours[argb & 0xFFFFFF];
    }
  }
  ASSERT_FALSE(covered.Empty()) << "nothing drawn";
  const PixelBox described = DescribedBox(picture);
  if (!described.Empty()) {
    EXPECT_NEAR(covered.left, described.left, 2);
    EXPECT_NEAR(covered.top, described.top, 2);
    EXPECT_NEAR(covered.right, described.right, 2);
    EXPECT_NEAR(covered.bottom, described.bottom, 2);
  } else {
    EXPECT_GE(covered.left, 1);
    EXPECT_GE(covered.top, 1);
    EXPECT_LE(covered.right, size - 1);
    EXPECT_LE(covered.bottom, size - 1);
  }
  ASSERT_FALSE(colours.empty()) << "no pixel fully covered";
  const std::uint32_t most =
      std::max_element(colours.begin(), colours.end(), [](const auto& a, const auto& b) { return a.second < b.second; })
          ->first;
  const auto matches = [most](const PictureColour& c) {
    return std::abs(int((most >> 16) & 0xFF) - c.red) <= 2 && std::abs(int((most >> 8) & 0xFF) - c.green) <= 2 &&
           std::abs(int(most & 0xFF) - c.blue) <= 2;
  };
  bool describedColour = false;
  for (const PictureShape& shape : ShapesOf(picture)) {
    describedColour = describedColour || (shape.pen && matches(*shape.pen)) || (shape.fill && matches(*shape.fill));
  }
  EXPECT_TRUE(describedColour) << std::hex << "most pixels are " << most;
}

}  // namespace vx::test
