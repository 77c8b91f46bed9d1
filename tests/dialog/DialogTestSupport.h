// Helpers for driving the text dialog in tests: the application object and actions on modal windows.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "tests/support/TempFolder.h"

namespace vxtest {

// The test's own application object, made once (the dialog then uses it).
QApplication& App();

// Runs action on the first visible modal window whose object name is name
// (any modal window when name is empty), once, from the event loop of
// whatever modal run is going on. Gives up after timeoutMs.
void WhenModal(const QString& name, std::function<void(QWidget*)> action, int timeoutMs = 10000);

// Presses OK on the next message box and hands back its text.
std::shared_ptr<QString> AnswerNextMessage();

// Types a file name into a Qt file dialog, as a user would, and confirms it.
void ChooseFile(QWidget* dialog, const std::string& path);

using vx::test::TempFolder;

}  // namespace vxtest
