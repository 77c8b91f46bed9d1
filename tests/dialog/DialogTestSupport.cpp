// Test helpers: one QApplication, polling for modal windows, files chosen.
#include "DialogTestSupport.h"

#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace vxtest {

QApplication& App() {
  static int argc = 1;
  static char name[] = "dialog_test";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

void WhenModal(const QString& name, std::function<void(QWidget*)> action, int timeoutMs) {
  auto* timer = new QTimer;
  auto waited = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [timer, waited, name, action, timeoutMs] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal->isVisible() && (name.isEmpty() || modal->objectName() == name)) {
      timer->stop();
      timer->deleteLater();
      action(modal);
      return;
    }
    *waited += 10;
    if (*waited > timeoutMs) {
      timer->stop();
      timer->deleteLater();
    }
  });
  timer->start(10);
}

std::shared_ptr<QString> AnswerNextMessage() {
  auto text = std::make_shared<QString>();
  WhenModal(QStringLiteral("Message"), [text](QWidget* box) {
    *text = static_cast<QMessageBox*>(box)->text();
    static_cast<QMessageBox*>(box)->accept();
  });
  return text;
}

void ChooseFile(QWidget* dialog, const std::string& path) {
  auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
  auto* fileDialog = static_cast<QDialog*>(dialog);
  if (name == nullptr) {  // not Qt's own dialog: cancel, so the test sees no file
    fileDialog->reject();
    return;
  }
  name->setText(QString::fromStdString(path));
  fileDialog->accept();
}

}  // namespace vxtest
