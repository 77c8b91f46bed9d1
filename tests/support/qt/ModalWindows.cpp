// Modal windows answered by a test from the event loop of the modal run: any window, message boxes, file dialogs.
#include "tests/support/qt/ModalWindows.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

namespace vx::test {
namespace {

// Polls every 10 ms for the first visible modal window that matches.
void WhenModalMatches(std::function<bool(QWidget*)> matches, std::function<void(QWidget*)> action, int timeoutMs) {
  auto* timer = new QTimer;
  auto waited = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [timer, waited, matches, action, timeoutMs] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal->isVisible() && matches(modal)) {
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

// Presses the box's OK button; hands back the text it showed.
QString PressOk(QMessageBox& box) {
  const QString text = box.text();
  box.button(QMessageBox::Ok)->click();
  return text;
}

}  // namespace

void WhenModal(const QString& name, std::function<void(QWidget*)> action, int timeoutMs) {
  WhenModalMatches([name](QWidget* modal) { return name.isEmpty() || modal->objectName() == name; },
                   std::move(action), timeoutMs);
}

std::shared_ptr<QString> AnswerNextMessage() {
  auto text = std::make_shared<QString>();
  WhenModalMatches([](QWidget* modal) { return qobject_cast<QMessageBox*>(modal) != nullptr; },
                   [text](QWidget* box) { *text = PressOk(*qobject_cast<QMessageBox*>(box)); },
                   10000);
  return text;
}

MessageAnswerer::MessageAnswerer() {
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(widget);
      if (box != nullptr && box->isVisible()) texts.push_back(PressOk(*box).toStdString());
    }
  });
  timer_.start(10);
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

}  // namespace vx::test
