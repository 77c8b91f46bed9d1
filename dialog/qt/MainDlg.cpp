// TForm1's event table and handlers: modes, creation, show and close, the run, formatting controls, preview, palette.
#include "dialog/qt/MainDlg.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QShowEvent>
#include <QSlider>
#include <QToolButton>
#include <memory>
#include <optional>
#include <new>
#include <string>
#include <vector>

#include "dialog/ConversionRun.h"
#include "dialog/DialogModes.h"
#include "dialog/FormViews.h"
#include "dialog/HelpFile.h"
#include "dialog/PreviewMapping.h"
#include "dialog/qt/DialogWidgets.h"
#include "dialog/qt/InitProgress.h"
#include "dialog/qt/MyAbout.h"
#include "dialog/qt/RichEditBox.h"
#include "dialog/qt/SymbolCell.h"
#include "dialog/qt/SymbolPalette.h"
#include "engine/HostQueries.h"
#include "engine/OutlineFlattening.h"
#include "engine/TextLayout.h"
#include "platform/fonts/FontServices.h"
#include "setacaddlg/SetAcadDlg.h"

using vx::RichEditBox;

void TForm1::ConnectHandlers() {
  // Every handler runs through RunHandler, so an error never leaves the dialog.
  const auto bind = [this](auto* sender, auto signal, void (TForm1::*handler)(QObject*)) {
    connect(sender, signal, this, [this, sender, handler] { RunHandler([&] { (this->*handler)(sender); }); });
  };
  bind(OkBtn, &QPushButton::clicked, &TForm1::OkBtnClick);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  bind(Memo1, &RichEditBox::SelectionChange, &TForm1::Memo1SelectionChange);
  bind(cName->lineEdit(), &QLineEdit::textEdited, &TForm1::cNameChange);
  connect(cName, &QComboBox::activated, this, [this] { RunHandler([&] { cNameChange(cName); }); });
  bind(cHeight, &vx::DropDownComboBox::droppedDown, &TForm1::cHeightDropDown);
  connect(cHeight->lineEdit(), &QLineEdit::textEdited, this, [this] { RunHandler([&] { cHeightChange(cHeight); }); });
  connect(cHeight, &QComboBox::activated, this, [this] { RunHandler([&] { cHeightChange(cHeight); }); });
  // The boxes themselves hold the focus and see typed keys first.
  cHeight->installEventFilter(this);
  cWidth->installEventFilter(this);
  bind(sbBold, &QToolButton::clicked, &TForm1::sbBoldClick);
  bind(sbItalic, &QToolButton::clicked, &TForm1::sbItalicClick);
  bind(TrackBar1, &QSlider::valueChanged, &TForm1::TrackBar1Change);
  bind(SpeedButton1, &QToolButton::clicked, &TForm1::SpeedButton1Click);
  bind(SpeedButton2, &QToolButton::clicked, &TForm1::SpeedButton2Click);
  bind(PopupMenu1, &QMenu::aboutToShow, &TForm1::PopupMenu1Popup);
  connect(Memo1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu1->popup(Memo1->viewport()->mapToGlobal(at)); });
  bind(Cut1, &QAction::triggered, &TForm1::Cut1Click);
  bind(Copy1, &QAction::triggered, &TForm1::Copy1Click);
  bind(Paste1, &QAction::triggered, &TForm1::Paste1Click);
  bind(Undo1, &QAction::triggered, &TForm1::Undo1Click);
  PreviewBox->OnPaint = [this](QPainter& painter) { RunHandler([&] { PreviewBoxPaint(painter); }); };
  bind(sbSymbol, &QToolButton::clicked, &TForm1::sbSymbolClick);
  connect(cSymbol, &QComboBox::activated, this, [this] { RunHandler([&] { cSymbolChange(cSymbol); }); });
  bind(bInsSym, &QPushButton::clicked, &TForm1::PanelSDblClick);
  bind(About, &QToolButton::clicked, &TForm1::AboutClick);
  bind(SpeedButton3, &QToolButton::clicked, &TForm1::SpeedButton3Click);
  bind(AcadBtn, &QToolButton::clicked, &TForm1::AcadBtnClick);
  Memo1->SetSymbolFaceTest([this](const std::string& face) { return IsSymbolFace(face); });
}

void TForm1::RunHandler(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::bad_alloc&) {
    // The store is what grew: freeing it lets the message be shown, and a
    // partial conversion never reaches the host or a file.
    FreePointList();
    ShowMessage(QStringLiteral("Out of memory"));
  } catch (const std::exception& error) {
    ShowMessage(QString::fromUtf8(error.what()));
  } catch (...) {
    ShowMessage(QStringLiteral("Unknown error"));
  }
}

void TForm1::ShowMessage(const QString& text) {
  try {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Vexoglyph"), text, QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("Message"));
    box.exec();
  } catch (...) {
    // A message that cannot be shown is dropped; the dialog goes on.
  }
}

bool TForm1::IsDisplayFamily(const QString& name) const {
  return vx::ContainsFace(displayFamilies_, name.toStdString());
}

bool TForm1::IsSymbolFace(const std::string& face) const {
  std::vector<std::string> symbols;
  for (int i = 0; i < cSymbol->count(); ++i) symbols.push_back(cSymbol->itemText(i).toStdString());
  return vx::ContainsFace(symbols, face);
}

// ---- Modes -----------------------------------------------------------------

void TForm1::ApplyMode(int mode, double height, double widthFactor) {
  vx::FormModeView view(*this);
  vx::ModeFields fields{FMode, FHostHeight, FHostWidthFactor};
  if (!vx::ApplyMode(view, fields, mode, height, widthFactor)) return;
  FMode = fields.mode;
  FHostHeight = fields.hostHeight;
  FHostWidthFactor = fields.hostWidthFactor;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(kClientWidth / 2, kClientHeight / 2));
  }
}

void TForm1::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) RunHandler([this] { FormShow(); });
}

void TForm1::done(int result) {
  if (!destroying_) RunHandler([this] { FormClose(); });
  QDialog::done(result);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Panel1 && event->type() == QEvent::Resize) {
    PlaceRightAnchored();
    return false;
  }
  const bool heightBox = watched == cHeight;
  const bool widthBox = watched == cWidth;
  if (!heightBox && !widthBox) return QDialog::eventFilter(watched, event);
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    // Shortcuts (copy, paste, select all) and keys that type nothing are not
    // typed characters; Tab moves the focus as in any dialog. Delete edits and
    // Escape cancels the dialog, whatever control code the keyboard gives them.
    if (key->text().isEmpty() || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) ||
        key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Delete ||
        key->key() == Qt::Key_Escape) {
      return false;
    }
    bool removed = false;
    RunHandler([&] {
      removed = heightBox ? cHeightKeyPess(cHeight, key->text()) : cWidthKeyPress(cWidth, key->text());
    });
    return removed;
  }
  if (event->type() == QEvent::FocusOut) {
    // Leaving the box for another control of the dialog; a list dropping
    // down or another window taking over is no exit.
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
      RunHandler([&] { heightBox ? cHeightExit(cHeight) : cWidthExit(cWidth); });
    }
  }
  return false;
}

// ---- Creation: the font catalogue and the palette --------------------------

void TForm1::FormCreate() {
  TForm2* progress = nullptr;
  try {
    progress = environment_.makeProgressWindow ? environment_.makeProgressWindow(this) : new TForm2(this);
    Form2 = progress;
    progress->ShowPainted();
  } catch (...) {
    delete progress;
    progress = nullptr;
    Form2 = nullptr;
  }
  // The window goes away however the catalogue ends.
  const auto closeProgress = qScopeGuard([] {
    if (Form2 != nullptr) {
      Form2->hide();
      delete Form2;
      Form2 = nullptr;
    }
  });

  // The families by the names the glyph source resolves: the toolkit would
  // name a family that two foundries install only with each foundry added.
  displayFamilies_ = environment_.displayFamilies ? environment_.displayFamilies() : vx::InstalledFamilies();
  const std::vector<std::string>& families = displayFamilies_;
  std::optional<vx::FontServices> ownFonts;
  vx::FontCatalog* catalog = environment_.catalog;
  if (catalog == nullptr) catalog = &ownFonts.emplace().Catalog();
  vx::StartUpProgress startUp;  // shows nothing once Form2 is gone
  const vx::FontLists lists = vx::BuildFontLists(families, *catalog, &startUp);
  for (const std::string& face : lists.trueType) cName->addItem(QString::fromStdString(face));
  for (const std::string& face : lists.symbols) cSymbol->addItem(QString::fromStdString(face));
  fullestSymbol_ = lists.fullestSymbol;
  vx::BuildPaletteCells(vx::SymbolCell::kCount, &startUp, [this](int k) { BuildSymbolCell(k); });
  SelectedCell = nullptr;
}

void TForm1::BuildSymbolCell(int k) {
  auto* cell = new vx::SymbolCell(vx::SymbolCell::kFirstCode + k, ScrollBox2->widget());
  cell->SetCharset(vx::CharSet::Symbol);
  cell->SetFontColor(QColor(0, 0, 255));
  cell->OnClick = [this](vx::SymbolCell* c) { RunHandler([&] { PanelSClick(c); }); };
  cell->OnDblClick = [this](vx::SymbolCell* c) { RunHandler([&] { PanelSDblClick(c); }); };
  cell->OnPaint = [this](vx::SymbolCell* c, QPainter& painter) { RunHandler([&] { SymbolPaint(c, painter); }); };
  SymbolCells[static_cast<std::size_t>(k)] = cell;
}

// ---- Show and close --------------------------------------------------------

void TForm1::FormShow() {
  // The tool bars' buttons (sbItalic and sbBold among them) as high as cName.
  const int buttonHeight = cName->sizeHint().height();
  ToolBar3->SetButtonHeight(buttonHeight);
  ToolBar2->SetButtonHeight(buttonHeight);
  vx::FormShowCloseView view(*this);
  vx::FormShowSteps(view, FHeightDropped);
}

void TForm1::FormClose() {
  vx::FormShowCloseView view(*this);
  vx::FormCloseSteps(view);
}

// ---- The conversion run ----------------------------------------------------

void TForm1::OkBtnClick(QObject*) {
  vx::FormRunView view(*this);
  vx::RunConversion(view, *glyphSource_, vx::ModeFields{FMode, FHostHeight, FHostWidthFactor}, FConverting);
}

// ---- Editor and formatting controls ------------------------------------------

void TForm1::Memo1SelectionChange(QObject*) {
  if (destroying_) return;
  vx::FormFormattingControls form(*this);
  vx::ShowSelection(form, FConverting);
}

void TForm1::cNameChange(QObject*) {
  vx::FormFormattingControls form(*this);
  vx::ApplyFaceBox(form, displayFamilies_);
}

void TForm1::cHeightDropDown(QObject*) { FHeightDropped = true; }

void TForm1::cHeightChange(QObject*) {
  vx::FormFormattingControls form(*this);
  vx::ApplyPickedHeight(form, FHeightDropped);
}

bool TForm1::cHeightKeyPess(QObject*, const QString& typed) {
  vx::FormFormattingControls form(*this);
  return vx::FilterHeightKey(form, typed.toStdU16String());
}

void TForm1::cHeightExit(QObject*) {
  vx::FormFormattingControls form(*this);
  vx::ApplyTypedHeight(form);
}

bool TForm1::cWidthKeyPress(QObject*, const QString& typed) { return vx::FilterWidthKey(typed.toStdU16String()); }

void TForm1::cWidthExit(QObject*) {
  vx::FormFormattingControls form(*this);
  vx::RepairWidthBox(form);
}

void TForm1::sbBoldClick(QObject*) {
  vx::FormFormattingControls form(*this);
  vx::ApplyBoldButton(form);
}

void TForm1::sbItalicClick(QObject*) {
  vx::FormFormattingControls form(*this);
  vx::ApplyItalicButton(form);
}

void TForm1::TrackBar1Change(QObject*) {
  vx::FormFormattingControls form(*this);
  vx::ApplyPrecision(form, TrackBar1->value());
}

void TForm1::SpeedButton1Click(QObject*) {
  if (OpenDialog1->exec() != QDialog::Accepted || OpenDialog1->selectedFiles().isEmpty()) return;
  const QString path = OpenDialog1->selectedFiles().first();
  const vx::LoadResult loaded = vx::LoadDocumentFile(
      path.toStdString(), RichEditBox::DefaultFormat(), [this](const std::string& face) { return IsSymbolFace(face); });
  if (!loaded.ok) {
    ShowMessage(QString::fromStdString(loaded.error));
    return;
  }
  Memo1->SetDocument(loaded.text);
}

void TForm1::SpeedButton2Click(QObject*) {
  if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty()) return;
  const QString path = SaveDialog1->selectedFiles().first();
  std::string error;
  if (!vx::SaveRtfFile(path.toStdString(), Memo1->Document(), error,
                       [this](const std::string& face) { return IsSymbolFace(face); })) {
    ShowMessage(QString::fromStdString(error));
  }
}

void TForm1::PopupMenu1Popup(QObject*) {
  Paste1->setEnabled(Memo1->canPaste());
  const bool selected = Memo1->SelLength() >= 1;
  Copy1->setEnabled(selected);
  Cut1->setEnabled(selected);
  Undo1->setEnabled(Memo1->CanUndo());
}

void TForm1::Cut1Click(QObject*) {
  if (Memo1->SelLength() >= 1) Memo1->cut();
}

void TForm1::Copy1Click(QObject*) {
  if (Memo1->SelLength() >= 1) Memo1->copy();
}

void TForm1::Paste1Click(QObject*) {
  if (Memo1->canPaste()) Memo1->paste();
}

void TForm1::Undo1Click(QObject*) {
  if (Memo1->CanUndo()) Memo1->undo();
}

// ---- Preview ---------------------------------------------------------------

void TForm1::PreviewStep() {
  const vx::BoxEditor editor(*this);
  vx::ConvertPreviewCharacter(editor, sbBold->isChecked(), sbItalic->isChecked(), *glyphSource_);
  PreviewBox->repaint();
}

void TForm1::PreviewBoxPaint(QPainter& painter) {
  if (FConverting) return;
  const QRect box = PreviewBox->rect();
  const auto segments = vx::PreviewSegments(box.width(), box.height());
  if (!segments) {
    const QColor blank = Panel1->palette().color(QPalette::Window);
    painter.fillRect(box, blank);
    return;
  }
  painter.setPen(QPen(Qt::white, 1));
  for (const vx::PreviewSegment& s : *segments) painter.drawLine(s.from.x, s.from.y, s.to.x, s.to.y);
}

// ---- Palette, about box, help and registration -------------------------------

void TForm1::sbSymbolClick(QObject*) { vx::ShowSymbolPalette(sbSymbol->isChecked(), *Panel2, *bInsSym); }
void TForm1::cSymbolChange(QObject*) { ApplySymbolFont(); }
bool TForm1::ApplySymbolFont() { return vx::ApplySymbolFont(*cSymbol, SymbolCells); }
void TForm1::PanelSClick(vx::SymbolCell* cell) { vx::SelectSymbolCell(SelectedCell, cell); }
void TForm1::PanelSDblClick(QObject*) { vx::InsertSelectedSymbol(*Memo1, SelectedCell); }
void TForm1::SymbolPaint(vx::SymbolCell* cell, QPainter& painter) {
  vx::PaintSymbolCell(*cell, painter, cell == SelectedCell);
}
void TForm1::AboutClick(QObject*) { vx::RunAboutBox(); }
void TForm1::SpeedButton3Click(QObject*) { vx::OpenHelpFile(this); }
void TForm1::AcadBtnClick(QObject*) { ExecSetACAD(); }
