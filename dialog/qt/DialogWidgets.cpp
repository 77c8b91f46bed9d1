// DropDownComboBox and PreviewBox forward events, PushButton takes Enter; FormToolBar places its controls and draws its edge.
#include "dialog/qt/DialogWidgets.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QToolButton>
#include <algorithm>

namespace vx {

void DropDownComboBox::showPopup() {
  emit droppedDown();
  QComboBox::showPopup();
}

void PushButton::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    click();
    event->accept();
    return;
  }
  QPushButton::keyPressEvent(event);
}

void PreviewBox::paintEvent(QPaintEvent*) {
  if (!OnPaint) return;
  QPainter painter(this);
  OnPaint(painter);
}

FormToolBar::FormToolBar(QWidget* parent, int height)
    : QFrame(parent), row_(new QHBoxLayout(this)), designedHeight_(height), buttonHeight_(height - kEdgeWidth) {
  setFixedHeight(height);
  row_->setContentsMargins(0, 0, 0, kEdgeWidth);
  row_->setSpacing(0);
  row_->addStretch(1);
}

void FormToolBar::AddControl(QWidget* control) {
  control->setParent(this);
  // Before the stretch that takes the rest of the width.
  row_->insertWidget(row_->count() - 1, control, 0, Qt::AlignVCenter);
  if (auto* button = qobject_cast<QToolButton*>(control)) button->setFixedHeight(buttonHeight_);
}

void FormToolBar::SetButtonHeight(int height) {
  buttonHeight_ = height;
  // Taller buttons make the bar taller; shorter ones leave it as designed.
  setFixedHeight(std::max(designedHeight_, height + kEdgeWidth));
  for (QToolButton* button : findChildren<QToolButton*>(Qt::FindDirectChildrenOnly)) button->setFixedHeight(height);
}

void FormToolBar::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  // The etched line along the bottom edge: shadow above light.
  QPainter painter(this);
  const int y = height() - kEdgeWidth;
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawLine(0, y, width() - 1, y);
  painter.setPen(palette().color(QPalette::Light));
  painter.drawLine(0, y + 1, width() - 1, y + 1);
}

}  // namespace vx
