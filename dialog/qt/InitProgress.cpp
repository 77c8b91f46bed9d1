// TForm2: logo, maker and version, three captions with progress bars.
#include "dialog/qt/InitProgress.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QShowEvent>
#include <QThread>
#include <QWindow>

#include "dialog/qt/ButtonPictures.h"
#include "windowparts/qt/FormBuilding.h"

VX_EXPORT TForm2* Form2 = nullptr;

namespace {

constexpr int kExposeWaitMs = 250;
constexpr unsigned long kExposePollMs = 5;

using vx::MakeLabel;

QProgressBar* MakeBar(QWidget* parent, const char* name, QPoint at) {
  auto* bar = new QProgressBar(parent);
  bar->setObjectName(QString::fromLatin1(name));
  bar->setGeometry(QRect(at, QSize(153, 13)));
  bar->setRange(0, 100);
  bar->setValue(0);
  bar->setTextVisible(false);
  return bar;
}

void SetFontPixels(QLabel* label, int pixels, bool bold) {
  QFont font = label->font();
  font.setPixelSize(pixels);
  font.setBold(bold);
  label->setFont(font);
  label->adjustSize();
}

}  // namespace

TForm2::TForm2(QWidget* owner) : QWidget(owner, Qt::Window | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("Initializing"));
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(11);
  setFont(font);
  setFixedSize(372, 186);
  move(239, 176);

  Panel1 = new QFrame(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setGeometry(rect());
  Panel1->setFrameStyle(QFrame::Box | QFrame::Plain);
  Panel1->setLineWidth(2);
  Panel1->setAutoFillBackground(true);
  QPalette white = Panel1->palette();
  white.setColor(QPalette::Window, Qt::white);
  Panel1->setPalette(white);

  Panel2 = new QFrame(Panel1);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Panel2->setGeometry(8, 8, 170, 170);
  Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel2->setLineWidth(1);
  Image1 = new QLabel(Panel2);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(1, 1, 168, 168);
  Image1->setPixmap(vx::LogoPicture(168));

  Label4 = MakeLabel(Panel1, "Label4", QStringLiteral("kestrow"), {192, 16});
  SetFontPixels(Label4, 13, true);
  Label5 = MakeLabel(Panel1, "Label5", QStringLiteral("Vexoglyph V1.8"), {192, 32});
  SetFontPixels(Label5, 19, false);
  QPalette red = Label5->palette();
  red.setColor(QPalette::WindowText, Qt::red);
  Label5->setPalette(red);

  Label1 = MakeLabel(Panel1, "Label1", QStringLiteral("w"), {196, 76});
  ProgressBar1 = MakeBar(Panel1, "ProgressBar1", {196, 92});
  Label2 = MakeLabel(Panel1, "Label2", QStringLiteral("w"), {196, 108});
  ProgressBar2 = MakeBar(Panel1, "ProgressBar2", {196, 124});
  Label3 = MakeLabel(Panel1, "Label3", QStringLiteral("w"), {196, 142});
  ProgressBar3 = MakeBar(Panel1, "ProgressBar3", {196, 158});
}

void TForm2::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TForm2::FormShow() {
  Label1->setText(QStringLiteral("initialize font"));
  Label2->setText(QStringLiteral("initialize symbol font"));
  Label3->setText(QStringLiteral("initialize symbol"));
  for (QLabel* label : {Label1, Label2, Label3}) label->adjustSize();
}

void TForm2::ShowPainted() {
  show();
  QWindow* window = windowHandle();
  const QDeadlineTimer deadline(kExposeWaitMs);
  while (window != nullptr && !window->isExposed() && !deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (!window->isExposed()) QThread::msleep(kExposePollMs);
  }
  repaint();
}

void TForm2::ShowCaption(QLabel* label, const QString& text) {
  label->setText(text);
  label->adjustSize();
  label->repaint();
}

void TForm2::StartBar(QProgressBar* bar, int maximum) {
  bar->setRange(0, maximum);
  bar->setValue(0);
  bar->repaint();
}

void TForm2::StepBar(QProgressBar* bar) {
  bar->setValue(bar->value() + 1);
  bar->repaint();
}
