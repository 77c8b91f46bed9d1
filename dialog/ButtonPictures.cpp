// The buttons' pictures: simple line drawings and letters in a few colours, one per button kind.
#include "dialog/ButtonPictures.h"

namespace vx {
namespace {

using Kind = PictureShape::Kind;

constexpr PictureColour kWhite{255, 255, 255};

std::vector<PicturePoint> Box(double x, double y, double width, double height) {
  return {{x, y}, {x + width, y}, {x + width, y + height}, {x, y + height}};
}

PictureShape Filled(std::vector<PicturePoint> points, PictureColour pen, double penWidth, PictureColour fill) {
  PictureShape shape;
  shape.points = std::move(points);
  shape.pen = pen;
  shape.penWidth = penWidth;
  shape.fill = fill;
  return shape;
}

PictureShape Line(std::vector<PicturePoint> points, PictureColour pen, double penWidth, bool round = false) {
  PictureShape shape;
  shape.kind = Kind::Polyline;
  shape.points = std::move(points);
  shape.pen = pen;
  shape.penWidth = penWidth;
  shape.roundPen = round;
  return shape;
}

PictureShape Letter(std::u16string text, PictureColour colour, int pixels) {
  PictureShape shape;
  shape.kind = Kind::Letter;
  shape.text = std::move(text);
  shape.pen = colour;
  shape.textPixels = pixels;
  return shape;
}

// A white letter on a coloured disc.
std::vector<PictureShape> Badge(std::u16string letter, PictureColour disc) {
  PictureShape circle;
  circle.kind = Kind::Ellipse;
  circle.points = {{3, 3}, {29, 29}};
  circle.fill = disc;
  return {circle, Letter(std::move(letter), kWhite, 20)};
}

}  // namespace

std::vector<PictureShape> ShapesOf(ButtonPicture picture) {
  switch (picture) {
    case ButtonPicture::OpenFile: {  // a folder with its flap open
      constexpr PictureColour edge{120, 90, 20};
      return {Filled(Box(3, 9, 24, 18), edge, 1.5, {240, 200, 90}),
              Filled({{7, 14}, {30, 14}, {26, 27}, {3, 27}}, edge, 1.5, {250, 225, 130})};
    }
    case ButtonPicture::SaveFile: {  // a diskette
      constexpr PictureColour edge{20, 40, 100};
      return {Filled(Box(4, 4, 24, 24), edge, 1.5, {60, 90, 180}), Filled(Box(9, 4, 14, 9), edge, 1.5, kWhite),
              Filled(Box(8, 18, 16, 10), edge, 1.5, {200, 200, 200})};
    }
    case ButtonPicture::SymbolList:
      return {Letter(u"\u03A9", {0, 0, 200}, 26)};
    case ButtonPicture::About:
      return Badge(u"i", {30, 110, 200});
    case ButtonPicture::Acad: {  // a drafted A
      constexpr PictureColour red{170, 20, 20};
      return {Line({{4, 28}, {16, 4}, {28, 28}}, red, 2), Line({{9, 19}, {23, 19}}, red, 2)};
    }
    case ButtonPicture::Help:
      return Badge(u"?", {20, 140, 60});
    case ButtonPicture::Ok:
      return {Line({{5, 17}, {13, 25}, {27, 7}}, {0, 140, 0}, 4, true)};
    case ButtonPicture::Cancel: {
      constexpr PictureColour red{200, 0, 0};
      return {Line({{7, 7}, {25, 25}}, red, 4, true), Line({{25, 7}, {7, 25}}, red, 4, true)};
    }
  }
  return {};
}

}  // namespace vx
