// DropDownComboBox and PreviewBox: event forwarding only.
#include "dialog/DialogWidgets.h"

#include <QPainter>

namespace vx {

void DropDownComboBox::showPopup() {
  emit droppedDown();
  QComboBox::showPopup();
}

void PreviewBox::paintEvent(QPaintEvent*) {
  if (!OnPaint) return;
  QPainter painter(this);
  OnPaint(painter);
}

}  // namespace vx
