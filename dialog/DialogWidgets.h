// Two small widgets of the text dialog: a combo box that reports its drop-down, and the preview box.
#pragma once

#include <QComboBox>
#include <QWidget>
#include <functional>

class QPainter;

namespace vx {

// An editable combo box that says when its list drops down.
class DropDownComboBox final : public QComboBox {
  Q_OBJECT

 public:
  explicit DropDownComboBox(QWidget* parent = nullptr) : QComboBox(parent) {}
  void showPopup() override;

 signals:
  void droppedDown();
};

// A windowless paint box: what it shows comes from its paint handler; where
// the handler paints nothing, the parent's background shows through.
class PreviewBox final : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewBox(QWidget* parent = nullptr) : QWidget(parent) {}
  std::function<void(QPainter&)> OnPaint;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace vx
