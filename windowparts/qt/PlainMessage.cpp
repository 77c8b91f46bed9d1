// A plain message box with one OK button, owned by a window of the dialog: a QMessageBox.
#include "windowparts/PlainMessage.h"

#include <QMessageBox>
#include <QWidget>

namespace vx {

void ShowPlainMessage(NativeWindow owner, const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Vexoglyph"), QString::fromStdString(text), QMessageBox::Ok,
                  static_cast<QWidget*>(owner));
  box.exec();
}

}  // namespace vx
