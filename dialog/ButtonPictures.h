// The buttons' pictures as line drawings on a 32-pixel square, described once for both views (each draws them with its toolkit).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vx {

enum class ButtonPicture { OpenFile, SaveFile, SymbolList, About, Acad, Help, Ok, Cancel };

// The square every picture is drawn on, in pixels at its natural size.
inline constexpr int kButtonPictureSize = 32;

// Letters are drawn bold in this face where it is installed, else in the
// system's sans-serif face.
inline constexpr const char* kButtonLetterFace = "DejaVu Sans";

struct PictureColour {
  std::uint8_t red, green, blue;
};

struct PicturePoint {
  double x, y;
};

// One shape of a picture, drawn in order, antialiased.
struct PictureShape {
  enum class Kind {
    Polygon,   // closed through points; filled with fill, outlined with pen
    Polyline,  // open through points, drawn with pen
    Ellipse,   // in the box from points[0] (top left) to points[1] (bottom right)
    Letter,    // text, centred on the square, in pen's colour
  };
  Kind kind = Kind::Polygon;
  std::vector<PicturePoint> points;
  std::optional<PictureColour> pen;  // none: no outline
  double penWidth = 1;
  bool roundPen = false;  // round caps and joins
  std::optional<PictureColour> fill;
  std::u16string text;   // Letter
  int textPixels = 0;    // Letter: its height in pixels
};

// A picture's shapes, back to front.
std::vector<PictureShape> ShapesOf(ButtonPicture picture);

}  // namespace vx
