// TAboutDLG: the about box with the product's name, version, copyright, links and help.
#include "dialog/qt/MyAbout.h"

#include <QEvent>
#include <QKeyEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopeGuard>
#include <QStyle>

#include "dialog/ControlHints.h"
#include "dialog/HelpFile.h"
#include "dialog/ShellOpen.h"
#include "dialog/qt/ButtonPictures.h"
#include "windowparts/qt/FormBuilding.h"
#include "platform/ProductVersion.h"

VX_EXPORT TAboutDLG* AboutDLG = nullptr;

namespace {

constexpr QRgb kLinkBlue = 0x0000FF;

QFont PixelFont(int pixels, bool bold) {
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

using vx::MakeLabel;

void MakeLink(QLabel* label, int pixels, QObject* filter) {
  QFont font = label->font();
  if (pixels > 0) font.setPixelSize(pixels);
  font.setUnderline(true);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, QColor(kLinkBlue));
  label->setPalette(palette);
  label->setCursor(Qt::PointingHandCursor);
  label->adjustSize();
  label->installEventFilter(filter);
}

}  // namespace

TAboutDLG::TAboutDLG(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("AboutDLG"));
  setWindowTitle(QStringLiteral("About Vexoglyph"));
  setFont(PixelFont(11, false));
  setFixedSize(417, 282);
  BuildPanel();
  BuildButtons();
}

void TAboutDLG::BuildPanel() {
  Panel1 = new QFrame(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setGeometry(8, 8, 401, 217);
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel1->setAutoFillBackground(true);
  QPalette white = Panel1->palette();
  white.setColor(QPalette::Window, Qt::white);
  Panel1->setPalette(white);

  Image1 = new QLabel(Panel1);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(1, 1, 168, 168);
  Image1->setPixmap(vx::LogoPicture(168));

  Label1 = MakeLabel(Panel1, "Label1", QStringLiteral("Vexoglyph"), {192, 24});
  Label1->setFont(PixelFont(32, true));
  QPalette red = Label1->palette();
  red.setColor(QPalette::WindowText, Qt::red);
  Label1->setPalette(red);
  Label1->resize(186, 37);

  // Kept misspelt ("Verson"): users know the text so.
  Label5 = MakeLabel(Panel1, "Label5", QStringLiteral("Verson " VX_VERSION), {303, 64});
  Label5->setFont(PixelFont(13, true));
  Label5->adjustSize();
  Label2 = MakeLabel(Panel1, "Label2", QStringLiteral("Copyright (C) Kestrow"), {189, 128});
  Label3 = MakeLabel(Panel1, "Label3", QStringLiteral("All rights reserved."), {296, 144});

  Bevel1 = new QFrame(Panel1);
  Bevel1->setObjectName(QStringLiteral("Bevel1"));
  Bevel1->setGeometry(0, 168, 401, 9);
  Bevel1->setStyleSheet(QStringLiteral("#Bevel1 { border: none; border-top: 1px solid gray; }"));

  // The links show their own addresses; the manual beside the program is
  // the product's site, and its sections answer support and update questions.
  Label6 = MakeLabel(Panel1, "Label6", SiteUrl().toString(), {48, 180});
  Label10 = MakeLabel(Panel1, "Label10", SupportUrl().toString(), {48, 196});
  MakeLink(Label6, 0, this);
  MakeLink(Label10, 0, this);
  for (QLabel* label : {Label6, Label10}) {
    label->setToolTip(label->text());
    label->resize(std::min(label->width(), 401 - 48 - 2), label->height());
  }
}

void TAboutDLG::BuildButtons() {
  // Kept misspelt ("verson"): users know the text so.
  Label12 = MakeLabel(this, "Label12", QStringLiteral("Download new verson !"), {8, 256});
  MakeLink(Label12, 13, this);

  BitBtn1 = new QPushButton(this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setGeometry(264, 248, 27, 25);
  BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
  BitBtn1->setToolTip(QString::fromUtf16(vx::hints::kHelp.data(), vx::hints::kHelp.size()));
  BitBtn1->setAutoDefault(false);  // Enter always means Ok
  connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(BitBtn1); });

  // Default and cancel button: Enter presses it as default, Esc presses it
  // through keyPressEvent.
  Button1 = new QPushButton(QStringLiteral("&Ok"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(304, 248, 99, 25);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  Button1->setFocus();
}

bool TAboutDLG::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    if (watched == Label6) Label6Click(watched);
    if (watched == Label10) Label10Click(watched);
    if (watched == Label12) Label12Click(watched);
  }
  return QDialog::eventFilter(watched, event);
}

void TAboutDLG::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Cancel)) {
    Button1->click();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TAboutDLG::BitBtn1Click(QObject*) { vx::OpenHelpFile(this); }
void TAboutDLG::Label6Click(QObject*) { vx::ShellOpen(vx::HelpTarget(), this); }
void TAboutDLG::Label10Click(QObject*) { vx::ShellOpen(vx::HelpTarget(vx::kSupportSection), this); }
void TAboutDLG::Label12Click(QObject*) { vx::ShellOpen(vx::HelpTarget(vx::kNewVersionsSection), this); }

namespace {
QUrl TargetUrl(const std::string& target) { return QUrl::fromEncoded(QByteArray::fromStdString(target)); }
}  // namespace

QUrl TAboutDLG::SiteUrl() { return TargetUrl(vx::HelpTarget()); }
QUrl TAboutDLG::SupportUrl() { return TargetUrl(vx::HelpTarget(vx::kSupportSection)); }
QUrl TAboutDLG::DownloadUrl() { return TargetUrl(vx::HelpTarget(vx::kNewVersionsSection)); }

namespace vx {

void RunAboutBox() {
  try {
    AboutDLG = new TAboutDLG(nullptr);
  } catch (...) {
    AboutDLG = nullptr;  // Nothing is shown and nothing is reported.
    return;
  }
  // Destroyed and forgotten however the modal run ends.
  const auto release = qScopeGuard([] {
    delete AboutDLG;
    AboutDLG = nullptr;
  });
  AboutDLG->exec();
}

}  // namespace vx
