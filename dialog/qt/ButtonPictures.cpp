// The buttons' pictures drawn with the toolkit's painter from their shared description, and the logo.
#include "dialog/qt/ButtonPictures.h"

#include <QPainter>
#include <QPainterPath>

#include "windowparts/LogoOutline.h"

namespace vx {
namespace {

QColor ToColor(const PictureColour& colour) { return QColor(colour.red, colour.green, colour.blue); }

QPolygonF ToPolygon(const std::vector<PicturePoint>& points) {
  QPolygonF polygon;
  for (const PicturePoint& point : points) polygon << QPointF(point.x, point.y);
  return polygon;
}

QPen PenOf(const PictureShape& shape) {
  if (!shape.pen) return Qt::NoPen;
  return QPen(ToColor(*shape.pen), shape.penWidth, Qt::SolidLine, shape.roundPen ? Qt::RoundCap : Qt::FlatCap,
              shape.roundPen ? Qt::RoundJoin : Qt::MiterJoin);
}

void DrawLetter(QPainter& painter, const PictureShape& shape) {
  QFont font(QString::fromUtf8(kButtonLetterFace));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(shape.textPixels);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(shape.pen ? ToColor(*shape.pen) : QColor(Qt::black));
  painter.drawText(QRect(0, 0, kButtonPictureSize, kButtonPictureSize), Qt::AlignCenter,
                   QString::fromUtf16(shape.text.data(), static_cast<qsizetype>(shape.text.size())));
}

void DrawShape(QPainter& painter, const PictureShape& shape) {
  using Kind = PictureShape::Kind;
  painter.setPen(PenOf(shape));
  painter.setBrush(shape.fill ? QBrush(ToColor(*shape.fill)) : QBrush(Qt::NoBrush));
  switch (shape.kind) {
    case Kind::Polygon:
      painter.drawPolygon(ToPolygon(shape.points));
      break;
    case Kind::Polyline:
      painter.drawPolyline(ToPolygon(shape.points));
      break;
    case Kind::Ellipse:
      if (shape.points.size() == 2) {
        painter.drawEllipse(QRectF(QPointF(shape.points[0].x, shape.points[0].y),
                                   QPointF(shape.points[1].x, shape.points[1].y)));
      }
      break;
    case Kind::Letter:
      DrawLetter(painter, shape);
      break;
  }
}

}  // namespace

QIcon ButtonIcon(ButtonPicture picture) {
  QPixmap pixmap(kButtonPictureSize, kButtonPictureSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  for (const PictureShape& shape : ShapesOf(picture)) DrawShape(painter, shape);
  painter.end();
  return QIcon(pixmap);
}

QPixmap LogoPicture(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::white);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / kLogoDrawnSize, size / kLogoDrawnSize);
  QPolygonF outline;
  for (const LogoPoint& point : kLogoOutline) outline << QPointF(point.x, point.y);
  painter.setPen(QPen(QColor(0, 0, 160), 3));
  painter.setBrush(QColor(210, 225, 255));
  painter.drawPolygon(outline);
  painter.setPen(QPen(QColor(200, 0, 0), 1));
  painter.setBrush(Qt::NoBrush);
  for (const QPointF& p : outline) painter.drawRect(QRectF(p.x() - 3, p.y() - 3, 6, 6));
  painter.end();
  return pixmap;
}

}  // namespace vx
