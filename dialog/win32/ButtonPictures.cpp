// The buttons' pictures drawn by GDI+ into icons from their shared description.
#include "dialog/win32/ButtonPictures.h"

#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <new>
#include <vector>

#include "platform/win32/WideString.h"

namespace vx::win32 {
namespace {

namespace gp = Gdiplus;

gp::Color ToColor(const PictureColour& colour) { return gp::Color(255, colour.red, colour.green, colour.blue); }

std::vector<gp::PointF> ToPoints(const std::vector<PicturePoint>& points) {
  std::vector<gp::PointF> converted;
  for (const PicturePoint& point : points) converted.emplace_back(static_cast<float>(point.x), static_cast<float>(point.y));
  return converted;
}

std::unique_ptr<gp::Pen> PenOf(const PictureShape& shape) {
  if (!shape.pen) return nullptr;
  auto pen = std::make_unique<gp::Pen>(ToColor(*shape.pen), static_cast<float>(shape.penWidth));
  const gp::LineCap cap = shape.roundPen ? gp::LineCapRound : gp::LineCapFlat;
  pen->SetLineCap(cap, cap, gp::DashCapFlat);
  pen->SetLineJoin(shape.roundPen ? gp::LineJoinRound : gp::LineJoinMiter);
  return pen;
}

void DrawLetter(gp::Graphics& graphics, const PictureShape& shape) {
  gp::FontFamily named(Widen(kButtonLetterFace).c_str());
  const gp::FontFamily* family = named.IsAvailable() ? &named : gp::FontFamily::GenericSansSerif();
  gp::Font font(family, static_cast<float>(shape.textPixels), gp::FontStyleBold, gp::UnitPixel);
  gp::StringFormat centred;
  centred.SetAlignment(gp::StringAlignmentCenter);
  centred.SetLineAlignment(gp::StringAlignmentCenter);
  gp::SolidBrush ink(shape.pen ? ToColor(*shape.pen) : gp::Color(255, 0, 0, 0));
  const std::wstring text(shape.text.begin(), shape.text.end());
  const gp::RectF square(0, 0, kButtonPictureSize, kButtonPictureSize);
  graphics.DrawString(text.c_str(), static_cast<INT>(text.size()), &font, square, &centred, &ink);
}

void DrawShape(gp::Graphics& graphics, const PictureShape& shape) {
  using Kind = PictureShape::Kind;
  if (shape.kind == Kind::Letter) return DrawLetter(graphics, shape);
  const std::unique_ptr<gp::Pen> pen = PenOf(shape);
  std::unique_ptr<gp::SolidBrush> fill;
  if (shape.fill) fill = std::make_unique<gp::SolidBrush>(ToColor(*shape.fill));
  const std::vector<gp::PointF> points = ToPoints(shape.points);
  const INT count = static_cast<INT>(points.size());
  switch (shape.kind) {
    case Kind::Polygon:
      if (fill) graphics.FillPolygon(fill.get(), points.data(), count);
      if (pen) graphics.DrawPolygon(pen.get(), points.data(), count);
      break;
    case Kind::Polyline:
      if (pen) graphics.DrawLines(pen.get(), points.data(), count);
      break;
    case Kind::Ellipse:
      if (count == 2) {
        const gp::RectF box(points[0].X, points[0].Y, points[1].X - points[0].X, points[1].Y - points[0].Y);
        if (fill) graphics.FillEllipse(fill.get(), box);
        if (pen) graphics.DrawEllipse(pen.get(), box);
      }
      break;
    case Kind::Letter:
      break;
  }
}

// The picture on a transparent square; null when GDI+ fails or memory runs
// out.
HICON DrawIcon(ButtonPicture picture) noexcept try {
  gp::Bitmap bitmap(kButtonPictureSize, kButtonPictureSize, PixelFormat32bppARGB);
  if (bitmap.GetLastStatus() != gp::Ok) return nullptr;
  {
    gp::Graphics graphics(&bitmap);
    graphics.Clear(gp::Color(0, 0, 0, 0));
    graphics.SetSmoothingMode(gp::SmoothingModeAntiAlias);
    // Pixel edges at whole coordinates, as the description means them.
    graphics.SetPixelOffsetMode(gp::PixelOffsetModeHalf);
    graphics.SetTextRenderingHint(gp::TextRenderingHintAntiAlias);
    for (const PictureShape& shape : ShapesOf(picture)) DrawShape(graphics, shape);
  }
  HICON icon = nullptr;
  return bitmap.GetHICON(&icon) == gp::Ok ? icon : nullptr;
} catch (const std::bad_alloc&) {
  return nullptr;
}

}  // namespace

ButtonIcons::ButtonIcons() {
  gp::GdiplusStartupInput input;
  ULONG_PTR session = 0;
  if (gp::GdiplusStartup(&session, &input, nullptr) != gp::Ok) return;
  for (std::size_t k = 0; k < icons_.size(); ++k) icons_[k] = DrawIcon(static_cast<ButtonPicture>(k));
  gp::GdiplusShutdown(session);  // the icons are the system's own objects, kept without GDI+
}

ButtonIcons::~ButtonIcons() {
  for (HICON icon : icons_) {
    if (icon != nullptr) DestroyIcon(icon);
  }
}

}  // namespace vx::win32
