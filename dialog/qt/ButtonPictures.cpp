// Button pictures: simple line drawings and letters in a few colours, one per button kind.
#include "dialog/qt/ButtonPictures.h"

#include <QPainter>

#include "windowparts/LogoOutline.h"

namespace vx {
namespace {

constexpr int kPictureSize = 32;

template <typename Draw>
QIcon Picture(Draw draw) {
  QPixmap pixmap(kPictureSize, kPictureSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  draw(painter);
  painter.end();
  return QIcon(pixmap);
}

void Letter(QPainter& painter, const QString& text, const QColor& color, int pixelSize, bool bold = true) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  painter.setFont(font);
  painter.setPen(color);
  painter.drawText(QRect(0, 0, kPictureSize, kPictureSize), Qt::AlignCenter, text);
}

// A white letter on a coloured disc.
QIcon Badge(const QString& letter, const QColor& disc) {
  return Picture([&](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(disc);
    p.drawEllipse(3, 3, 26, 26);
    Letter(p, letter, Qt::white, 20);
  });
}

}  // namespace

QIcon OpenFilePicture() {
  return Picture([](QPainter& p) {
    p.setPen(QPen(QColor(120, 90, 20), 1.5));
    p.setBrush(QColor(240, 200, 90));
    p.drawRect(3, 9, 24, 18);
    p.setBrush(QColor(250, 225, 130));
    QPolygonF flap;
    flap << QPointF(7, 14) << QPointF(30, 14) << QPointF(26, 27) << QPointF(3, 27);
    p.drawPolygon(flap);
  });
}

QIcon SaveFilePicture() {
  return Picture([](QPainter& p) {
    p.setPen(QPen(QColor(20, 40, 100), 1.5));
    p.setBrush(QColor(60, 90, 180));
    p.drawRect(4, 4, 24, 24);
    p.setBrush(Qt::white);
    p.drawRect(9, 4, 14, 9);
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(8, 18, 16, 10);
  });
}

QIcon SymbolListPicture() {
  return Picture([](QPainter& p) { Letter(p, QStringLiteral("\u03A9"), QColor(0, 0, 200), 26); });
}

QIcon AboutPicture() { return Badge(QStringLiteral("i"), QColor(30, 110, 200)); }

QIcon AcadPicture() {
  return Picture([](QPainter& p) {
    p.setPen(QPen(QColor(170, 20, 20), 2));
    p.drawLine(4, 28, 16, 4);
    p.drawLine(16, 4, 28, 28);
    p.drawLine(9, 19, 23, 19);
  });
}

QIcon HelpPicture() { return Badge(QStringLiteral("?"), QColor(20, 140, 60)); }

QIcon OkPicture() {
  return Picture([](QPainter& p) {
    p.setPen(QPen(QColor(0, 140, 0), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF() << QPointF(5, 17) << QPointF(13, 25) << QPointF(27, 7));
  });
}

QIcon CancelPicture() {
  return Picture([](QPainter& p) {
    p.setPen(QPen(QColor(200, 0, 0), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(7, 7, 25, 25);
    p.drawLine(25, 7, 7, 25);
  });
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
