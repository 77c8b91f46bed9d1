// TForm2: the borderless start-up window that shows the font catalogue's three phases.
#pragma once

#include <QWidget>

#include "dialog/HostExports.h"

class QFrame;
class QLabel;
class QProgressBar;

class TForm2 : public QWidget {
  Q_OBJECT

 public:
  // A top-level window owned by owner (destroyed with it).
  explicit TForm2(QWidget* owner);

  QFrame* Panel1;
  QFrame* Panel2;
  QLabel* Image1;
  QLabel* Label4;
  QLabel* Label5;
  QLabel* Label1;
  QProgressBar* ProgressBar1;
  QLabel* Label2;
  QProgressBar* ProgressBar2;
  QLabel* Label3;
  QProgressBar* ProgressBar3;

  // The show handler: the three initial captions.
  void FormShow();

  // Shows the window and paints it at once. The window system exposes a new
  // window by an event, and a window not yet exposed takes no painting, so
  // this first waits (up to a quarter of a second, letting no user input
  // through) until the window is exposed.
  void ShowPainted();

  // Sets a caption and paints it at once (the catalogue runs without events).
  static void ShowCaption(QLabel* label, const QString& text);
  // Advances a bar by one step and paints it at once.
  static void StepBar(QProgressBar* bar);
  static void StartBar(QProgressBar* bar, int maximum);

 protected:
  void showEvent(QShowEvent* event) override;
};

// Form2, the start-up window while it exists, is declared with the other
// names of the host contract in dialog/HostExports.h.
