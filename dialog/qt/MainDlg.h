// TForm1, the text dialog: its controls, its fields and its handlers.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "dialog/FontList.h"
#include "dialog/FormGeometry.h"
#include "dialog/HostExports.h"
#include "engine/TextLayout.h"

class QAction;
class QComboBox;
class QFileDialog;
class QFrame;
class QLabel;
class QMenu;
class QPainter;
class QPushButton;
class QScrollArea;
class QSlider;
class QToolBar;
class QToolButton;

namespace vx {
class FontCatalog;
class GlyphSource;
class PreviewBox;
class RichEditBox;
class SymbolCell;
class DropDownComboBox;
class FormToolBar;
}  // namespace vx

// What the dialog's creation reads from the platform; tests give known lists.
struct TFormEnvironment {
  // The display's font family list (every family once, sorted without regard
  // to case); empty function: fontconfig's installed families.
  std::function<std::vector<std::string>()> displayFamilies;
  // Which families are TrueType and which have the symbol set; null: the
  // platform's font catalogue.
  vx::FontCatalog* catalog = nullptr;
  // Builds the start-up window; it may throw, and then none is shown.
  std::function<class TForm2*(QWidget* owner)> makeProgressWindow;
  // The glyph source for the preview and the conversion run; null: the
  // process's platform glyph source.
  vx::GlyphSource* glyphSource = nullptr;
};

class TForm1 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm1(const TFormEnvironment& environment = {});
  ~TForm1() override;

  // The client area a new dialog has, centred on the screen at every showing call.
  static constexpr int kClientWidth = vx::form_geometry::kClientWidth;
  static constexpr int kClientHeight = vx::form_geometry::kClientHeight;

  // Fields besides the controls, in this order; all start false, zero or empty.
  bool FConverting = false;
  std::array<vx::SymbolCell*, vx::kPaletteCellCount> SymbolCells{};
  vx::SymbolCell* SelectedCell = nullptr;
  int FMode = 0;
  double FHostHeight = 0.0;
  double FHostWidthFactor = 0.0;
  bool FHeightDropped = false;

  // Top tool bar.
  QToolBar* ToolBar1;
  QToolButton* SpeedButton1;
  QToolButton* SpeedButton2;
  QToolButton* sbSymbol;
  QFrame* Panel5;
  QLabel* Label5;
  vx::DropDownComboBox* cHeight;
  QLabel* Label4;
  QComboBox* cWidth;
  QFrame* Panel6;
  QLabel* Label6;
  QLabel* Label1;
  QSlider* TrackBar1;
  QToolButton* About;
  // Centre.
  QFrame* Panel3;
  vx::FormToolBar* ToolBar3;
  QLabel* Label3;
  QComboBox* cName;
  QToolButton* sbItalic;
  QToolButton* sbBold;
  vx::RichEditBox* Memo1;
  // Right panel (the symbol palette).
  QFrame* Panel2;
  vx::FormToolBar* ToolBar2;
  QLabel* Label2;
  QComboBox* cSymbol;
  QScrollArea* ScrollBox2;
  // Bottom panel.
  QFrame* Panel1;
  QFrame* Panel4;
  vx::PreviewBox* PreviewBox;
  QToolButton* AcadBtn;
  QToolButton* SpeedButton3;
  QPushButton* bInsSym;
  QPushButton* OkBtn;
  QPushButton* CancelBtn;
  // Not visible.
  QFileDialog* OpenDialog1;
  QFileDialog* SaveDialog1;
  QFileDialog* SaveDialog2;
  QMenu* PopupMenu1;
  QAction* Cut1;
  QAction* Copy1;
  QAction* Paste1;
  QAction* Undo1;

  // Applies a showing mode's captions, hints, hidden controls and border
  // icons, and stores it in FMode (dmHostSized also keeps height and factor).
  void ApplyMode(int mode, double height, double widthFactor);

  // Runs a handler; an error it raises ends it and is shown in a message box
  // with the error's text, as the toolkit's default error report would.
  // Running out of memory clears the point store and says "Out of memory".
  void RunHandler(const std::function<void()>& handler);

  // The symbol faces the catalogue found (cSymbol's items), for RTF files.
  bool IsSymbolFace(const std::string& face) const;
  // cSymbol's item that fills the palette most: the choice when none is stored.
  int FullestSymbol() const { return fullestSymbol_; }
  // Whether name is in the display's font family list, in any letter case.
  bool IsDisplayFamily(const QString& name) const;

  // Creation (the catalogue and the palette behind the start-up window).
  void FormCreate();
  // Show and close events.
  void FormShow();
  void FormClose();

  // The conversion run (the click handler of OkBtn).
  void OkBtnClick(QObject* sender);

  // Editor and formatting controls.
  void Memo1SelectionChange(QObject* sender);
  void cNameChange(QObject* sender);
  void cHeightDropDown(QObject* sender);
  void cHeightChange(QObject* sender);
  // Key filters: return true when the typed character is removed.
  bool cHeightKeyPess(QObject* sender, const QString& typed);
  void cHeightExit(QObject* sender);
  bool cWidthKeyPress(QObject* sender, const QString& typed);
  void cWidthExit(QObject* sender);
  void sbBoldClick(QObject* sender);
  void sbItalicClick(QObject* sender);
  void TrackBar1Change(QObject* sender);
  void SpeedButton1Click(QObject* sender);
  void SpeedButton2Click(QObject* sender);
  void PopupMenu1Popup(QObject* sender);
  void Cut1Click(QObject* sender);
  void Copy1Click(QObject* sender);
  void Paste1Click(QObject* sender);
  void Undo1Click(QObject* sender);

  // Preview.
  void PreviewStep();
  void PreviewBoxPaint(QPainter& painter);

  // Symbol palette, about box, help and registration: bound here, filled in
  // with the palette, settings and help work.
  void sbSymbolClick(QObject* sender);
  void cSymbolChange(QObject* sender);
  void PanelSClick(vx::SymbolCell* cell);
  void PanelSDblClick(QObject* sender);
  void SymbolPaint(vx::SymbolCell* cell, QPainter& painter);
  // Gives all 224 cells the face chosen in cSymbol; false when none is chosen.
  bool ApplySymbolFont();
  void AboutClick(QObject* sender);
  void SpeedButton3Click(QObject* sender);
  void AcadBtnClick(QObject* sender);

  // The message box every handler uses for its fixed texts.
  void ShowMessage(const QString& text);

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildTopToolBar();
  void BuildCentre();
  void BuildSymbolPanel();
  void BuildBottomPanel();
  void BuildHiddenParts();
  void ConnectHandlers();
  void PlaceRightAnchored();
  void BuildSymbolCell(int index);

  TFormEnvironment environment_;
  // The display's font family list, gathered once when the dialog is created.
  std::vector<std::string> displayFamilies_;
  int fullestSymbol_ = -1;
  vx::GlyphSource* glyphSource_;
  bool destroying_ = false;
};

// Form1 and ShowTTFTextDlg are declared with the other names of the host
// contract in dialog/HostExports.h.
