// TForm1 on Windows: its messages and handlers (modes and the modal run, creation, show and close, the conversion run, formatting controls, preview, palette).
#include "dialog/win32/MainDlg.h"

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>
#include <richedit.h>

#include <new>

#include "dialog/FormViews.h"
#include "dialog/HelpFile.h"
#include "dialog/PreviewMapping.h"
#include "dialog/win32/ControlIds.h"
#include "dialog/win32/InitProgress.h"
#include "dialog/win32/MyAbout.h"
#include "windowparts/win32/WindowParts.h"
#include "engine/HostQueries.h"
#include "base/Utf.h"
#include "platform/fonts/FontCatalog.h"
#include "platform/fonts/FontServices.h"
#include "platform/win32/WideString.h"
#include "setacaddlg/win32/SetAcadDlg.h"

namespace {

namespace ids = vx::win32::form1;
using vx::win32::IsChecked;
using vx::win32::Wide;

constexpr COLORREF kNavy = RGB(0, 0, 128);

}  // namespace

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
      PlaceControls();
      break;
    case WM_GETMINMAXINFO: {
      // The frame around the smallest client area that shows every control.
      RECT frame{0, 0, vx::form_geometry::kMinClientWidth, vx::form_geometry::kMinClientHeight};
      AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      limits->ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
      return 0;
    }
    case WM_ACTIVATE:
      // As a dialog box does: the control that had the focus gets it back
      // when the window is active again (after a message box, at a showing).
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focused = GetFocus();
        if (focused != nullptr && IsChild(window_, focused)) focusOnActivation_ = focused;
      } else {
        SetFocus(IsWindow(focusOnActivation_) ? focusOnActivation_ : Memo1);
      }
      return 0;
    case kFocusControlMessage: {
      const auto control = reinterpret_cast<HWND>(wParam);
      if (IsChild(window_, control)) SetFocus(control);
      return 0;
    }
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
      if (memo_.CanPaste()) SendMessageW(Memo1, WM_PASTE, 0, 0);
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
      form->RunHandler([&] { removed = vx::FilterHeightKey(form->formatting_, typed); });
      // The edit box of a combo box beeps at Enter; the size has been applied.
      if (typed == u"\r") return 0;
    } else {
      removed = vx::FilterWidthKey(typed);
    }
    if (removed) return 0;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

// Memo1's keys as the dialog's keyboard handling sees them: Tab (and
// Shift+Tab) are the editor's own, Ctrl+Tab and Ctrl+Shift+Tab move the
// focus out of it, and entering it by Tab keeps the caret where it was
// (without the select-all a dialog gives an edit box it tabs into).
LRESULT CALLBACK TForm1::EditorKeys(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message != WM_GETDLGCODE) return DefSubclassProc(edit, message, wParam, lParam);
  LRESULT code = DefSubclassProc(edit, message, wParam, lParam) & ~DLGC_HASSETSEL;
  const auto* key = reinterpret_cast<const MSG*>(lParam);
  if (key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_TAB && (GetKeyState(VK_CONTROL) & 0x8000) != 0) {
    code &= ~(DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE);
  }
  return code;
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

bool TForm1::ShowMode(int mode, double height, double widthFactor) {
  vx::FormModeView view(*this);
  vx::ModeFields fields{FMode, FHostHeight, FHostWidthFactor};
  if (!vx::ApplyMode(view, fields, mode, height, widthFactor)) return false;
  FMode = fields.mode;
  FHostHeight = fields.hostHeight;
  FHostWidthFactor = fields.hostWidthFactor;
  return true;
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
  vx::OpenStartupWindow(window_);
  // The start-up window goes away however the catalogue ends.
  struct CloseStartup {
    ~CloseStartup() { vx::CloseStartupWindow(); }
  } closeStartup;
  vx::StartUpProgress progress;  // shows nothing once Form2 is gone
  displayFamilies_ = vx::InstalledFamilies();
  const vx::FontLists lists = vx::BuildFontLists(displayFamilies_, fonts_.Catalog(), &progress);
  for (const std::string& face : lists.trueType) {
    SendMessageW(cName, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(vx::Widen(face).c_str()));
  }
  symbolFaces_ = lists.symbols;
  fullestSymbol_ = lists.fullestSymbol;
  for (const std::string& face : symbolFaces_) {
    SendMessageW(cSymbol, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(vx::Widen(face).c_str()));
  }
  // The grid makes the cell windows; the third phase binds each into
  // SymbolCells in code order.
  palette_ = std::make_unique<vx::win32::SymbolPalette>(
      window_, RECT{kClientWidth - kPaletteWidth, kTopBarHeight + kToolBarHeight, kPaletteWidth, 10}, [] {});
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

void TForm1::FormShow() {
  vx::FormShowCloseView view(*this);
  vx::FormShowSteps(view, FHeightDropped);
}

void TForm1::FormClose() {
  vx::FormShowCloseView view(*this);
  vx::FormCloseSteps(view);
}

// ---- The conversion run --------------------------------------------------------

void TForm1::OkBtnClick() {
  vx::FormRunView view(*this);
  vx::RunConversion(view, fonts_.Glyphs(), vx::ModeFields{FMode, FHostHeight, FHostWidthFactor}, FConverting);
}

void TForm1::ShowMessage(std::u16string_view text) {
  MessageBoxW(window_, Wide(text).c_str(), L"Vexoglyph", MB_OK);
}

// ---- Editor and formatting controls ------------------------------------------------

void TForm1::Memo1SelectionChange() { vx::ShowSelection(formatting_, FConverting); }
void TForm1::cNameChange() { vx::ApplyFaceBox(formatting_, displayFamilies_); }
void TForm1::cHeightChange() { vx::ApplyPickedHeight(formatting_, FHeightDropped); }
void TForm1::cHeightExit() { vx::ApplyTypedHeight(formatting_); }
void TForm1::cWidthExit() { vx::RepairWidthBox(formatting_); }
void TForm1::sbBoldClick() { vx::ApplyBoldButton(formatting_); }
void TForm1::sbItalicClick() { vx::ApplyItalicButton(formatting_); }

void TForm1::TrackBar1Change() {
  vx::ApplyPrecision(formatting_, static_cast<int>(SendMessageW(TrackBar1, TBM_GETPOS, 0, 0)));
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
  enable(ids::Paste1, memo_.CanPaste());
  const bool selected = memo_.SelLength() >= 1;
  enable(ids::Copy1, selected);
  enable(ids::Cut1, selected);
  enable(ids::Undo1, memo_.CanUndo());
}

// ---- Preview ---------------------------------------------------------------------

void TForm1::PreviewStep() {
  const vx::BoxEditor editor(*this);
  vx::ConvertPreviewCharacter(editor, IsChecked(sbBold), IsChecked(sbItalic), fonts_.Glyphs());
  InvalidateRect(PreviewBox, nullptr, TRUE);
  UpdateWindow(PreviewBox);
}
