// Modal windows answered by a test from the event loop of the modal run: any window, message boxes, file dialogs.
#pragma once

#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace vx::test {

// Runs action, once, on the first visible modal window whose object name is
// name (any modal window when name is empty), from the event loop of
// whatever modal run is going on. Gives up after timeoutMs.
void WhenModal(const QString& name, std::function<void(QWidget*)> action, int timeoutMs = 10000);

// Presses OK on the next modal message box and hands back its text (empty
// until the box has been answered).
std::shared_ptr<QString> AnswerNextMessage();

// Answers every message box that appears while it lives with OK, keeping
// its text. A box hides as it is answered, so it is answered once.
class MessageAnswerer {
 public:
  MessageAnswerer();
  std::vector<std::string> texts;

 private:
  QTimer timer_;
};

// Types a file name into a Qt file dialog, as a user would, and confirms it;
// any other dialog is cancelled, so that the test sees no file.
void ChooseFile(QWidget* dialog, const std::string& path);

}  // namespace vx::test
