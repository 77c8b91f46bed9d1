// TSetACAD on Windows: the registration window that finds AutoCAD releases and registers the host module with them.
#pragma once

#include <windows.h>

#include <string>

#include "dialog/HostExports.h"

// The window "Set AutoCAD ARX command", a top-level window of the class
// TSetACAD; its controls are found by the IDs of vx::win32::setacad.
// Showing it looks up the installed releases (FormShow); OK registers the
// checked ones (OkBtnClick) and closes the window with the OK result only
// when every one succeeded; Cancel, Esc and the close box close it with the
// cancel result. Registry errors are shown in a message box.
class TSetACAD {
 public:
  // Builds the window, hidden, and sets FExePath; raises std::runtime_error
  // when the window cannot be made.
  TSetACAD();
  ~TSetACAD();
  TSetACAD(const TSetACAD&) = delete;
  TSetACAD& operator=(const TSetACAD&) = delete;

  HWND Handle() const { return window_; }
  // Runs FormShow, shows the window modally over owner and returns IDOK or
  // IDCANCEL when it closes.
  int ShowModal(HWND owner);

  // Discovery: enables the check box of each release found, re-captions the
  // others, and disables OkBtn when nothing is found at all.
  void FormShow();
  // Registration of every checked release in order, one message per failure.
  void OkBtnClick();

  // Folder of the running executable with its trailing delimiter (UTF-8).
  std::string FExePath;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT React(UINT message, WPARAM wParam, LPARAM lParam);
  void Build();
  void End(int result);
  void ShowError(const char* text);

  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  bool ended_ = false;
  int result_ = IDCANCEL;
};

// Creates a window, keeps it in SetACAD while it runs modally over owner,
// then destroys it and empties SetACAD again; returns the modal result
// (IDCANCEL also when the window could not be made).
int ExecSetACAD(HWND owner);
