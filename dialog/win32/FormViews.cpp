// The Windows form as the dialog's rules see it: the rule interfaces carried out on TForm1's controls.
#include "dialog/FormViews.h"

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>

#include "dialog/NumberRules.h"
#include "dialog/win32/ControlIds.h"
#include "dialog/win32/InitProgress.h"
#include "dialog/win32/MainDlg.h"
#include "windowparts/win32/WindowParts.h"
#include "engine/OutlineFlattening.h"
#include "platform/win32/WideString.h"
#include "richtext/LayoutInput.h"

namespace vx {

using win32::IsChecked;
using win32::SetChecked;
using win32::Wide;

// ---- Memo1 ---------------------------------------------------------------------------

std::u16string BoxEditor::Text() const { return form_.memo_.Text(); }
int BoxEditor::SelStart() const { return form_.memo_.SelStart(); }
int BoxEditor::SelLength() const { return form_.memo_.SelLength(); }
void BoxEditor::SetSelStart(int position) { form_.memo_.Select(position, 0); }

CharStyle BoxEditor::SelAttributes() const {
  return StyleOf(form_.memo_.SelFormat());
}

void BoxEditor::SetSelFace(const std::string& face) { form_.memo_.SetSelFace(face); }
void BoxEditor::SetSelSize(int points) { form_.memo_.SetSelSize(points); }
void BoxEditor::SetSelStyle(bool bold, bool italic) { form_.memo_.SetSelStyle(bold, italic); }
std::vector<std::u16string> BoxEditor::Lines() const { return form_.memo_.Lines(); }

// ---- Modes ---------------------------------------------------------------------------

void FormModeView::SetTitle(std::u16string_view title) { SetWindowTextW(form_.Handle(), Wide(title).c_str()); }

void FormModeView::SetOkCaptionAndHint(std::u16string_view caption, std::u16string_view hint) {
  SetWindowTextW(form_.OkBtn, Wide(caption).c_str());
  form_.SetHint(form_.OkBtn, hint);
}

void FormModeView::SetCancelCaption(std::u16string_view caption) {
  SetWindowTextW(form_.CancelBtn, Wide(caption).c_str());
}

void FormModeView::HideSizeBoxesAndAcad() {
  for (HWND control : {form_.Panel5, form_.Label5, form_.cHeight, form_.Label4, form_.cWidth, form_.AcadBtn}) {
    ShowWindow(control, SW_HIDE);
  }
}

void FormModeView::SetMinimizeBox(bool present) {
  const HWND window = form_.Handle();
  LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  style = present ? (style | WS_MINIMIZEBOX) : (style & ~static_cast<LONG_PTR>(WS_MINIMIZEBOX));
  SetWindowLongPtrW(window, GWL_STYLE, style);
  SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

// ---- The conversion run -----------------------------------------------------------------

std::u16string FormRunView::WidthBoxText() const { return form_.ControlText(form_.cWidth); }

void FormRunView::ShowWaitCursor(bool shown) {
  SetCursor(LoadCursorW(nullptr, shown ? IDC_WAIT : IDC_ARROW));
  // While the text is laid out the box neither draws nor scrolls at each of
  // the caret's steps.
  if (shown) {
    form_.frozen_.emplace(form_.Memo1);
  } else {
    form_.frozen_.reset();
  }
}

void FormRunView::ShowMessage(std::u16string_view text) { form_.ShowMessage(text); }

std::optional<std::string> FormRunView::AskDxfFileName() {
  wchar_t name[MAX_PATH * 4] = {};
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = form_.Handle();
  dialog.lpstrFilter = L"DXF file(*.dxf)\0*.dxf\0All file(*.*)\0*.*\0";
  dialog.lpstrFile = name;
  dialog.nMaxFile = static_cast<DWORD>(std::size(name));
  dialog.lpstrDefExt = L"dxf";
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!GetSaveFileNameW(&dialog)) return std::nullopt;
  return Narrow(name);
}

void FormRunView::CloseWithOk() { form_.Close(true); }
void FormRunView::SelectionChanged() { form_.Memo1SelectionChange(); }
void FormRunView::RepaintPreview() { InvalidateRect(form_.PreviewBox, nullptr, TRUE); }

// ---- Formatting controls ------------------------------------------------------------------

std::u16string FormFormattingControls::FaceBoxText() const { return form_.ControlText(form_.cName); }
void FormFormattingControls::SetFaceBoxText(std::u16string_view text) { form_.SetControlText(form_.cName, text); }
std::u16string FormFormattingControls::HeightBoxText() const { return form_.ControlText(form_.cHeight); }
void FormFormattingControls::SetHeightBoxText(std::u16string_view text) { form_.SetControlText(form_.cHeight, text); }
std::u16string FormFormattingControls::WidthBoxText() const { return form_.ControlText(form_.cWidth); }
void FormFormattingControls::SetWidthBoxText(std::u16string_view text) { form_.SetControlText(form_.cWidth, text); }

// After the focus change under way.
void FormFormattingControls::RefocusHeightBox() {
  PostMessageW(form_.Handle(), TForm1::kFocusControlMessage, reinterpret_cast<WPARAM>(form_.cHeight), 0);
}

void FormFormattingControls::RefocusWidthBox() {
  PostMessageW(form_.Handle(), TForm1::kFocusControlMessage, reinterpret_cast<WPARAM>(form_.cWidth), 0);
}

bool FormFormattingControls::BoldDown() const { return IsChecked(form_.sbBold); }
bool FormFormattingControls::ItalicDown() const { return IsChecked(form_.sbItalic); }

void FormFormattingControls::SetStyleButtons(bool boldDown, bool italicDown) {
  SetChecked(form_.sbBold, boldDown);
  SetChecked(form_.sbItalic, italicDown);
}

void FormFormattingControls::SetPrecisionLabel(std::u16string_view text) {
  SetWindowTextW(form_.Label1, Wide(text).c_str());
}

void FormFormattingControls::SelectionChanged() { form_.Memo1SelectionChange(); }
void FormFormattingControls::RefreshPreview() { form_.PreviewStep(); }

// ---- Show and close -----------------------------------------------------------------------

// A position set here raises no notification: the change handler runs as
// for a change by the user.
void FormShowCloseView::SetTrackBarPosition(int position) {
  SendMessageW(form_.TrackBar1, TBM_SETPOS, TRUE, std::clamp(position, kPrecisionMin, kPrecisionMax));
  form_.TrackBar1Change();
}

int FormShowCloseView::TrackBarPosition() const {
  return static_cast<int>(SendMessageW(form_.TrackBar1, TBM_GETPOS, 0, 0));
}

int FormShowCloseView::SymbolCount() const { return static_cast<int>(SendMessageW(form_.cSymbol, CB_GETCOUNT, 0, 0)); }
int FormShowCloseView::DefaultSymbol() const { return form_.fullestSymbol_; }

void FormShowCloseView::ChooseSymbol(int index) {
  SendMessageW(form_.cSymbol, CB_SETCURSEL, index < SymbolCount() ? index : -1, 0);
}

int FormShowCloseView::ChosenSymbol() const {
  return static_cast<int>(SendMessageW(form_.cSymbol, CB_GETCURSEL, 0, 0));
}

void FormShowCloseView::SetPaletteButtonDown(bool down) { SetChecked(form_.sbSymbol, down); }
bool FormShowCloseView::PaletteButtonDown() const { return IsChecked(form_.sbSymbol); }

// The window state applies once the modal run has shown the window. The run
// shows it normal (a window hidden while maximized comes back restored), so
// only a maximized state needs a step of its own.
void FormShowCloseView::SetMaximized(bool maximized) {
  if (maximized) PostMessageW(form_.Handle(), TForm1::kMaximizeMessage, 0, 0);
}

bool FormShowCloseView::Maximized() const { return IsZoomed(form_.Handle()) != FALSE; }
void FormShowCloseView::FollowPaletteButton() { form_.sbSymbolClick(); }
bool FormShowCloseView::ApplySymbolFont() { return form_.ApplySymbolFont(); }

void FormShowCloseView::ForgetSelectedCell() {
  if (form_.palette_ != nullptr) form_.palette_->ClearSelection();
  form_.SelectedCell = nullptr;
}

void FormShowCloseView::EmptyTextBox() {
  QuietSelection quiet(form_.Memo1);
  form_.memo_.Clear();
  form_.memo_.SetDefaultCharset(CharSet::Default);
}

void FormShowCloseView::FocusTextBox() {
  // A hidden window gives Memo1 the focus when the modal run shows and
  // activates it: focusing it now would activate it while hidden.
  form_.focusOnActivation_ = form_.Memo1;
  if (IsWindowVisible(form_.window_)) SetFocus(form_.Memo1);
}

// ---- The start-up window ------------------------------------------------------------------

namespace {

constexpr int kPhaseLabels[] = {win32::form2::Label1, win32::form2::Label2, win32::form2::Label3};
constexpr int kPhaseBars[] = {win32::form2::ProgressBar1, win32::form2::ProgressBar2, win32::form2::ProgressBar3};

}  // namespace

void StartUpProgress::ShowCaption(int phase, std::u16string_view caption) {
  if (Form2 != nullptr) Form2->ShowCaption(kPhaseLabels[phase], Wide(caption));
}

void StartUpProgress::StartBar(int phase, int maximum) {
  if (Form2 != nullptr) Form2->StartBar(kPhaseBars[phase], maximum);
}

void StartUpProgress::StepBar(int phase) {
  if (Form2 != nullptr) Form2->StepBar(kPhaseBars[phase]);
}

}  // namespace vx
