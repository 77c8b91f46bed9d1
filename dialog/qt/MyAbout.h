// TAboutDLG: the about box with the product's name, version, copyright, links and help.
#pragma once

#include <QDialog>
#include <QUrl>

#include "dialog/HostExports.h"

class QFrame;
class QLabel;
class QPushButton;

class TAboutDLG : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutDLG(QWidget* owner = nullptr);

  // Controls, by their names in the form.
  QFrame* Panel1 = nullptr;
  QLabel* Image1 = nullptr;
  QLabel* Label1 = nullptr;  // product name
  QLabel* Label5 = nullptr;  // version
  QLabel* Label2 = nullptr;  // copyright, first line
  QLabel* Label3 = nullptr;  // copyright, second line
  QFrame* Bevel1 = nullptr;
  QLabel* Label6 = nullptr;   // the manual's address
  QLabel* Label10 = nullptr;  // where to get support
  QLabel* Label12 = nullptr;  // newer versions
  QPushButton* BitBtn1 = nullptr;  // help
  QPushButton* Button1 = nullptr;  // "&Ok": default and cancel button

  void BitBtn1Click(QObject* sender);
  void Label6Click(QObject* sender);
  void Label10Click(QObject* sender);
  void Label12Click(QObject* sender);

  // Where each link leads: sections of the manual installed beside the program.
  static QUrl SiteUrl();
  static QUrl SupportUrl();
  static QUrl DownloadUrl();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Esc presses Button1 like Enter does, so the box closes with the OK result.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildPanel();
  void BuildButtons();
};

// AboutDLG, the about box while it is shown, is declared with the other
// names of the host contract in dialog/HostExports.h.

namespace vx {

// What the About button does: builds a new box into AboutDLG, shows it
// modally, then destroys it and empties AboutDLG whatever happened. A box
// that cannot be built shows nothing and reports nothing.
void RunAboutBox();

}  // namespace vx
