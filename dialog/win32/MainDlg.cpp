// TForm1 on Windows: the text dialog's window, controls, modes, handlers, conversion run and preview; ShowTTFTextDlg.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>
#include <richedit.h>

#include <algorithm>
#include <new>
#include <span>
#include <stdexcept>
#include <utility>

#include "dialog/ControlHints.h"
#include "dialog/DialogSettings.h"
#include "dialog/FontList.h"
#include "dialog/FormattingRules.h"
#include "dialog/HelpFile.h"
#include "dialog/NumberRules.h"
#include "dialog/PreviewMapping.h"
#include "dialog/ShowAndClose.h"
#include "dialog/win32/ControlIds.h"
#include "dialog/win32/InitProgress.h"
#include "dialog/win32/MyAbout.h"
#include "dialog/win32/PreviewBox.h"
#include "dialog/win32/SymbolPalette.h"
#include "dialog/win32/TextDialog.h"
#include "dialog/win32/WindowParts.h"
#include "engine/HostQueries.h"
#include "engine/OutlineFlattening.h"
#include "engine/TextLayout.h"
#include "platform/Utf.h"
#include "platform/fonts/FontCatalog.h"
#include "platform/fonts/FontSources.h"
#include "platform/win32/WideString.h"
#include "setacaddlg/win32/SetAcadDlg.h"

TForm1* Form1 = nullptr;

namespace {

namespace ids = vx::win32::form1;
using vx::win32::MakeChild;
using vx::win32::MakeLabel;

constexpr int kClientWidth = 738;
constexpr int kClientHeight = 489;
constexpr int kTopBarHeight = 58;
constexpr int kBottomPanelHeight = 95;
constexpr int kPaletteWidth = 261;
constexpr int kToolBarHeight = 26;
constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr UINT kMaximizeMessage = WM_APP + 1;

// UTF-16 text as the system's wide strings (the same code units).
std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

RECT Bounds(int x, int y, int width, int height) { return RECT{x, y, width, height}; }

HWND PushButton(HWND parent, const wchar_t* text, RECT bounds, int id, HFONT font, DWORD style = 0) {
  return MakeChild(parent, L"BUTTON", text, WS_TABSTOP | BS_PUSHBUTTON | style, bounds, id, font);
}

HWND EditableCombo(HWND parent, RECT bounds, int id, HFONT font, std::span<const std::u16string_view> items) {
  bounds.bottom = 300;  // the height of the dropped-down list
  HWND box = MakeChild(parent, WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, bounds, id,
                       font);
  for (std::u16string_view item : items) {
    SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
  }
  return box;
}

// The panels are frames drawn behind the controls they hold; the controls
// themselves are children of the dialog, so that GetDlgItem finds each one.
HWND PanelFrame(HWND parent, RECT bounds, int id, DWORD style = 0) {
  return MakeChild(parent, L"STATIC", L"", style, bounds, id, nullptr);
}

bool IsChecked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void SetChecked(HWND button, bool down) { SendMessageW(button, BM_SETCHECK, down ? BST_CHECKED : BST_UNCHECKED, 0); }

}  // namespace

// The run, the formatting rules and the preview read the box through the control.
class TForm1::MemoEditor final : public vx::RunEditor, public vx::FormattingEditor {
 public:
  explicit MemoEditor(vx::RichEditControl& memo) : memo_(memo) {}
  std::u16string Text() const override { return memo_.Text(); }
  int SelStart() const override { return memo_.SelStart(); }
  int SelLength() const override { return memo_.SelLength(); }
  void SetSelStart(int position) override { memo_.Select(position, 0); }
  vx::CharStyle CaretStyle() const override { return SelAttributes(); }
  vx::CharStyle SelAttributes() const override {
    const vx::CharFormat format = memo_.SelFormat();
    return vx::CharStyle{format.face, format.WholePoints(), format.bold, format.italic,
                         static_cast<std::uint8_t>(format.charset)};
  }
  void SetSelFace(const std::string& face) override { memo_.SetSelFace(face); }
  void SetSelSize(int points) override { memo_.SetSelSize(points); }
  void SetSelStyle(bool bold, bool italic) override { memo_.SetSelStyle(bold, italic); }
  std::vector<std::u16string> Lines() const override { return memo_.Lines(); }

 private:
  vx::RichEditControl& memo_;
};

// The form's controls as the formatting rules, the show and close steps and
// the font catalogue use them.
class TForm1::FormControls final : public vx::FormattingControls,
                                   public vx::ShowCloseView,
                                   public vx::CatalogueProgress {
 public:
  FormControls(TForm1& form, TForm2* progress = nullptr) : form_(form), progress_(progress) {}
  // FormattingControls.
  vx::FormattingEditor& Editor() override { return *form_.editor_; }
  std::u16string FaceBoxText() const override { return form_.ControlText(form_.cName); }
  void SetFaceBoxText(std::u16string_view text) override { form_.SetControlText(form_.cName, text); }
  std::u16string HeightBoxText() const override { return form_.ControlText(form_.cHeight); }
  void SetHeightBoxText(std::u16string_view text) override { form_.SetControlText(form_.cHeight, text); }
  std::u16string WidthBoxText() const override { return form_.ControlText(form_.cWidth); }
  void SetWidthBoxText(std::u16string_view text) override { form_.SetControlText(form_.cWidth, text); }
  // After the focus change under way.
  void RefocusHeightBox() override { PostMessageW(form_.window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(form_.cHeight), TRUE); }
  void RefocusWidthBox() override { PostMessageW(form_.window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(form_.cWidth), TRUE); }
  bool BoldDown() const override { return IsChecked(form_.sbBold); }
  bool ItalicDown() const override { return IsChecked(form_.sbItalic); }
  void SetStyleButtons(bool boldDown, bool italicDown) override {
    SetChecked(form_.sbBold, boldDown);
    SetChecked(form_.sbItalic, italicDown);
  }
  void SetPrecisionLabel(std::u16string_view text) override { SetWindowTextW(form_.Label1, Wide(text).c_str()); }
  void SelectionChanged() override { form_.Memo1SelectionChange(); }
  void RefreshPreview() override { form_.PreviewStep(); }
  // ShowCloseView.
  vx::FormattingControls& Formatting() override { return *this; }
  // A position set here raises no notification: the change handler runs as
  // for a change by the user.
  void SetTrackBarPosition(int position) override {
    SendMessageW(form_.TrackBar1, TBM_SETPOS, TRUE, std::clamp(position, vx::kPrecisionMin, vx::kPrecisionMax));
    form_.TrackBar1Change();
  }
  int TrackBarPosition() const override { return static_cast<int>(SendMessageW(form_.TrackBar1, TBM_GETPOS, 0, 0)); }
  int SymbolCount() const override { return static_cast<int>(SendMessageW(form_.cSymbol, CB_GETCOUNT, 0, 0)); }
  void ChooseSymbol(int index) override { SendMessageW(form_.cSymbol, CB_SETCURSEL, index < SymbolCount() ? index : -1, 0); }
  int ChosenSymbol() const override { return static_cast<int>(SendMessageW(form_.cSymbol, CB_GETCURSEL, 0, 0)); }
  void SetPaletteButtonDown(bool down) override { SetChecked(form_.sbSymbol, down); }
  bool PaletteButtonDown() const override { return IsChecked(form_.sbSymbol); }
  // The window state applies once the modal run has shown the window.
  void SetMaximized(bool maximized) override {
    if (maximized) PostMessageW(form_.window_, kMaximizeMessage, 0, 0);
  }
  bool Maximized() const override { return IsZoomed(form_.window_) != FALSE; }
  void FollowPaletteButton() override { form_.sbSymbolClick(); }
  bool ApplySymbolFont() override { return form_.ApplySymbolFont(); }
  void ForgetSelectedCell() override {
    if (form_.palette_ != nullptr) form_.palette_->ClearSelection();
    form_.SelectedCell = nullptr;
  }
  void EmptyTextBox() override {
    vx::QuietSelection quiet(form_.Memo1);
    form_.memo_.Clear();
    form_.memo_.SetDefaultCharset(vx::CharSet::Default);
  }
  void FocusTextBox() override { SetFocus(form_.Memo1); }
  // CatalogueProgress: the start-up window's labels and bars by phase.
  void ShowCaption(int phase, std::u16string_view caption) override {
    if (progress_ != nullptr) progress_->ShowCaption(kLabels[phase], Wide(caption));
  }
  void StartBar(int phase, int maximum) override {
    if (progress_ != nullptr) progress_->StartBar(kBars[phase], maximum);
  }
  void StepBar(int phase) override {
    if (progress_ != nullptr) progress_->StepBar(kBars[phase]);
  }

 private:
  static constexpr int kLabels[] = {vx::win32::form2::Label1, vx::win32::form2::Label2, vx::win32::form2::Label3};
  static constexpr int kBars[] = {vx::win32::form2::ProgressBar1, vx::win32::form2::ProgressBar2,
                                  vx::win32::form2::ProgressBar3};
  TForm1& form_;
  TForm2* progress_;
};

TForm1::TForm1() : glyphSource_(vx::MakeGlyphSource()) {
  if (!vx::LoadRichEditLibrary()) throw std::runtime_error("the RichEdit control is missing");
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  vx::win32::EnsureWindowClass(vx::win32::kForm1Class, &TForm1::Procedure);
  font_ = vx::win32::MakePixelFont(13);
  const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPCHILDREN;
  window_ = vx::win32::MakeTopWindow(vx::win32::kForm1Class, L"Form1", style, WS_EX_CONTROLPARENT, kClientWidth,
                                     kClientHeight, nullptr, this);
  if (window_ == nullptr) throw std::runtime_error("the text dialog's window cannot be made");
  Build();
  editor_ = std::make_unique<MemoEditor>(memo_);
  controls_ = std::make_unique<FormControls>(*this);
  fields_.mode = 0;
  FormCreate();
}

TForm1::~TForm1() {
  // Controls going away must not reach the handlers; the point store the
  // host may still read stays as it is.
  FConverting = true;
  frozen_.reset();
  if (window_ != nullptr) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  if (PopupMenu1 != nullptr) DestroyMenu(PopupMenu1);
  DeleteObject(font_);
  for (HFONT font : styleFonts_) DeleteObject(font);
}

void TForm1::Build() {
  BuildTopToolBar();
  BuildCentre();
  BuildBottomPanel();
  PopupMenu1 = CreatePopupMenu();
  AppendMenuW(PopupMenu1, MF_STRING, ids::Cut1, L"C&ut");
  AppendMenuW(PopupMenu1, MF_STRING, ids::Copy1, L"&Copy");
  AppendMenuW(PopupMenu1, MF_STRING, ids::Paste1, L"&Paste");
  AppendMenuW(PopupMenu1, MF_STRING, ids::Undo1, L"&Undo");
  // The panels lie behind the controls they hold (a later sibling would lie
  // behind an earlier one); the navy frame stays above the bottom panel.
  for (HWND panel : {Panel4, ToolBar3, ToolBar2, Panel3, Panel2, Panel5, Panel6, Panel1, ToolBar1}) {
    SetWindowPos(panel, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  PlaceCentre();
  AddHints();
}

void TForm1::AddHints() {
  hints_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, vx::win32::ModuleInstance(),
                           nullptr);
  const std::pair<HWND, std::u16string_view> tools[] = {
      {SpeedButton1, vx::hints::kOpenFile}, {SpeedButton2, vx::hints::kSaveFile},
      {sbSymbol, vx::hints::kSymbolList},   {cHeight, vx::hints::kFontHeight},
      {cWidth, vx::hints::kFontWidthFactor}, {TrackBar1, vx::hints::kPrecision},
      {cName, vx::hints::kFontName},        {sbItalic, vx::hints::kItalic},
      {sbBold, vx::hints::kBold},           {PreviewBox, vx::hints::kPreview},
      {SpeedButton3, vx::hints::kHelp}};
  for (const auto& [control, text] : tools) SetHint(control, text);
}

void TForm1::SetHint(HWND control, std::u16string_view text) {
  if (hints_ == nullptr) return;
  std::wstring wide = Wide(text);
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = wide.data();
  SendMessageW(hints_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (!text.empty()) SendMessageW(hints_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void TForm1::BuildTopToolBar() {
  ToolBar1 = PanelFrame(window_, Bounds(0, 0, kClientWidth, kTopBarHeight), ids::ToolBar1, SS_ETCHEDHORZ);
  SetWindowPos(ToolBar1, nullptr, 0, kTopBarHeight - 2, kClientWidth, 2, SWP_NOZORDER);
  SpeedButton1 = PushButton(window_, L"Open", Bounds(0, 0, 56, 56), ids::SpeedButton1, font_, BS_FLAT);
  SpeedButton2 = PushButton(window_, L"Save", Bounds(56, 0, 56, 56), ids::SpeedButton2, font_, BS_FLAT);
  sbSymbol = MakeChild(window_, L"BUTTON", L"Symbols", WS_TABSTOP | BS_AUTOCHECKBOX | BS_PUSHLIKE | BS_FLAT,
                       Bounds(112, 0, 56, 56), ids::sbSymbol, font_);
  Panel5 = PanelFrame(window_, Bounds(168, 0, 185, 56), ids::Panel5);
  Label5 = MakeLabel(window_, L"Font height", 176, 6, ids::Label5, font_);
  cHeight = EditableCombo(window_, Bounds(176, 24, 63, 22), ids::cHeight, font_, vx::kHeightChoices);
  SetWindowTextW(cHeight, Wide(vx::kFirstHeightText).c_str());
  Label4 = MakeLabel(window_, L"Font width factor", 256, 6, ids::Label4, font_);
  cWidth = EditableCombo(window_, Bounds(256, 24, 63, 22), ids::cWidth, font_, vx::kWidthChoices);
  SetWindowTextW(cWidth, Wide(vx::DefaultWidthText()).c_str());
  for (HWND box : {cHeight, cWidth}) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (GetComboBoxInfo(box, &info)) SetWindowSubclass(info.hwndItem, &TForm1::KeyFilter, 1, GetDlgCtrlID(box));
  }
  Panel6 = PanelFrame(window_, Bounds(353, 0, 136, 56), ids::Panel6);
  Label6 = MakeLabel(window_, L"Precision:", 361, 6, ids::Label6, font_);
  Label1 = MakeChild(window_, L"STATIC", L"8", SS_LEFT, Bounds(423, 6, 36, 16), ids::Label1, font_);
  TrackBar1 = MakeChild(window_, TRACKBAR_CLASSW, L"", WS_TABSTOP | TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS,
                        Bounds(357, 24, 128, 28), ids::TrackBar1, font_);
  SendMessageW(TrackBar1, TBM_SETRANGE, FALSE, MAKELPARAM(vx::kPrecisionMin, vx::kPrecisionMax));
  SendMessageW(TrackBar1, TBM_SETTICFREQ, 4, 0);
  SendMessageW(TrackBar1, TBM_SETPOS, TRUE, 8);
  About = PushButton(window_, L"About", Bounds(538, 0, 52, 56), ids::About, font_, BS_FLAT);
}

void TForm1::BuildCentre() {
  Panel3 = PanelFrame(window_, Bounds(0, kTopBarHeight, kClientWidth, 10), ids::Panel3);
  ToolBar3 = PanelFrame(window_, Bounds(0, kTopBarHeight, kClientWidth, kToolBarHeight), ids::ToolBar3);
  Label3 = MakeLabel(window_, L"Select Font :    ", 4, kTopBarHeight + 5, ids::Label3, font_);
  cName = EditableCombo(window_, Bounds(90, kTopBarHeight + 1, 184, 24), ids::cName, font_, {});
  const wchar_t* face = L"Times New Roman";
  styleFonts_[0] = CreateFontW(-21, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, face);
  styleFonts_[1] = CreateFontW(-21, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, face);
  sbItalic = MakeChild(window_, L"BUTTON", L"I ", WS_TABSTOP | BS_AUTOCHECKBOX | BS_PUSHLIKE,
                       Bounds(276, kTopBarHeight + 1, 28, 24), ids::sbItalic, styleFonts_[1]);
  sbBold = MakeChild(window_, L"BUTTON", L"B", WS_TABSTOP | BS_AUTOCHECKBOX | BS_PUSHLIKE,
                     Bounds(304, kTopBarHeight + 1, 28, 24), ids::sbBold, styleFonts_[0]);
  Memo1 = MakeChild(window_, vx::RichEditClassName(), L"",
                    WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL |
                        ES_AUTOHSCROLL | ES_NOHIDESEL | ES_DISABLENOSCROLL,
                    Bounds(0, kTopBarHeight + kToolBarHeight, kClientWidth, 10), ids::Memo1, nullptr);
  if (Memo1 == nullptr) throw std::runtime_error("the rich-text box cannot be made");
  memo_ = vx::RichEditControl(Memo1);
  SendMessageW(Memo1, EM_SETBKGNDCOLOR, 0, GetSysColor(COLOR_INFOBK));
  SendMessageW(Memo1, EM_SETTEXTMODE, TM_RICHTEXT | TM_MULTILEVELUNDO, 0);
  SendMessageW(Memo1, EM_SETEVENTMASK, 0, ENM_SELCHANGE | ENM_CHANGE);
  // The box's design font: Times New Roman, 30 points, regular.
  CHARFORMAT2W format = {};
  format.cbSize = sizeof(format);
  format.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_CHARSET | CFM_COLOR;
  lstrcpyW(format.szFaceName, face);
  format.yHeight = 30 * 20;
  format.crTextColor = GetSysColor(COLOR_WINDOWTEXT);
  format.bCharSet = DEFAULT_CHARSET;
  SendMessageW(Memo1, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  SendMessageW(Memo1, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));

  Panel2 = PanelFrame(window_, Bounds(kClientWidth - kPaletteWidth, kTopBarHeight, kPaletteWidth, 10), ids::Panel2);
  ToolBar2 = PanelFrame(window_, Bounds(kClientWidth - kPaletteWidth, kTopBarHeight, kPaletteWidth, kToolBarHeight),
                        ids::ToolBar2);
  Label2 = MakeChild(window_, L"STATIC", L"Symbols:   ", SS_RIGHT, Bounds(kClientWidth - kPaletteWidth, kTopBarHeight + 5, 87, 20),
                     ids::Label2, font_);
  cSymbol = MakeChild(window_, WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                      Bounds(kClientWidth - kPaletteWidth + 90, kTopBarHeight + 1, 166, 300), ids::cSymbol, font_);
  for (HWND control : {Panel2, ToolBar2, Label2, cSymbol}) ShowWindow(control, SW_HIDE);
}

void TForm1::BuildBottomPanel() {
  const int top = kClientHeight - kBottomPanelHeight;
  Panel1 = PanelFrame(window_, Bounds(0, top, kClientWidth, kBottomPanelHeight), ids::Panel1);
  Panel4 = MakeChild(window_, L"STATIC", L"", SS_SUNKEN | SS_NOTIFY, Bounds(1, top + 1, 112, 93), ids::Panel4, nullptr);
  PreviewBox = vx::win32::CreatePreviewBox(window_, Bounds(3, top + 3, 108, 89), ids::PreviewBox, &FConverting);
  // The box lies over the navy panel as its sibling: its erased background
  // is that panel's navy, which shows wherever the box paints nothing.
  SetWindowSubclass(PreviewBox, &TForm1::NavyBackground, 1, 0);
  AcadBtn = PushButton(window_, L"Acad", Bounds(120, top + 2, 56, 56), ids::AcadBtn, font_, BS_FLAT);
  SpeedButton3 = PushButton(window_, L"?", Bounds(344, top + 56, 23, 25), ids::SpeedButton3, font_);
  bInsSym = PushButton(window_, L"<--------  Insert Symbol", Bounds(kClientWidth - 257, top + 6, 253, 25), ids::bInsSym,
                       font_);
  ShowWindow(bInsSym, SW_HIDE);
  OkBtn = PushButton(window_, L"OK", Bounds(kClientWidth - 230, top + 58, 110, 28), ids::OkBtn, font_);
  CancelBtn = PushButton(window_, L"Cancel", Bounds(kClientWidth - 114, top + 58, 110, 28), ids::CancelBtn, font_);
}

void TForm1::PlaceCentre() {
  // The rich-text box takes the width the palette leaves it.
  RECT client;
  GetClientRect(window_, &client);
  const int width = client.right;
  const int height = client.bottom - kTopBarHeight - kBottomPanelHeight;
  const int textWidth = IsWindowVisible(Panel2) || IsChecked(sbSymbol) ? width - kPaletteWidth : width;
  SetWindowPos(Panel3, nullptr, 0, kTopBarHeight, textWidth, height, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(ToolBar3, nullptr, 0, kTopBarHeight, textWidth, kToolBarHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(Memo1, nullptr, 0, kTopBarHeight + kToolBarHeight, textWidth, height - kToolBarHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (ScrollBox2 != nullptr) SetWindowPos(ScrollBox2, nullptr, width - kPaletteWidth, kTopBarHeight + kToolBarHeight, kPaletteWidth,
               height - kToolBarHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(Panel2, nullptr, width - kPaletteWidth, kTopBarHeight, kPaletteWidth, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- Messages ----------------------------------------------------------------

LRESULT CALLBACK TForm1::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return vx::win32::ForwardToObject(window, message, wParam, lParam, &TForm1::window_, &TForm1::React);
}

LRESULT TForm1::React(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      Command(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->hwndFrom == Memo1 && header->code == EN_SELCHANGE) RunHandler([&] { Memo1SelectionChange(); });
      return 0;
    }
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lParam) == TrackBar1) RunHandler([&] { TrackBar1Change(); });
      return 0;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) == Memo1) {
        RunHandler([&] { PopupMenu1Popup(); });
        POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (at.x == -1 && at.y == -1) GetCursorPos(&at);
        TrackPopupMenu(PopupMenu1, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr);
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == Panel4) {
        static HBRUSH navy = CreateSolidBrush(kNavy);
        return reinterpret_cast<LRESULT>(navy);
      }
      break;
    case WM_SIZE:
      PlaceCentre();
      break;
    case kMaximizeMessage:
      ShowWindow(window_, SW_SHOWMAXIMIZED);
      return 0;
    case WM_CLOSE:
      Close(false);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void TForm1::Command(int id, int code) {
  if (id == IDCANCEL || (id == ids::CancelBtn && code == BN_CLICKED)) {
    Close(false);
    return;
  }
  if (updatingBoxes_) return;
  switch (id) {
    case ids::OkBtn:
      if (code == BN_CLICKED) RunHandler([&] { OkBtnClick(); });
      break;
    case ids::sbBold:
      if (code == BN_CLICKED) RunHandler([&] { sbBoldClick(); });
      break;
    case ids::sbItalic:
      if (code == BN_CLICKED) RunHandler([&] { sbItalicClick(); });
      break;
    case ids::sbSymbol:
      if (code == BN_CLICKED) RunHandler([&] { sbSymbolClick(); });
      break;
    case ids::SpeedButton1:
      if (code == BN_CLICKED) RunHandler([&] { SpeedButton1Click(); });
      break;
    case ids::SpeedButton2:
      if (code == BN_CLICKED) RunHandler([&] { SpeedButton2Click(); });
      break;
    case ids::SpeedButton3:
      if (code == BN_CLICKED) RunHandler([&] { vx::OpenHelpFile(window_); });
      break;
    case ids::About:
      if (code == BN_CLICKED) RunHandler([&] { vx::RunAboutBox(window_); });
      break;
    case ids::AcadBtn:
      if (code == BN_CLICKED) RunHandler([&] { ExecSetACAD(window_); });
      break;
    case ids::bInsSym:
      if (code == BN_CLICKED) RunHandler([&] { PanelSDblClick(); });
      break;
    case ids::cSymbol:
      if (code == CBN_SELCHANGE) RunHandler([&] { ApplySymbolFont(); });
      break;
    case ids::cName:
      if (code == CBN_EDITCHANGE) RunHandler([&] { cNameChange(); });
      if (code == CBN_SELCHANGE) {
        // The list's pick is the box's text only once the selection change is over.
        const LRESULT item = SendMessageW(cName, CB_GETCURSEL, 0, 0);
        wchar_t name[LF_FACESIZE * 2] = {};
        if (item >= 0) SendMessageW(cName, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(name));
        SetControlText(cName, std::u16string(reinterpret_cast<const char16_t*>(name)));
        RunHandler([&] { cNameChange(); });
      }
      break;
    case ids::cHeight:
      if (code == CBN_DROPDOWN) FHeightDropped = true;
      if (code == CBN_EDITCHANGE) RunHandler([&] { cHeightChange(); });
      if (code == CBN_SELCHANGE) {
        const LRESULT item = SendMessageW(cHeight, CB_GETCURSEL, 0, 0);
        wchar_t size[16] = {};
        if (item >= 0) SendMessageW(cHeight, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(size));
        SetControlText(cHeight, std::u16string(reinterpret_cast<const char16_t*>(size)));
        RunHandler([&] { cHeightChange(); });
      }
      if (code == CBN_KILLFOCUS) RunHandler([&] { cHeightExit(); });
      break;
    case ids::cWidth:
      if (code == CBN_KILLFOCUS) RunHandler([&] { cWidthExit(); });
      break;
    case ids::Cut1:
      if (memo_.SelLength() >= 1) SendMessageW(Memo1, WM_CUT, 0, 0);
      break;
    case ids::Copy1:
      if (memo_.SelLength() >= 1) SendMessageW(Memo1, WM_COPY, 0, 0);
      break;
    case ids::Paste1:
      if (IsClipboardFormatAvailable(CF_TEXT)) SendMessageW(Memo1, WM_PASTE, 0, 0);
      break;
    case ids::Undo1:
      if (memo_.CanUndo()) SendMessageW(Memo1, EM_UNDO, 0, 0);
      break;
    default:
      break;
  }
}

LRESULT CALLBACK TForm1::KeyFilter(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  if (message == WM_CHAR && (GetKeyState(VK_CONTROL) & 0x8000) == 0) {
    const std::u16string typed(1, static_cast<char16_t>(wParam));
    auto* form = reinterpret_cast<TForm1*>(GetWindowLongPtrW(GetAncestor(edit, GA_ROOT), GWLP_USERDATA));
    if (form == nullptr) return DefSubclassProc(edit, message, wParam, lParam);
    bool removed = false;
    if (static_cast<int>(data) == ids::cHeight) {
      form->RunHandler([&] { removed = vx::FilterHeightKey(*form->controls_, typed); });
      // The edit box of a combo box beeps at Enter; the size has been applied.
      if (typed == u"\r") return 0;
    } else {
      removed = vx::FilterWidthKey(typed);
    }
    if (removed) return 0;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

LRESULT CALLBACK TForm1::NavyBackground(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_ERASEBKGND) {
    RECT area;
    GetClientRect(box, &area);
    HBRUSH navy = CreateSolidBrush(kNavy);
    FillRect(reinterpret_cast<HDC>(wParam), &area, navy);
    DeleteObject(navy);
    return 1;
  }
  return DefSubclassProc(box, message, wParam, lParam);
}

template <class Handler>
void TForm1::RunHandler(Handler handler) {
  try {
    handler();
  } catch (const std::bad_alloc&) {
    // The store is what grew: freeing it lets the message be shown, and a
    // partial conversion never reaches the host or a file.
    FreePointList();
    ShowMessage(u"Out of memory");
  } catch (const std::exception& error) {
    ShowMessage(vx::FromUtf8(error.what()));
  } catch (...) {
    ShowMessage(u"Unknown error");
  }
}

std::u16string TForm1::ControlText(HWND control) const {
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), length + 1)));
  return std::u16string(text.begin(), text.end());
}

void TForm1::SetControlText(HWND control, std::u16string_view text) {
  // The dialog's own writes raise no change event.
  updatingBoxes_ = true;
  SetWindowTextW(control, Wide(text).c_str());
  updatingBoxes_ = false;
}

bool TForm1::IsSymbolFace(const std::string& face) const { return vx::ContainsFace(symbolFaces_, face); }

// ---- Modes and the modal run ---------------------------------------------------

void TForm1::SetTitle(std::u16string_view title) { SetWindowTextW(window_, Wide(title).c_str()); }

void TForm1::SetOkCaptionAndHint(std::u16string_view caption, std::u16string_view hint) {
  SetWindowTextW(OkBtn, Wide(caption).c_str());
  SetHint(OkBtn, hint);
}

void TForm1::SetCancelCaption(std::u16string_view caption) { SetWindowTextW(CancelBtn, Wide(caption).c_str()); }

void TForm1::HideSizeBoxesAndAcad() {
  for (HWND control : {Panel5, Label5, cHeight, Label4, cWidth, AcadBtn}) ShowWindow(control, SW_HIDE);
}

void TForm1::SetMinimizeBox(bool present) {
  LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
  style = present ? (style | WS_MINIMIZEBOX) : (style & ~static_cast<LONG_PTR>(WS_MINIMIZEBOX));
  SetWindowLongPtrW(window_, GWL_STYLE, style);
  SetWindowPos(window_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

bool TForm1::ShowMode(int mode, double height, double widthFactor) {
  if (!vx::ApplyMode(*this, fields_, mode, height, widthFactor)) return false;
  FMode = fields_.mode;
  FHostHeight = fields_.hostHeight;
  FHostWidthFactor = fields_.hostWidthFactor;
  return true;
}

void TForm1::ReleaseAfterRun() {
  releaseAfterRun_ = true;
  Close(false);
}

bool TForm1::ShowModal(HWND owner) {
  SetWindowLongPtrW(window_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
  ended_ = false;
  okResult_ = false;
  RunHandler([&] { FormShow(); });
  vx::win32::RunModalLoop(window_, owner, ended_);
  ShowWindow(window_, SW_HIDE);
  return okResult_;
}

void TForm1::Close(bool ok) {
  if (ended_) return;
  RunHandler([&] { FormClose(); });
  okResult_ = ok;
  ended_ = true;
  ShowWindow(window_, SW_HIDE);
}

// ---- Creation, show and close ------------------------------------------------

void TForm1::FormCreate() {
  TForm2* startup = vx::OpenStartupWindow(window_);
  // The start-up window goes away however the catalogue ends.
  struct CloseStartup {
    ~CloseStartup() { vx::CloseStartupWindow(); }
  } closeStartup;
  FormControls progress(*this, startup);
  displayFamilies_ = vx::InstalledFamilies();
  const std::unique_ptr<vx::FontCatalog> catalog = vx::MakeFontCatalog();
  const vx::FontLists lists = vx::BuildFontLists(displayFamilies_, *catalog, &progress);
  for (const std::string& face : lists.trueType) {
    SendMessageW(cName, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(vx::Widen(face).c_str()));
  }
  symbolFaces_ = lists.symbols;
  for (const std::string& face : symbolFaces_) {
    SendMessageW(cSymbol, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(vx::Widen(face).c_str()));
  }
  // The grid makes the cell windows; the third phase binds each into
  // SymbolCells in code order.
  palette_ = std::make_unique<vx::win32::SymbolPalette>(
      window_, Bounds(kClientWidth - kPaletteWidth, kTopBarHeight + kToolBarHeight, kPaletteWidth, 10), [] {});
  palette_->onDoubleClick = [this] { RunHandler([&] { PanelSDblClick(); }); };
  ScrollBox2 = palette_->ScrollBox();
  SetWindowPos(ScrollBox2, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowWindow(ScrollBox2, IsChecked(sbSymbol) ? SW_SHOW : SW_HIDE);
  vx::BuildPaletteCells(vx::win32::SymbolPalette::kCellCount, &progress, [this](int k) {
    SymbolCells[static_cast<std::size_t>(k)] = palette_->Cell(vx::win32::SymbolPalette::kFirstCode + k);
  });
  SelectedCell = nullptr;
  PlaceCentre();
}

bool TForm1::ApplySymbolFont() {
  const LRESULT item = SendMessageW(cSymbol, CB_GETCURSEL, 0, 0);
  if (item < 0 || palette_ == nullptr) return false;
  palette_->ApplySymbolFont(symbolFaces_[static_cast<std::size_t>(item)]);
  return true;
}

void TForm1::PanelSDblClick() {
  if (palette_ != nullptr) palette_->InsertSelected(memo_);
  SelectedCell = palette_ != nullptr && palette_->SelectedCode() != 0 ? palette_->Cell(palette_->SelectedCode()) : nullptr;
}

void TForm1::FormShow() { vx::FormShowSteps(*controls_, FHeightDropped); }

void TForm1::FormClose() { vx::FormCloseSteps(*controls_); }

// ---- The conversion run --------------------------------------------------------

void TForm1::OkBtnClick() {
  fields_.mode = FMode;
  fields_.hostHeight = FHostHeight;
  fields_.hostWidthFactor = FHostWidthFactor;
  vx::RunConversion(*this, *glyphSource_, fields_, FConverting);
}

vx::RunEditor& TForm1::Editor() { return *editor_; }

std::u16string TForm1::WidthBoxText() const { return ControlText(cWidth); }

void TForm1::ShowWaitCursor(bool shown) {
  SetCursor(LoadCursorW(nullptr, shown ? IDC_WAIT : IDC_ARROW));
  // While the text is laid out the box neither draws nor scrolls at each of
  // the caret's steps.
  if (shown) {
    frozen_.emplace(Memo1);
  } else {
    frozen_.reset();
  }
}

void TForm1::ShowMessage(std::u16string_view text) {
  MessageBoxW(window_, Wide(text).c_str(), L"Vexoglyph", MB_OK);
}

std::optional<std::string> TForm1::AskDxfFileName() {
  wchar_t name[MAX_PATH * 4] = {};
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = window_;
  dialog.lpstrFilter = L"DXF file(*.dxf)\0*.dxf\0All file(*.*)\0*.*\0";
  dialog.lpstrFile = name;
  dialog.nMaxFile = static_cast<DWORD>(std::size(name));
  dialog.lpstrDefExt = L"dxf";
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!GetSaveFileNameW(&dialog)) return std::nullopt;
  return vx::Narrow(name);
}

void TForm1::CloseWithOk() { Close(true); }

void TForm1::SelectionChanged() { Memo1SelectionChange(); }

void TForm1::RepaintPreview() { InvalidateRect(PreviewBox, nullptr, TRUE); }

// ---- Editor and formatting controls ------------------------------------------------

void TForm1::Memo1SelectionChange() { vx::ShowSelection(*controls_, FConverting); }
void TForm1::cNameChange() { vx::ApplyFaceBox(*controls_, displayFamilies_); }
void TForm1::cHeightChange() { vx::ApplyPickedHeight(*controls_, FHeightDropped); }
void TForm1::cHeightExit() { vx::ApplyTypedHeight(*controls_); }
void TForm1::cWidthExit() { vx::RepairWidthBox(*controls_); }
void TForm1::sbBoldClick() { vx::ApplyBoldButton(*controls_); }
void TForm1::sbItalicClick() { vx::ApplyItalicButton(*controls_); }
void TForm1::TrackBar1Change() {
  vx::ApplyPrecision(*controls_, static_cast<int>(SendMessageW(TrackBar1, TBM_GETPOS, 0, 0)));
}

void TForm1::sbSymbolClick() {
  const int shown = IsChecked(sbSymbol) ? SW_SHOW : SW_HIDE;
  for (HWND control : {Panel2, ToolBar2, Label2, cSymbol, ScrollBox2, bInsSym}) {
    if (control != nullptr) ShowWindow(control, shown);
  }
  PlaceCentre();
}

void TForm1::SpeedButton1Click() {
  wchar_t name[MAX_PATH * 4] = {};
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = window_;
  dialog.lpstrFilter = L"Text File(*.txt)\0*.txt\0Rich Text Format(*.rtf)\0*.rtf\0Any  File(*.*)\0*.*\0";
  dialog.lpstrFile = name;
  dialog.nMaxFile = static_cast<DWORD>(std::size(name));
  dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING;
  if (!GetOpenFileNameW(&dialog)) return;
  const std::string path = vx::Narrow(name);
  vx::CharFormat defaultFormat = memo_.SelFormat();
  const vx::LoadResult loaded =
      vx::LoadDocumentFile(path, defaultFormat, [this](const std::string& face) { return IsSymbolFace(face); });
  if (!loaded.ok) {
    ShowMessage(vx::FromUtf8(loaded.error));
    return;
  }
  memo_.SetDocument(loaded.text, [this](const std::string& face) { return IsSymbolFace(face); });
}

void TForm1::SpeedButton2Click() {
  wchar_t name[MAX_PATH * 4] = {};
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = window_;
  dialog.lpstrFilter = L"Rich Text Format(*.rtf)\0*.rtf\0Text File(*.txt)\0*.txt\0Any  File(*.*)\0*.*\0";
  dialog.lpstrFile = name;
  dialog.nMaxFile = static_cast<DWORD>(std::size(name));
  dialog.lpstrDefExt = L"txt";
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING;
  if (!GetSaveFileNameW(&dialog)) return;
  const std::string path = vx::Narrow(name);
  std::string error;
  if (!vx::SaveRtfFile(path, memo_.Document(), error, [this](const std::string& face) { return IsSymbolFace(face); })) {
    ShowMessage(vx::FromUtf8(error));
  }
}

void TForm1::PopupMenu1Popup() {
  const auto enable = [this](int id, bool on) { EnableMenuItem(PopupMenu1, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); };
  enable(ids::Paste1, IsClipboardFormatAvailable(CF_TEXT) != FALSE);
  const bool selected = memo_.SelLength() >= 1;
  enable(ids::Copy1, selected);
  enable(ids::Cut1, selected);
  enable(ids::Undo1, memo_.CanUndo());
}

// ---- Preview ---------------------------------------------------------------------

void TForm1::PreviewStep() {
  vx::ConvertPreviewCharacter(*editor_, IsChecked(sbBold), IsChecked(sbItalic), *glyphSource_);
  InvalidateRect(PreviewBox, nullptr, TRUE);
  UpdateWindow(PreviewBox);
}

// ---- The exported entry ----------------------------------------------------------

extern "C" int ShowTTFTextDlg(int mode, double height, double widthFactor) {
  try {
    // A release call with no dialog has nothing to release.
    if (!vx::IsShowingMode(mode) && Form1 == nullptr) return 0;
    // A sized call with numbers that are not finite would hand the host NaN coordinates.
    if (!vx::UsableHostNumbers(mode, height, widthFactor)) return 0;
    if (!vx::IsShowingMode(mode)) {
      TForm1* dialog = Form1;
      Form1 = nullptr;
      if (dialog->Running()) {
        // Called from inside the dialog's own modal run (a host's timer):
        // the run ends, and the showing call destroys the dialog after it.
        dialog->ReleaseAfterRun();
      } else {
        delete dialog;
      }
      return 0;
    }
    // The host's window, captured before the dialog takes the focus.
    HWND owner = GetActiveWindow();
    if (Form1 == nullptr) {
      try {
        Form1 = new TForm1();
      } catch (...) {
        Form1 = nullptr;
        return 0;
      }
    }
    if (Form1->Running()) return 0;  // a showing call while the dialog is shown
    TForm1* dialog = Form1;
    dialog->ShowMode(mode, height, widthFactor);
    const bool ok = dialog->ShowModal(owner);
    if (dialog->ReleaseRequested()) {
      delete dialog;
      return 0;
    }
    return ok ? 1 : 0;
  } catch (...) {
    return 0;
  }
}
