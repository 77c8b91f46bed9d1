// Driving Windows windows from a test: controls by ID, a scripted timer that acts while a modal loop runs, screenshots.
#pragma once

#include <windows.h>

#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace vx::test {

// The visible top-level window of this thread with the class name, or null.
HWND FindThreadWindow(const wchar_t* className);
// The window's text.
std::wstring WindowText(HWND window);
// Handles the messages waiting on this thread, for about the given time.
void PumpMessages(std::chrono::milliseconds duration);
// Types the text into the focused control as keyboard characters (WM_CHAR,
// "\r" for Enter), as a user would.
void TypeText(HWND control, const std::wstring& text);
// Presses a key combination through the system's input, as the keyboard
// does: the keys down in order, then up in reverse. The keys reach the
// foreground window's focused control once its thread handles its messages.
void PressKeys(std::initializer_list<WORD> keys);

// A script of steps run by a thread timer, so that they act while a modal
// loop (the dialog's, a message box's, a common dialog's) runs on this
// thread. Each step returns true when it is done; a step that returns false
// is tried again at the next tick. A script that has not finished within its
// time limit closes every window of the thread, so a test never hangs.
class WindowScript {
 public:
  using Step = std::function<bool()>;
  explicit WindowScript(std::chrono::milliseconds limit = std::chrono::seconds(30));
  ~WindowScript();
  WindowScript(const WindowScript&) = delete;
  WindowScript& operator=(const WindowScript&) = delete;

  // Adds a step.
  WindowScript& Then(Step step);
  // Adds a step that waits for a visible window of the class on this thread
  // and stores it in window.
  WindowScript& WaitFor(const wchar_t* className, HWND& window);
  // Adds a step that waits for a message box (or any system dialog box),
  // keeps its text in text (when given) and presses its button.
  WindowScript& AnswerMessageBox(std::wstring* text = nullptr, int button = IDOK);
  // Adds a step that waits for a common file dialog, types path as the file
  // name and confirms it.
  WindowScript& AnswerFileDialog(const std::filesystem::path& path);
  // Adds a step that waits for a common file dialog and cancels it.
  WindowScript& CancelFileDialog();

  bool Finished() const { return steps_.empty(); }
  bool TimedOut() const { return timedOut_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  void RunSteps();

  std::deque<Step> steps_;
  std::chrono::steady_clock::time_point deadline_;
  UINT_PTR timer_ = 0;
  bool running_ = false;
  bool timedOut_ = false;
};

// The system dialog box (class #32770) shown on this thread, or null.
HWND FindSystemDialog();

// Copies the window, frame included, from the screen into a PNG file.
// False when the window cannot be copied or the file not written.
bool SaveWindowPicture(HWND window, const std::filesystem::path& file);

// The colours of a window's client area, copied from the screen: pixels[y * width + x] as 0x00RRGGBB.
struct ClientPicture {
  int width = 0;
  int height = 0;
  std::vector<unsigned> pixels;
  unsigned At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};
ClientPicture CopyClientArea(HWND window);

// The colours of an icon with their coverage: pixels as 0xAARRGGBB; empty
// when the icon has no colour bitmap that can be read.
ClientPicture CopyIconPixels(HICON icon);

}  // namespace vx::test
