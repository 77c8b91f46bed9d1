// Building the Qt forms' controls at their fixed pixel places: named widgets and labels.
#pragma once

#include <QLabel>
#include <QRect>
#include <QString>
#include <QWidget>
#include <algorithm>

namespace vx {

// Gives widget the control's name (its object name) and returns it.
template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// A label whose top left corner stands at at, sized to its text.
inline QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QPoint at) {
  auto* label = Named(new QLabel(text, parent), name);
  label->move(at);
  label->adjustSize();
  return label;
}

// A label placed in box, grown where its text needs more room than box gives.
inline QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QRect box) {
  auto* label = Named(new QLabel(text, parent), name);
  box.setWidth(std::max(box.width(), label->sizeHint().width()));
  box.setHeight(std::max(box.height(), label->sizeHint().height()));
  label->setGeometry(box);
  return label;
}

}  // namespace vx
