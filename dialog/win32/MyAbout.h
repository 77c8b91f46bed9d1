// TAboutDLG on Windows: the about box with the product's name, version, copyright, links and help.
#pragma once

#include <windows.h>

#include "dialog/HostExports.h"

// The box, a top-level window of the class TAboutDLG; its controls are found
// by the IDs of vx::win32::aboutdlg. Enter and Esc press Button1, which
// closes the box with the OK result; the links and BitBtn1 go to the shell.
class TAboutDLG {
 public:
  // Builds the box, hidden; raises std::runtime_error when the window
  // cannot be made.
  TAboutDLG();
  ~TAboutDLG();
  TAboutDLG(const TAboutDLG&) = delete;
  TAboutDLG& operator=(const TAboutDLG&) = delete;

  HWND Handle() const { return window_; }
  // Shows the box and returns when it closes; owner stays disabled meanwhile.
  void ShowModal(HWND owner);

  void BitBtn1Click();
  void Label6Click();
  void Label10Click();
  void Label12Click();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT React(UINT message, WPARAM wParam, LPARAM lParam);
  void Build();
  void ReleaseFonts();

  HWND window_ = nullptr;
  HFONT font_ = nullptr;        // 11 pixels: the box's own
  HFONT nameFont_ = nullptr;    // Label1
  HFONT versionFont_ = nullptr; // Label5
  HFONT linkFont_ = nullptr;    // Label6, Label10
  HFONT downloadFont_ = nullptr; // Label12
  bool ended_ = false;
};

namespace vx {

// What the About button does: builds a new box into AboutDLG, shows it
// modally over owner, then destroys it and empties AboutDLG whatever
// happened. A box that cannot be built shows nothing and reports nothing.
void RunAboutBox(HWND owner);

}  // namespace vx
