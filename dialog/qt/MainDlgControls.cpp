// TForm1's construction: every control of the text dialog at its place, with its captions, hints and lists.
#include "dialog/qt/MainDlg.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>

#include "dialog/ControlHints.h"
#include "dialog/FormattingRules.h"
#include "dialog/qt/ButtonPictures.h"
#include "dialog/qt/DialogWidgets.h"
#include "windowparts/qt/FormBuilding.h"
#include "dialog/qt/InitProgress.h"
#include "dialog/qt/RichEditBox.h"
#include "dialog/qt/SymbolCell.h"
#include "engine/OutlineFlattening.h"
#include "engine/TextLayout.h"
#include "platform/fonts/FontServices.h"

namespace {

QString Hint(std::u16string_view text) { return QString::fromUtf16(text.data(), text.size()); }

using vx::MakeLabel;
using vx::Named;
using vx::RichEditBox;

using vx::form_geometry::kBottomPanelHeight;
using vx::form_geometry::kPaletteWidth;
using vx::form_geometry::kToolBarHeight;  // 24-pixel buttons above the bar's edge
using vx::form_geometry::kTopBarHeight;

QToolButton* PictureButton(QWidget* parent, const char* name, const QIcon& icon, QRect geometry) {
  auto* button = Named(new QToolButton(parent), name);
  button->setIcon(icon);
  button->setIconSize(QSize(32, 32));
  button->setAutoRaise(true);
  button->setGeometry(geometry);
  return button;
}

QPushButton* MakePushButton(QWidget* parent, const char* name, const QString& text) {
  auto* button = Named(new vx::PushButton(text, parent), name);
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
  static vx::FontServices fonts;
  return fonts.Glyphs();
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
  // Resizable down to the size at which every control stays visible and
  // apart: the bottom panel keeps to the bottom edge, the editor takes the rest.
  setMinimumSize(vx::form_geometry::kMinClientWidth, vx::form_geometry::kMinClientHeight);
  resize(kClientWidth, kClientHeight);
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
  SpeedButton1 = PictureButton(ToolBar1, "SpeedButton1", vx::ButtonIcon(vx::ButtonPicture::OpenFile), {0, 0, 56, 56});
  SpeedButton1->setToolTip(Hint(vx::hints::kOpenFile));
  SpeedButton2 = PictureButton(ToolBar1, "SpeedButton2", vx::ButtonIcon(vx::ButtonPicture::SaveFile), {56, 0, 56, 56});
  SpeedButton2->setToolTip(Hint(vx::hints::kSaveFile));
  sbSymbol = PictureButton(ToolBar1, "sbSymbol", vx::ButtonIcon(vx::ButtonPicture::SymbolList), {112, 0, 56, 56});
  sbSymbol->setToolTip(Hint(vx::hints::kSymbolList));
  sbSymbol->setCheckable(true);

  Panel5 = Named(new QFrame(ToolBar1), "Panel5");
  Panel5->setGeometry(168, 0, 185, 56);
  Label5 = MakeLabel(Panel5, "Label5", QStringLiteral("Font height"), {8, 6});
  cHeight = Named(new vx::DropDownComboBox(Panel5), "cHeight");
  cHeight->setGeometry(8, 24, 63, 22);
  cHeight->setToolTip(Hint(vx::hints::kFontHeight));
  Label4 = MakeLabel(Panel5, "Label4", QStringLiteral("Font width factor"), {88, 6});
  cWidth = Named(new QComboBox(Panel5), "cWidth");
  cWidth->setGeometry(88, 24, 63, 22);
  cWidth->setToolTip(Hint(vx::hints::kFontWidthFactor));
  for (QComboBox* box : {static_cast<QComboBox*>(cHeight), cWidth}) {
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
  }
  for (std::u16string_view size : vx::kHeightChoices) cHeight->addItem(QString::fromUtf16(size.data(), size.size()));
  cHeight->setEditText(QString::fromUtf16(vx::kFirstHeightText.data(), vx::kFirstHeightText.size()));
  for (std::u16string_view factor : vx::kWidthChoices) cWidth->addItem(QString::fromUtf16(factor.data(), factor.size()));
  cWidth->setEditText(QString::fromStdU16String(vx::DefaultWidthText()));

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
  TrackBar1->setToolTip(Hint(vx::hints::kPrecision));

  About = PictureButton(ToolBar1, "About", vx::ButtonIcon(vx::ButtonPicture::About), {538, 0, 52, 56});
  About->setText(QStringLiteral("About"));
  About->setToolTip(Hint(vx::hints::kAbout));
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
  cName->setToolTip(Hint(vx::hints::kFontName));
  sbItalic = Named(new QToolButton(ToolBar3), "sbItalic");
  sbItalic->setText(QStringLiteral("I "));
  sbItalic->setToolTip(Hint(vx::hints::kItalic));
  sbBold = Named(new QToolButton(ToolBar3), "sbBold");
  sbBold->setText(QStringLiteral("B"));
  sbBold->setToolTip(Hint(vx::hints::kBold));
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
  PreviewBox->setToolTip(Hint(vx::hints::kPreview));

  AcadBtn = PictureButton(Panel1, "AcadBtn", vx::ButtonIcon(vx::ButtonPicture::Acad), {120, 2, 56, 56});
  AcadBtn->setText(QStringLiteral("Acad"));
  AcadBtn->setToolTip(Hint(vx::hints::kAcad));
  AcadBtn->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  AcadBtn->setIconSize(QSize(28, 28));
  SpeedButton3 = PictureButton(Panel1, "SpeedButton3", vx::ButtonIcon(vx::ButtonPicture::Help), {344, 56, 23, 25});
  SpeedButton3->setIconSize(QSize(18, 18));
  SpeedButton3->setAutoRaise(false);
  SpeedButton3->setToolTip(Hint(vx::hints::kHelp));
  bInsSym = MakePushButton(Panel1, "bInsSym", QStringLiteral("<--------  Insert Symbol"));
  bInsSym->setGeometry(481, 6, 253, 25);
  bInsSym->hide();
  OkBtn = MakePushButton(Panel1, "OkBtn", QStringLiteral("OK"));
  OkBtn->setIcon(vx::ButtonIcon(vx::ButtonPicture::Ok));
  CancelBtn = MakePushButton(Panel1, "CancelBtn", QStringLiteral("Cancel"));
  CancelBtn->setIcon(vx::ButtonIcon(vx::ButtonPicture::Cancel));
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
