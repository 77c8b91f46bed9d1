// SymbolCell: geometry, font and the forwarding of paint and mouse events to bound handlers.
#include "dialog/qt/SymbolCell.h"

#include <QMouseEvent>
#include <QPainter>

namespace vx {

SymbolCell::SymbolCell(int code, QWidget* parent) : QWidget(parent), tag_(code) {
  setObjectName(QStringLiteral("SymbolCell%1").arg(code));
  QFont cellFont = font();
  cellFont.setPointSize(40);
  setFont(cellFont);
  setGeometry(QRect(PositionFor(code), QSize(kSize, kSize)));
}

QPoint SymbolCell::PositionFor(int code) {
  const int k = code - kFirstCode;
  return {kSize * (k % kColumns), kSize * (k / kColumns)};
}

void SymbolCell::paintEvent(QPaintEvent*) {
  if (!OnPaint) return;
  QPainter painter(this);
  painter.setFont(font());
  painter.setPen(fontColor_);
  painter.setBrush(palette().color(backgroundRole()));
  OnPaint(this, painter);
}

void SymbolCell::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick) {
    OnClick(this);
  }
}

void SymbolCell::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && OnDblClick) OnDblClick(this);
}

}  // namespace vx
