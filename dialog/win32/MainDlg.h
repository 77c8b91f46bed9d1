// TForm1 on Windows: the text dialog as a native window with a RichEdit control as Memo1.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dialog/FormGeometry.h"
#include "dialog/FormViews.h"
#include "dialog/HostExports.h"
#include "dialog/win32/RichEditControl.h"
#include "dialog/win32/ButtonPictures.h"
#include "dialog/win32/SymbolPalette.h"
#include "platform/fonts/FontServices.h"


// The dialog: a top-level window of the class TForm1 whose controls are
// children of the window itself, found by the IDs of vx::win32::form1. It
// lives hidden between showing calls, as the same instance. The rules reach
// it through the adapters of dialog/FormViews.h.
class TForm1 {
 public:
  // Builds the window and its controls, hidden, and runs FormCreate; raises
  // std::runtime_error when a window cannot be made.
  TForm1();
  ~TForm1();
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  HWND Handle() const { return window_; }

  // The client area as designed, and the bars' and the palette's places in it.
  static constexpr int kClientWidth = vx::form_geometry::kClientWidth;
  static constexpr int kClientHeight = vx::form_geometry::kClientHeight;
  static constexpr int kTopBarHeight = vx::form_geometry::kTopBarHeight;
  static constexpr int kBottomPanelHeight = vx::form_geometry::kBottomPanelHeight;
  static constexpr int kPaletteWidth = vx::form_geometry::kPaletteWidth;
  static constexpr int kToolBarHeight = vx::form_geometry::kToolBarHeight;
  // Posted to maximize the window once the modal run has shown it.
  static constexpr UINT kMaximizeMessage = WM_APP + 1;
  // Gives the control in wParam the focus, posted so that it comes after the
  // focus change under way. (Not WM_NEXTDLGCTL: one arrives on Ctrl+Tab in
  // the editor besides the modal run's own focus move, and answering it
  // moved the focus twice.)
  static constexpr UINT kFocusControlMessage = WM_APP + 2;

  // Fields besides the controls, in this order; all start false, zero or empty.
  bool FConverting = false;
  std::array<HWND, vx::kPaletteCellCount> SymbolCells{};
  HWND SelectedCell = nullptr;
  int FMode = 0;
  double FHostHeight = 0.0;
  double FHostWidthFactor = 0.0;
  bool FHeightDropped = false;

  // Controls, by their names in the form.
  HWND ToolBar1 = nullptr, SpeedButton1 = nullptr, SpeedButton2 = nullptr, sbSymbol = nullptr;
  HWND Panel5 = nullptr, Label5 = nullptr, cHeight = nullptr, Label4 = nullptr, cWidth = nullptr;
  HWND Panel6 = nullptr, Label6 = nullptr, Label1 = nullptr, TrackBar1 = nullptr, About = nullptr;
  HWND Panel3 = nullptr, ToolBar3 = nullptr, Label3 = nullptr, cName = nullptr, sbItalic = nullptr, sbBold = nullptr;
  HWND Memo1 = nullptr;
  HWND Panel2 = nullptr, ToolBar2 = nullptr, Label2 = nullptr, cSymbol = nullptr, ScrollBox2 = nullptr;
  HWND Panel1 = nullptr, Panel4 = nullptr, PreviewBox = nullptr, AcadBtn = nullptr, SpeedButton3 = nullptr;
  HWND bInsSym = nullptr, OkBtn = nullptr, CancelBtn = nullptr;
  HMENU PopupMenu1 = nullptr;

  // Applies a showing mode; false for a release value.
  bool ShowMode(int mode, double height, double widthFactor);
  // Shows the dialog modally over owner until it closes; true for the OK result.
  bool ShowModal(HWND owner);
  // Whether the modal run is going on.
  bool Running() const { return !ended_; }
  // Ends the modal run with the cancel result (a release call from inside it).
  void EndRun() { Close(false); }

  void FormCreate();
  void FormShow();
  void FormClose();
  void OkBtnClick();
  void Memo1SelectionChange();
  void cNameChange();
  void cHeightChange();
  void cHeightExit();
  void cWidthExit();
  void sbBoldClick();
  void sbItalicClick();
  void TrackBar1Change();
  void sbSymbolClick();
  void SpeedButton1Click();
  void SpeedButton2Click();
  void PopupMenu1Popup();
  void PreviewStep();
  // The palette: the face chosen in cSymbol for every cell (false when none
  // is chosen), and the insertion of the selected cell's character.
  bool ApplySymbolFont();
  void PanelSDblClick();

  // The message box every handler uses for its fixed texts.
  void ShowMessage(std::u16string_view text);

 private:
  // The adapters of dialog/FormViews.h reach the controls and helpers below.
  friend class vx::BoxEditor;
  friend class vx::FormModeView;
  friend class vx::FormRunView;
  friend class vx::FormFormattingControls;
  friend class vx::FormShowCloseView;
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK NavyBackground(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data);
  static LRESULT CALLBACK KeyFilter(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR data);
  static LRESULT CALLBACK EditorKeys(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR data);
  LRESULT React(UINT message, WPARAM wParam, LPARAM lParam);
  void Command(int id, int code);
  // Runs a handler; an error it raises ends it and is shown in a message box.
  template <class Handler>
  void RunHandler(Handler handler);
  void Build();
  // The hints shown while the pointer rests on a control: one tooltip
  // window for the form, one tool per control.
  void AddHints();
  void SetHint(HWND control, std::u16string_view text);
  void BuildTopToolBar();
  void BuildCentre();
  void BuildBottomPanel();
  // Lays the controls out for the client area's size: the top bar along the
  // top, the bottom panel along the bottom with OK, Cancel and bInsSym at the
  // right edge, the editor (and the palette when open) between them.
  void PlaceControls();
  void PlaceCentre();
  void PlaceBottomPanel();
  void Close(bool ok);
  bool IsSymbolFace(const std::string& face) const;
  std::u16string ControlText(HWND control) const;
  void SetControlText(HWND control, std::u16string_view text);

  HWND window_ = nullptr;
  HWND hints_ = nullptr;  // the tooltip window, owned by the form
  HWND focusOnActivation_ = nullptr;  // the control focused when the window was last active
  HFONT font_ = nullptr;
  vx::win32::ButtonIcons icons_;  // the picture buttons' pictures
  HFONT styleFonts_[2] = {nullptr, nullptr};  // sbBold, sbItalic
  vx::RichEditControl memo_;
  vx::FormFormattingControls formatting_{*this};  // the formatting handlers' view of the controls
  std::unique_ptr<vx::win32::SymbolPalette> palette_;
  std::optional<vx::FrozenBox> frozen_;  // while the run lays the text out
  vx::FontServices fonts_;
  std::vector<std::string> displayFamilies_;
  std::vector<std::string> symbolFaces_;
  int fullestSymbol_ = -1;  // cSymbol's item that fills the palette most
  bool ended_ = true;
  bool okResult_ = false;
  bool updatingBoxes_ = false;  // the dialog's own writes into its boxes raise no change event
};
