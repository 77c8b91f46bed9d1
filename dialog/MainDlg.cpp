// TForm1: the text dialog's controls, modes, formatting handlers, conversion run and preview; ShowTTFTextDlg.
#include "dialog/MainDlg.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScopeGuard>
#include <QScrollArea>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QTextBlock>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "dialog/ButtonPictures.h"
#include "dialog/ConversionRun.h"
#include "dialog/DialogModes.h"
#include "dialog/DialogWidgets.h"
#include "dialog/DisplayPlatform.h"
#include "dialog/FormBuilding.h"
#include "dialog/FormSettings.h"
#include "dialog/HelpFile.h"
#include "dialog/InitProgress.h"
#include "dialog/MyAbout.h"
#include "dialog/NumberRules.h"
#include "dialog/PreviewMapping.h"
#include "dialog/RichEditBox.h"
#include "dialog/SymbolCell.h"
#include "dialog/SymbolPalette.h"
#include "dxf/DxfWriter.h"
#include "engine/HostQueries.h"
#include "engine/OutlineFlattening.h"
#include "engine/TextLayout.h"
#include "platform/FontSources.h"
#include "setacaddlg/SetAcadDlg.h"

VX_EXPORT TForm1* Form1 = nullptr;

namespace {

using vx::MakeLabel;
using vx::Named;
using vx::RichEditBox;

constexpr int kClientWidth = 738;
constexpr int kClientHeight = 489;
constexpr int kTopBarHeight = 58;
constexpr int kBottomPanelHeight = 95;
constexpr int kPaletteWidth = 261;
constexpr int kToolBarHeight = 26;  // 24-pixel buttons above the bar's edge
constexpr int kPreviewHeight = 200;  // preview glyphs are outlined at 200 x 200 units

QToolButton* PictureButton(QWidget* parent, const char* name, const QIcon& icon, QRect geometry) {
  auto* button = Named(new QToolButton(parent), name);
  button->setIcon(icon);
  button->setIconSize(QSize(32, 32));
  button->setAutoRaise(true);
  button->setGeometry(geometry);
  return button;
}

QPushButton* MakePushButton(QWidget* parent, const char* name, const QString& text) {
  auto* button = Named(new QPushButton(text, parent), name);
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

// A name filter whose shown text is a "description(pattern)" pair. A "*.*"
// pattern means every file, as users of the "Any file" entry expect; here it
// would match only names with a point, so "*" does the matching and the
// shown text stays as written.
QString NameFilter(const QString& shown) {
  const qsizetype open = shown.lastIndexOf(QLatin1Char('('));
  QString pattern = shown.mid(open + 1, shown.size() - open - 2);
  if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
  return shown + QStringLiteral(" (") + pattern + QLatin1Char(')');
}

QFileDialog* MakeFileDialog(QWidget* parent, const char* name, QFileDialog::AcceptMode mode,
                            const QStringList& filters) {
  auto* dialog = Named(new QFileDialog(parent), name);
  dialog->setOption(QFileDialog::DontUseNativeDialog, true);
  // Only the shown texts appear in the list of file types.
  dialog->setOption(QFileDialog::HideNameFilterDetails, true);
  dialog->setAcceptMode(mode);
  QStringList nameFilters;
  for (const QString& shown : filters) nameFilters << NameFilter(shown);
  dialog->setNameFilters(nameFilters);
  dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  return dialog;
}

vx::GlyphSource& ProcessGlyphSource() {
  static const std::unique_ptr<vx::GlyphSource> source = vx::MakeGlyphSource();
  return *source;
}

}  // namespace

TForm1::TForm1(const TFormEnvironment& environment)
    : QDialog(nullptr), environment_(environment),
      glyphSource_(environment.glyphSource != nullptr ? environment.glyphSource : &ProcessGlyphSource()) {
  setObjectName(QStringLiteral("Form1"));
  QFont dialogFont(QStringLiteral("MS Sans Serif"));
  // 11 pixels rather than the form's 13: the face standing in for MS Sans Serif is
  // wider, and at 13 pixels "Font width factor" no longer fits its panel.
  dialogFont.setPixelSize(11);
  setFont(dialogFont);
  setFixedSize(kClientWidth, kClientHeight);
  setWindowTitle(QStringLiteral("Form1"));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  BuildTopToolBar();
  BuildCentre();
  BuildSymbolPanel();
  BuildBottomPanel();
  BuildHiddenParts();
  layout->addWidget(ToolBar1);
  auto* middle = new QHBoxLayout;
  middle->setContentsMargins(0, 0, 0, 0);
  middle->setSpacing(0);
  middle->addWidget(Panel3, 1);
  middle->addWidget(Panel2);
  layout->addLayout(middle, 1);
  layout->addWidget(Panel1);
  ConnectHandlers();
  ApplyMode(vx::dmStandalone, 0.0, 0.0);
  FMode = 0;
  FormCreate();
}

TForm1::~TForm1() {
  // Controls going away must not reach the handlers, and the point store the
  // host may still read stays as it is.
  destroying_ = true;
  Memo1->blockSignals(true);
  if (Form2 != nullptr && Form2->parent() == this) Form2 = nullptr;
}

void TForm1::BuildTopToolBar() {
  ToolBar1 = Named(new QToolBar(this), "ToolBar1");
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  ToolBar1->setFixedHeight(kTopBarHeight);
  SpeedButton1 = PictureButton(ToolBar1, "SpeedButton1", vx::OpenFilePicture(), {0, 0, 56, 56});
  SpeedButton1->setToolTip(QStringLiteral("Open text file"));
  SpeedButton2 = PictureButton(ToolBar1, "SpeedButton2", vx::SaveFilePicture(), {56, 0, 56, 56});
  SpeedButton2->setToolTip(QStringLiteral("Save text to file"));
  sbSymbol = PictureButton(ToolBar1, "sbSymbol", vx::SymbolListPicture(), {112, 0, 56, 56});
  sbSymbol->setToolTip(QStringLiteral("Open symbol list"));
  sbSymbol->setCheckable(true);

  Panel5 = Named(new QFrame(ToolBar1), "Panel5");
  Panel5->setGeometry(168, 0, 185, 56);
  Label5 = MakeLabel(Panel5, "Label5", QStringLiteral("Font height"), {8, 6});
  cHeight = Named(new vx::DropDownComboBox(Panel5), "cHeight");
  cHeight->setGeometry(8, 24, 63, 22);
  cHeight->setToolTip(QStringLiteral("Font height"));
  Label4 = MakeLabel(Panel5, "Label4", QStringLiteral("Font width factor"), {88, 6});
  cWidth = Named(new QComboBox(Panel5), "cWidth");
  cWidth->setGeometry(88, 24, 63, 22);
  cWidth->setToolTip(QStringLiteral("Font width factor"));
  for (QComboBox* box : {static_cast<QComboBox*>(cHeight), cWidth}) {
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
  }
  for (int size : {1, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90, 95, 100}) {
    cHeight->addItem(QString::number(size));
  }
  cHeight->setEditText(QStringLiteral("28"));
  cWidth->addItems({"0.2", "0.4", "0.5", "0.6", "0.65", "0.7", "0.75", "0.8", "0.85", "0.9", "0.95", "1.0",
                    "1.2", "1.5"});
  cWidth->setEditText(QString::number(vx::kDefaultWidthFactor));

  Panel6 = Named(new QFrame(ToolBar1), "Panel6");
  Panel6->setGeometry(353, 0, 136, 56);
  Label6 = MakeLabel(Panel6, "Label6", QStringLiteral("Precision:"), {8, 6});
  Label1 = MakeLabel(Panel6, "Label1", QStringLiteral("8"), {70, 6});
  Label1->setFixedWidth(36);
  TrackBar1 = Named(new QSlider(Qt::Horizontal, Panel6), "TrackBar1");
  TrackBar1->setGeometry(4, 24, 128, 28);
  TrackBar1->setRange(vx::kPrecisionMin, vx::kPrecisionMax);
  TrackBar1->setTickInterval(4);
  TrackBar1->setTickPosition(QSlider::TicksBelow);
  TrackBar1->setValue(8);
  TrackBar1->setToolTip(QStringLiteral("Precision"));

  About = PictureButton(ToolBar1, "About", vx::AboutPicture(), {538, 0, 52, 56});
  About->setText(QStringLiteral("About"));
  About->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  About->setIconSize(QSize(28, 28));
}

void TForm1::BuildCentre() {
  Panel3 = Named(new QFrame(this), "Panel3");
  auto* layout = new QVBoxLayout(Panel3);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  ToolBar3 = Named(new vx::FormToolBar(Panel3, kToolBarHeight), "ToolBar3");
  Label3 = Named(new QLabel(QStringLiteral("Select Font :    "), ToolBar3), "Label3");
  cName = Named(new QComboBox(ToolBar3), "cName");
  cName->setEditable(true);
  cName->setInsertPolicy(QComboBox::NoInsert);
  cName->setCompleter(nullptr);
  cName->setFixedWidth(184);
  cName->setToolTip(QStringLiteral("Font name"));
  sbItalic = Named(new QToolButton(ToolBar3), "sbItalic");
  sbItalic->setText(QStringLiteral("I "));
  sbItalic->setToolTip(QStringLiteral("Italic font"));
  sbBold = Named(new QToolButton(ToolBar3), "sbBold");
  sbBold->setText(QStringLiteral("B"));
  sbBold->setToolTip(QStringLiteral("Bold font"));
  for (QToolButton* button : {sbItalic, sbBold}) {
    QFont font(QString::fromUtf8(vx::kDefaultFace));
    font.setPixelSize(21);
    font.setBold(true);
    font.setItalic(button == sbItalic);
    button->setFont(font);
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setFixedSize(28, 24);
  }
  for (QWidget* control : std::initializer_list<QWidget*>{Label3, cName, sbItalic, sbBold}) ToolBar3->AddControl(control);
  Memo1 = Named(new RichEditBox(Panel3), "Memo1");
  layout->addWidget(ToolBar3);
  layout->addWidget(Memo1, 1);
}

void TForm1::BuildSymbolPanel() {
  Panel2 = Named(new QFrame(this), "Panel2");
  Panel2->setFixedWidth(kPaletteWidth);
  auto* layout = new QVBoxLayout(Panel2);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  ToolBar2 = Named(new vx::FormToolBar(Panel2, kToolBarHeight), "ToolBar2");
  Label2 = Named(new QLabel(QStringLiteral("Symbols:   "), ToolBar2), "Label2");
  Label2->setFixedSize(87, 24);
  Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  cSymbol = Named(new QComboBox(ToolBar2), "cSymbol");
  cSymbol->setFixedWidth(166);
  // 87 + 166 pixels: both fit the palette's 261 as the form places them.
  ToolBar2->AddControl(Label2);
  ToolBar2->AddControl(cSymbol);
  ScrollBox2 = Named(new QScrollArea(Panel2), "ScrollBox2");
  ScrollBox2->setFrameShape(QFrame::NoFrame);
  ScrollBox2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* grid = new QWidget;
  grid->setObjectName(QStringLiteral("SymbolGrid"));
  grid->setFixedSize(vx::SymbolCell::kSize * vx::SymbolCell::kColumns,
                     vx::SymbolCell::kSize * (vx::SymbolCell::kCount / vx::SymbolCell::kColumns));
  ScrollBox2->setWidget(grid);
  QPalette info = ScrollBox2->palette();
  info.setColor(QPalette::Window, info.color(QPalette::ToolTipBase));
  ScrollBox2->viewport()->setPalette(info);
  ScrollBox2->viewport()->setAutoFillBackground(true);
  grid->setPalette(info);
  layout->addWidget(ToolBar2);
  layout->addWidget(ScrollBox2, 1);
  Panel2->hide();
}

void TForm1::BuildBottomPanel() {
  Panel1 = Named(new QFrame(this), "Panel1");
  Panel1->setFixedHeight(kBottomPanelHeight);
  Panel1->setAutoFillBackground(true);
  Panel4 = Named(new QFrame(Panel1), "Panel4");
  Panel4->setGeometry(1, 1, 112, 93);
  Panel4->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel4->setLineWidth(2);
  Panel4->setAutoFillBackground(true);
  QPalette navy = Panel4->palette();
  navy.setColor(QPalette::Window, QColor(0, 0, 128));
  Panel4->setPalette(navy);
  PreviewBox = Named(new vx::PreviewBox(Panel4), "PreviewBox");
  PreviewBox->setGeometry(2, 2, 108, 89);
  PreviewBox->setToolTip(QStringLiteral("Preview"));

  AcadBtn = PictureButton(Panel1, "AcadBtn", vx::AcadPicture(), {120, 2, 56, 56});
  AcadBtn->setText(QStringLiteral("Acad"));
  AcadBtn->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  AcadBtn->setIconSize(QSize(28, 28));
  SpeedButton3 = PictureButton(Panel1, "SpeedButton3", vx::HelpPicture(), {344, 56, 23, 25});
  SpeedButton3->setIconSize(QSize(18, 18));
  SpeedButton3->setAutoRaise(false);
  SpeedButton3->setToolTip(QStringLiteral("Help"));
  bInsSym = MakePushButton(Panel1, "bInsSym", QStringLiteral("<--------  Insert Symbol"));
  bInsSym->setGeometry(481, 6, 253, 25);
  bInsSym->hide();
  OkBtn = MakePushButton(Panel1, "OkBtn", QStringLiteral("OK"));
  OkBtn->setIcon(vx::OkPicture());
  CancelBtn = MakePushButton(Panel1, "CancelBtn", QStringLiteral("Cancel"));
  CancelBtn->setIcon(vx::CancelPicture());
  OkBtn->setGeometry(508, 58, 110, 28);
  CancelBtn->setGeometry(624, 58, 110, 28);
  Panel1->installEventFilter(this);
}

void TForm1::PlaceRightAnchored() {
  // bInsSym, OkBtn and CancelBtn keep their distance from the right edge.
  const int width = Panel1->width();
  bInsSym->move(width - 4 - bInsSym->width(), bInsSym->y());
  CancelBtn->move(width - 4 - CancelBtn->width(), CancelBtn->y());
  OkBtn->move(CancelBtn->x() - 6 - OkBtn->width(), OkBtn->y());
}

void TForm1::BuildHiddenParts() {
  OpenDialog1 = MakeFileDialog(this, "OpenDialog1", QFileDialog::AcceptOpen,
                               {"Text File(*.txt)", "Rich Text Format(*.rtf)", "Any  File(*.*)"});
  SaveDialog1 = MakeFileDialog(this, "SaveDialog1", QFileDialog::AcceptSave,
                               {"Rich Text Format(*.rtf)", "Text File(*.txt)", "Any  File(*.*)"});
  SaveDialog1->setDefaultSuffix(QStringLiteral("txt"));
  SaveDialog2 = MakeFileDialog(this, "SaveDialog2", QFileDialog::AcceptSave, {"DXF file(*.dxf)", "All file(*.*)"});
  SaveDialog2->setDefaultSuffix(QStringLiteral("dxf"));
  PopupMenu1 = Named(new QMenu(this), "PopupMenu1");
  Cut1 = Named(PopupMenu1->addAction(QStringLiteral("C&ut")), "Cut1");
  Copy1 = Named(PopupMenu1->addAction(QStringLiteral("&Copy")), "Copy1");
  Paste1 = Named(PopupMenu1->addAction(QStringLiteral("&Paste")), "Paste1");
  Undo1 = Named(PopupMenu1->addAction(QStringLiteral("&Undo")), "Undo1");
  Memo1->setContextMenuPolicy(Qt::CustomContextMenu);
}

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
  return !name.isEmpty() && std::any_of(displayFamilies_.begin(), displayFamilies_.end(), [&](const std::string& f) {
    return QString::fromStdString(f).compare(name, Qt::CaseInsensitive) == 0;
  });
}

bool TForm1::IsSymbolFace(const std::string& face) const {
  const QString name = QString::fromStdString(face);
  for (int i = 0; i < cSymbol->count(); ++i) {
    if (cSymbol->itemText(i).compare(name, Qt::CaseInsensitive) == 0) return true;
  }
  return false;
}

// ---- Modes -----------------------------------------------------------------

namespace {

// The mode's look carried out on the Qt form.
class FormModeView final : public vx::ModeView {
 public:
  explicit FormModeView(TForm1& form) : form_(form) {}
  void SetTitle(std::u16string_view title) override { form_.setWindowTitle(QStringView(title).toString()); }
  void SetOkCaptionAndHint(std::u16string_view caption, std::u16string_view hint) override {
    form_.OkBtn->setText(QStringView(caption).toString());
    form_.OkBtn->setToolTip(QStringView(hint).toString());
  }
  void SetCancelCaption(std::u16string_view caption) override { form_.CancelBtn->setText(QStringView(caption).toString()); }
  void HideSizeBoxesAndAcad() override {
    form_.Panel5->hide();
    form_.AcadBtn->hide();
  }
  void SetMinimizeBox(bool present) override {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint;
    if (present) flags |= Qt::WindowMinimizeButtonHint;
    if (form_.windowFlags() != flags) form_.setWindowFlags(flags);
  }

 private:
  TForm1& form_;
};

}  // namespace

void TForm1::ApplyMode(int mode, double height, double widthFactor) {
  FormModeView view(*this);
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
  std::unique_ptr<vx::FontCatalog> ownCatalog;
  vx::FontCatalog* catalog = environment_.catalog;
  if (catalog == nullptr) {
    ownCatalog = vx::MakeFontCatalog();
    catalog = ownCatalog.get();
  }
  const vx::FaceTest isTrueType = [catalog](const std::string& face) { return catalog->IsTrueTypeFamily(face); };
  const vx::FaceTest hasSymbolSet = [catalog](const std::string& face) { return catalog->HasSymbolCharset(face); };

  if (Form2) TForm2::ShowCaption(Form2->Label1, QStringLiteral("initializing font"));
  if (Form2) TForm2::StartBar(Form2->ProgressBar1, static_cast<int>(families.size()));
  const std::vector<std::string> trueType = vx::CollectFaces(families, isTrueType, [] {
    if (Form2) TForm2::StepBar(Form2->ProgressBar1);
  });
  for (const std::string& face : trueType) cName->addItem(QString::fromStdString(face));
  if (Form2) TForm2::ShowCaption(Form2->Label1, QStringLiteral("initialized font"));

  if (Form2) TForm2::ShowCaption(Form2->Label2, QStringLiteral("initializing symbol font"));
  if (Form2) TForm2::StartBar(Form2->ProgressBar2, cName->count());
  std::vector<std::string> names;
  for (int i = 0; i < cName->count(); ++i) names.push_back(cName->itemText(i).toStdString());
  const std::vector<std::string> symbols = vx::CollectFaces(names, hasSymbolSet, [] {
    if (Form2) TForm2::StepBar(Form2->ProgressBar2);
  });
  for (const std::string& face : symbols) cSymbol->addItem(QString::fromStdString(face));
  if (Form2) TForm2::ShowCaption(Form2->Label2, QStringLiteral("initializd symbol font"));

  if (Form2) TForm2::ShowCaption(Form2->Label3, QStringLiteral("initializing symbol"));
  if (Form2) TForm2::StartBar(Form2->ProgressBar3, vx::SymbolCell::kCount);
  BuildSymbolCells(Form2);
  if (Form2) TForm2::ShowCaption(Form2->Label3, QStringLiteral("initialized symbol"));
  SelectedCell = nullptr;
}

void TForm1::BuildSymbolCells(TForm2* progress) {
  QWidget* grid = ScrollBox2->widget();
  for (int k = 0; k < vx::SymbolCell::kCount; ++k) {
    auto* cell = new vx::SymbolCell(vx::SymbolCell::kFirstCode + k, grid);
    cell->SetCharset(vx::CharSet::Symbol);
    cell->SetFontColor(QColor(0, 0, 255));
    cell->OnClick = [this](vx::SymbolCell* c) { RunHandler([&] { PanelSClick(c); }); };
    cell->OnDblClick = [this](vx::SymbolCell* c) { RunHandler([&] { PanelSDblClick(c); }); };
    cell->OnPaint = [this](vx::SymbolCell* c, QPainter& painter) { RunHandler([&] { SymbolPaint(c, painter); }); };
    SymbolCells[static_cast<std::size_t>(k)] = cell;
    if (progress) TForm2::StepBar(progress->ProgressBar3);
  }
}

// ---- Show and close --------------------------------------------------------

void TForm1::FormShow() {
  // The tool bars' buttons (sbItalic and sbBold among them) as high as cName.
  const int buttonHeight = cName->sizeHint().height();
  ToolBar3->SetButtonHeight(buttonHeight);
  ToolBar2->SetButtonHeight(buttonHeight);
  vx::RestoreFormSettings(*this);
  SetPrecision(TrackBar1->value());
  Label1->setText(QString::number(TrackBar1->value()));
  sbSymbolClick(nullptr);
  FHeightDropped = false;
  ApplySymbolFont();  // without a chosen symbol face the cells keep theirs
  SelectedCell = nullptr;
  {
    // Emptying the box is no selection change: the font box keeps the name
    // just restored until the user moves in the text.
    const QSignalBlocker quiet(Memo1);
    Memo1->Clear();
  }
  const vx::EditorAttributes at = Memo1->SelAttributes();
  cHeight->setEditText(QString::number(at.size));
  sbBold->setChecked(at.bold);
  sbItalic->setChecked(at.italic);
  PreviewStep();  // the last showing's character is gone from the preview too
  Memo1->setFocus();
}

void TForm1::FormClose() { vx::StoreFormSettings(*this); }

// ---- The conversion run ----------------------------------------------------

namespace {

// The rich-text box as the conversion run walks it.
class BoxRunEditor final : public vx::RunEditor {
 public:
  explicit BoxRunEditor(RichEditBox& box) : box_(box) {}
  std::u16string Text() const override { return box_.Text(); }
  int SelStart() const override { return box_.SelStart(); }
  void SetSelStart(int position) override { box_.SetSelStart(position); }
  vx::CharStyle CaretStyle() const override {
    const vx::EditorAttributes at = box_.SelAttributes();
    return vx::CharStyle{at.face.toStdString(), at.size, at.bold, at.italic};
  }

 private:
  RichEditBox& box_;
};

// The form around the conversion run.
class FormRunView final : public vx::RunView {
 public:
  explicit FormRunView(TForm1& form) : form_(form), editor_(*form.Memo1) {}
  vx::RunEditor& Editor() override { return editor_; }
  std::u16string WidthBoxText() const override { return form_.cWidth->currentText().toStdU16String(); }
  void ShowWaitCursor(bool shown) override {
    if (shown) {
      QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
      QGuiApplication::restoreOverrideCursor();
    }
  }
  void ShowMessage(std::u16string_view text) override { form_.ShowMessage(QStringView(text).toString()); }
  std::optional<std::string> AskDxfFileName() override {
    // The name filter offers *.dxf; a literal "*.dxf" in the name box would be
    // saved as a file of that name, so the box starts empty.
    QFileDialog& save = *form_.SaveDialog2;
    save.selectFile(QString());
    if (save.exec() != QDialog::Accepted || save.selectedFiles().isEmpty()) return std::nullopt;
    return save.selectedFiles().first().toStdString();
  }
  void CloseWithOk() override { form_.accept(); }
  void SelectionChanged() override { form_.Memo1SelectionChange(form_.Memo1); }
  void RepaintPreview() override { form_.PreviewBox->update(); }

 private:
  TForm1& form_;
  BoxRunEditor editor_;
};

}  // namespace

void TForm1::OkBtnClick(QObject*) {
  FormRunView view(*this);
  vx::RunConversion(view, *glyphSource_, vx::ModeFields{FMode, FHostHeight, FHostWidthFactor}, FConverting);
}

// ---- Editor and formatting controls ------------------------------------------

void TForm1::Memo1SelectionChange(QObject*) {
  if (FConverting || destroying_) return;
  const vx::EditorAttributes at = Memo1->SelAttributes();
  cName->setEditText(at.face);
  cHeight->setEditText(QString::number(at.size));
  sbBold->setChecked(at.bold);
  sbItalic->setChecked(at.italic);
  PreviewStep();
}

void TForm1::cNameChange(QObject* sender) {
  const QString name = cName->currentText();
  if (!IsDisplayFamily(name)) {
    cName->setEditText(Memo1->SelAttributes().face);
    return;
  }
  Memo1->SetSelFace(name);
  Memo1SelectionChange(sender);
}

void TForm1::cHeightDropDown(QObject*) { FHeightDropped = true; }

void TForm1::cHeightChange(QObject* sender) {
  if (!FHeightDropped) return;
  const QString text = cHeight->currentText();
  if (text.isEmpty()) return;
  try {
    Memo1->SetSelSize(vx::ReadWholeNumber(text.toStdU16String()));
    Memo1SelectionChange(sender);
  } catch (...) {
    cHeight->setEditText(QString::number(Memo1->SelAttributes().size));
  }
  FHeightDropped = false;
}

bool TForm1::cHeightKeyPess(QObject* sender, const QString& typed) {
  switch (vx::HeightKeyVerdict(typed.toStdU16String())) {
    case vx::KeyVerdict::PassAndApply:
      cHeightExit(sender);
      return false;
    case vx::KeyVerdict::Pass:
      return false;
    case vx::KeyVerdict::Remove:
      return true;
  }
  return true;
}

void TForm1::RefocusLater(QWidget* box) {
  // After the focus change under way has finished.
  QTimer::singleShot(0, box, [box] { box->setFocus(Qt::OtherFocusReason); });
}

void TForm1::cHeightExit(QObject*) {
  const int size = vx::ReadWholeNumber(cHeight->currentText().toStdU16String());
  if (size < 0) {
    cHeight->setEditText(QStringLiteral("30"));
    RefocusLater(cHeight);
    return;
  }
  try {
    Memo1->SetSelSize(size);
    cHeight->setEditText(QString::number(Memo1->SelAttributes().size));
  } catch (...) {
    cHeight->setEditText(QStringLiteral("30"));
    RefocusLater(cHeight);
  }
}

bool TForm1::cWidthKeyPress(QObject*, const QString& typed) {
  return vx::WidthKeyVerdict(typed.toStdU16String()) == vx::KeyVerdict::Remove;
}

void TForm1::cWidthExit(QObject*) {
  if (const auto repaired = vx::RepairWidthText(cWidth->currentText().toStdU16String())) {
    cWidth->setEditText(QStringView(*repaired).toString());
    RefocusLater(cWidth);
  }
}

void TForm1::sbBoldClick(QObject* sender) {
  const vx::EditorAttributes at = Memo1->SelAttributes();
  Memo1->SetSelStyle(sbBold->isChecked(), at.italic);
  Memo1SelectionChange(sender);
}

void TForm1::sbItalicClick(QObject* sender) {
  const vx::EditorAttributes at = Memo1->SelAttributes();
  Memo1->SetSelStyle(at.bold, sbItalic->isChecked());
  Memo1SelectionChange(sender);
}

void TForm1::TrackBar1Change(QObject* sender) {
  SetPrecision(TrackBar1->value());
  Label1->setText(QString::number(TrackBar1->value()));
  Memo1SelectionChange(sender);
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
  const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
  Paste1->setEnabled(clipboard != nullptr && clipboard->hasText());
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
  const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
  if (clipboard != nullptr && clipboard->hasText()) Memo1->paste();
}

void TForm1::Undo1Click(QObject*) {
  if (Memo1->CanUndo()) Memo1->undo();
}

// ---- Preview ---------------------------------------------------------------

void TForm1::PreviewStep() {
  FreePointList();
  std::vector<std::u16string> lines;
  for (QTextBlock block = Memo1->document()->begin(); block.isValid(); block = block.next()) {
    lines.push_back(block.text().toStdU16String());
  }
  const auto shown = vx::PreviewCharacter(lines, Memo1->SelStart(), Memo1->SelLength());
  if (shown) {
    const char16_t text[2] = {*shown, u'\0'};
    const QByteArray face = Memo1->SelAttributes().face.toUtf8();
    vx::ConvertString(*glyphSource_, text, face.constData(), kPreviewHeight, kPreviewHeight, sbBold->isChecked(),
                      sbItalic->isChecked(), 0.0, 0.0);
  }
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

// ---- The exported entry ------------------------------------------------------

namespace {

// The Qt application object the dialog needs: the host's when it has one on
// this thread, else one the library makes and keeps for later calls. The
// library makes one only on a platform that can start: Qt ends the whole
// process when none can, so without a display the call fails with a line on
// standard error instead.
bool EnsureApplication() {
  QCoreApplication* existing = QCoreApplication::instance();
  if (existing == nullptr) {
    const vx::DisplayPlatform display = vx::ChooseDisplayPlatform();
    if (display.platform.empty()) {
      std::fprintf(stderr, "vexoglyph: cannot show the text dialog: %s\n", display.problem.c_str());
      return false;
    }
    // Qt keeps argc and argv for the application's lifetime.
    static std::string name, option, platform;
    static std::vector<char*> argv;
    static int argc = 0;
    name = "vexoglyph";
    option = "-platform";
    platform = display.platform;
    argv = {name.data(), option.data(), platform.data(), nullptr};
    argc = 3;
    auto* app = new QApplication(argc, argv.data());
    app->setQuitOnLastWindowClosed(false);
    return true;
  }
  return qobject_cast<QApplication*>(existing) != nullptr && existing->thread() == QThread::currentThread();
}

}  // namespace

extern "C" int ShowTTFTextDlg(int mode, double height, double widthFactor) {
  try {
    // A release call with no dialog has nothing to release and needs no display.
    if (!vx::IsShowingMode(mode) && Form1 == nullptr) return 0;
    // A sized call with numbers that are not finite would hand the host NaN coordinates.
    if (!vx::UsableHostNumbers(mode, height, widthFactor)) return 0;
    if (!EnsureApplication()) return 0;
    if (Form1 == nullptr) {
      try {
        Form1 = new TForm1();
      } catch (...) {
        Form1 = nullptr;
        return 0;
      }
    }
    if (!vx::IsShowingMode(mode)) {
      TForm1* dialog = Form1;
      Form1 = nullptr;
      if (dialog->isVisible()) {
        // Called from inside the dialog's own modal run: end the run, and
        // destroy the dialog once that run has returned.
        dialog->reject();
        dialog->deleteLater();
      } else {
        delete dialog;
      }
      return 0;
    }
    if (Form1->isVisible()) return 0;  // a showing call while the dialog is shown
    Form1->ApplyMode(mode, height, widthFactor);
    return Form1->exec() == QDialog::Accepted ? 1 : 0;
  } catch (...) {
    return 0;
  }
}
