// Small widgets of the text dialog: a combo box that reports its drop-down, a push button that Enter presses, the preview box, the form's tool bars.
#pragma once

#include <QComboBox>
#include <QFrame>
#include <QPushButton>
#include <QWidget>
#include <functional>

class QHBoxLayout;
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

// A push button that Enter presses while it has the focus, as Space does.
// It never becomes the dialog's default button: Enter elsewhere (in the size
// box) presses nothing.
class PushButton final : public QPushButton {
  Q_OBJECT

 public:
  PushButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override;
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

// A tool bar as the form lays it out: its controls side by side from the
// left edge, without margins or spacing, each centred in the band above a
// line along the bottom edge. Controls that do not fit are cut off at the
// right edge; none moves to an overflow menu.
class FormToolBar final : public QFrame {
  Q_OBJECT

 public:
  FormToolBar(QWidget* parent, int height);
  // Places control right of the controls added before it.
  void AddControl(QWidget* control);
  // The height of the bar's buttons (the tool buttons among its controls);
  // the bar grows when they no longer fit above its edge.
  void SetButtonHeight(int height);
  int ButtonHeight() const { return buttonHeight_; }

  static inline constexpr int kEdgeWidth = 2;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QHBoxLayout* row_;
  int designedHeight_;
  int buttonHeight_;
};

}  // namespace vx
