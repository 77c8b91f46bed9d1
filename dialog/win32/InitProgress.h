// TForm2 on Windows: the borderless start-up window that shows the font catalogue's three phases.
#pragma once

#include <windows.h>

#include <string_view>

#include "dialog/HostExports.h"

// The window, a top-level window of the class TForm2 at (239, 176); its
// controls are found by the IDs of vx::win32::form2. The catalogue runs
// without handling messages, so every change is painted at once.
class TForm2 {
 public:
  // Builds the window, hidden, owned by owner; raises std::runtime_error
  // when the window cannot be made.
  explicit TForm2(HWND owner);
  ~TForm2();
  TForm2(const TForm2&) = delete;
  TForm2& operator=(const TForm2&) = delete;

  HWND Handle() const { return window_; }

  // The show handler: the three initial captions.
  void FormShow();
  // Runs FormShow, shows the window and paints it at once.
  void ShowPainted();
  // Sets the caption of label (Label1, Label2, Label3) and paints it at once.
  void ShowCaption(int label, std::wstring_view text);
  // Gives bar (ProgressBar1..3) the range 0..maximum at position 0.
  void StartBar(int bar, int maximum);
  // Advances bar by one step and paints it at once.
  void StepBar(int bar);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT React(UINT message, WPARAM wParam, LPARAM lParam);
  void Build();
  void ReleaseFonts();

  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  HFONT makerFont_ = nullptr;  // Label4
  HFONT nameFont_ = nullptr;   // Label5
};

namespace vx {

// Step 1 of the start-up sequence: creates a TForm2 owned by owner into
// Form2, shows and paints it; on any failure Form2 stays empty and nothing
// is reported. Returns Form2.
TForm2* OpenStartupWindow(HWND owner);

// The end of the sequence: destroys the window and empties Form2 (nothing
// when it is empty).
void CloseStartupWindow();

}  // namespace vx
