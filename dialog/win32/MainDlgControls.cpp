// TForm1's construction on Windows: every control of the text dialog at its place, with its captions, hints and lists.
#include "dialog/win32/MainDlg.h"

#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <span>
#include <stdexcept>
#include <utility>

#include "dialog/ControlHints.h"
#include "dialog/FormattingRules.h"
#include "dialog/win32/ControlIds.h"
#include "dialog/win32/PreviewBox.h"
#include "windowparts/win32/WindowParts.h"
#include "engine/OutlineFlattening.h"
#include "platform/fonts/FontServices.h"

namespace {

namespace ids = vx::win32::form1;
using vx::win32::IsChecked;
using vx::win32::MakeChild;
using vx::win32::MakeLabel;
using vx::win32::Wide;

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

// A picture button shows its picture instead of its caption, which stays its
// window text (what a screen reader says); without a picture, the caption.
void ShowPicture(HWND button, HICON picture) {
  if (picture == nullptr) return;
  SetWindowLongPtrW(button, GWL_STYLE, GetWindowLongPtrW(button, GWL_STYLE) | BS_ICON);
  SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(picture));
}

// The panels are frames drawn behind the controls they hold; the controls
// themselves are children of the dialog, so that GetDlgItem finds each one.
HWND PanelFrame(HWND parent, RECT bounds, int id, DWORD style = 0) {
  return MakeChild(parent, L"STATIC", L"", style, bounds, id, nullptr);
}

}  // namespace

TForm1::TForm1() {
  if (!vx::LoadRichEditLibrary()) throw std::runtime_error("the RichEdit control is missing");
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  vx::win32::EnsureWindowClass(vx::win32::kForm1Class, &TForm1::Procedure);
  font_ = vx::win32::MakePixelFont(13);
  const DWORD style = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPCHILDREN;
  window_ = vx::win32::MakeTopWindow(vx::win32::kForm1Class, L"Form1", style, WS_EX_CONTROLPARENT, kClientWidth,
                                     kClientHeight, nullptr, this);
  if (window_ == nullptr) throw std::runtime_error("the text dialog's window cannot be made");
  Build();
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
  PlaceControls();
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
      {SpeedButton3, vx::hints::kHelp},     {About, vx::hints::kAbout},
      {AcadBtn, vx::hints::kAcad}};
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
  ShowPicture(SpeedButton1, icons_.Of(vx::ButtonPicture::OpenFile));
  ShowPicture(SpeedButton2, icons_.Of(vx::ButtonPicture::SaveFile));
  ShowPicture(sbSymbol, icons_.Of(vx::ButtonPicture::SymbolList));
  ShowPicture(About, icons_.Of(vx::ButtonPicture::About));
}

void TForm1::BuildCentre() {
  Panel3 = PanelFrame(window_, Bounds(0, kTopBarHeight, kClientWidth, 10), ids::Panel3);
  ToolBar3 = PanelFrame(window_, Bounds(0, kTopBarHeight, kClientWidth, kToolBarHeight), ids::ToolBar3);
  // As wide as the room before cName: the caption's trailing spaces would
  // make a label sized to its text reach under the box.
  Label3 = MakeChild(window_, L"STATIC", L"Select Font :    ", SS_LEFT | SS_NOPREFIX, Bounds(4, kTopBarHeight + 5, 84, 16),
                     ids::Label3, font_);
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
  SetWindowSubclass(Memo1, &TForm1::EditorKeys, 1, 0);
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
  ShowPicture(AcadBtn, icons_.Of(vx::ButtonPicture::Acad));
  SpeedButton3 = PushButton(window_, L"?", Bounds(344, top + 56, 23, 25), ids::SpeedButton3, font_);
  bInsSym = PushButton(window_, L"<--------  Insert Symbol", Bounds(kClientWidth - 257, top + 6, 253, 25), ids::bInsSym,
                       font_);
  ShowWindow(bInsSym, SW_HIDE);
  OkBtn = PushButton(window_, L"OK", Bounds(kClientWidth - 230, top + 58, 110, 28), ids::OkBtn, font_);
  CancelBtn = PushButton(window_, L"Cancel", Bounds(kClientWidth - 114, top + 58, 110, 28), ids::CancelBtn, font_);
}

void TForm1::PlaceControls() {
  RECT client;
  GetClientRect(window_, &client);
  if (client.right <= 0 || client.bottom <= 0) return;  // minimized
  SetWindowPos(ToolBar1, nullptr, 0, kTopBarHeight - 2, client.right, 2, SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceBottomPanel();
  PlaceCentre();
}

void TForm1::PlaceBottomPanel() {
  RECT client;
  GetClientRect(window_, &client);
  const int top = client.bottom - kBottomPanelHeight;
  const int right = client.right;
  const auto place = [](HWND control, int x, int y) {
    SetWindowPos(control, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  };
  SetWindowPos(Panel1, nullptr, 0, top, right, kBottomPanelHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  place(Panel4, 1, top + 1);
  place(PreviewBox, 3, top + 3);
  place(AcadBtn, 120, top + 2);
  place(SpeedButton3, 344, top + 56);
  place(bInsSym, right - 257, top + 6);
  place(OkBtn, right - 230, top + 58);
  place(CancelBtn, right - 114, top + 58);
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
  SetWindowPos(ToolBar2, nullptr, width - kPaletteWidth, kTopBarHeight, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(Label2, nullptr, width - kPaletteWidth, kTopBarHeight + 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(cSymbol, nullptr, width - kPaletteWidth + 90, kTopBarHeight + 1, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
