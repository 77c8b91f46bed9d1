// The registration window TSetACAD: finds AutoCAD releases and registers the host module with them.
#include "setacaddlg/SetAcadDlg.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScopeGuard>
#include <QShowEvent>
#include <QStyle>
#include <algorithm>
#include <array>
#include <exception>

#include "windowparts/qt/FormBuilding.h"
#include "platform/ExePath.h"
#include "setacaddlg/AcadDiscovery.h"
#include "setacaddlg/AcadRegistration.h"
#include "setacaddlg/AcadReleases.h"

VX_EXPORT TSetACAD* SetACAD = nullptr;

namespace {

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The 32 x 32 picture beside the hint: a letter outline with its polyline
// points, drawn on a transparent ground.
QPixmap HintPicture() {
  QPixmap picture(32, 32);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPolygonF outline({{4, 28}, {14, 4}, {18, 4}, {28, 28}, {23, 28}, {20.5, 21}, {11.5, 21}, {9, 28}});
  painter.setPen(QPen(QColor(0, 0, 160), 1.5));
  painter.setBrush(QColor(255, 255, 160));
  painter.drawPolygon(outline);
  painter.setBrush(QColor(0, 0, 160));
  for (const QPointF& point : outline) painter.drawRect(QRectF(point.x() - 1.5, point.y() - 1.5, 3, 3));
  return picture;
}

using vx::MakeLabel;

QCheckBox* MakeReleaseBox(QGroupBox* parent, std::size_t row, int width) {
  const vx::AcadRelease& release = vx::kAcadReleases[row];
  auto* box = new QCheckBox(FromUtf8(release.caption), parent);
  box->setObjectName(FromUtf8(release.checkBox));
  box->setGeometry(24, 32 + 32 * static_cast<int>(row), width, 17);
  return box;
}

}  // namespace

TSetACAD::TSetACAD(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("SetACAD"));
  setWindowTitle(QStringLiteral("Set AutoCAD ARX command"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  // 8 points at the 96 pixels per inch the layout is drawn for: 11 pixels,
  // whatever the screen's resolution, so the captions fit their boxes.
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(11);
  setFont(font);
  setFixedSize(395, 327);

  // Created in tab order: OkBtn, BitBtn2, then the frame with its boxes.
  OkBtn = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
  OkBtn->setObjectName(QStringLiteral("OkBtn"));
  OkBtn->setGeometry(224, 288, 75, 25);
  OkBtn->setDefault(true);

  BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Cancel"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn2->setGeometry(312, 288, 75, 25);  // Enter presses it while it has the focus

  CheckCad = new QGroupBox(QStringLiteral("AutoCAD ARX"), this);
  CheckCad->setObjectName(QStringLiteral("CheckCad"));
  CheckCad->setGeometry(8, 8, 377, 225);
  CheckR14 = MakeReleaseBox(CheckCad, 0, 329);
  CheckR2000 = MakeReleaseBox(CheckCad, 1, 313);
  CheckR2002 = MakeReleaseBox(CheckCad, 2, 313);
  CheckR2004 = MakeReleaseBox(CheckCad, 3, 313);
  CheckR2005 = MakeReleaseBox(CheckCad, 4, 313);
  CheckR2006 = MakeReleaseBox(CheckCad, 5, 313);

  Label1 = MakeLabel(this, "Label1", QStringLiteral("Call Vexoglyph in AutoCAD:"), QRect(48, 272, 136, 13));
  Label2 = MakeLabel(this, "Label2", QStringLiteral("Command:  VX"), QRect(48, 296, 71, 13));
  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(8, 272, 32, 32);
  Image1->setPixmap(HintPicture());

  QWidget* chain[] = {OkBtn, BitBtn2, CheckR14, CheckR2000, CheckR2002, CheckR2004, CheckR2005, CheckR2006};
  for (std::size_t i = 0; i + 1 < std::size(chain); ++i) setTabOrder(chain[i], chain[i + 1]);
  OkBtn->setFocus();

  connect(OkBtn, &QPushButton::clicked, this, [this] { OkBtnClick(OkBtn); });
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

  FExePath = vx::ExecutableDir();
}

TSetACAD::~TSetACAD() = default;

QCheckBox* TSetACAD::ReleaseBox(std::size_t row) const {
  QCheckBox* const boxes[] = {CheckR14, CheckR2000, CheckR2002, CheckR2004, CheckR2005, CheckR2006};
  return boxes[row];
}

void TSetACAD::ShowMessage(const QString& text, bool isError) {
  QMessageBox box(isError ? QMessageBox::Critical : QMessageBox::NoIcon, QStringLiteral("Vexoglyph"), text,
                  QMessageBox::Ok, this);
  box.exec();
}

void TSetACAD::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;  // the window coming back from minimized
  try {
    FormShow(this);
  } catch (const std::exception& error) {
    // The look-up could not finish: report it and end this showing.
    ShowMessage(QString::fromUtf8(error.what()), true);
    QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
  }
}

void TSetACAD::FormShow(QObject*) {
  const vx::ReleasesFound releases = vx::FindReleases();
  for (std::size_t row = 0; row < vx::kAcadReleases.size(); ++row) {
    QCheckBox* box = ReleaseBox(row);
    box->setEnabled(releases.found[row]);
    if (!releases.found[row]) box->setText(FromUtf8(vx::kAcadReleases[row].notFoundCaption));
  }
  if (!releases.Any()) {
    OkBtn->setEnabled(false);
    CheckCad->setTitle(FromUtf8(vx::kNoAcadFoundCaption));
  }
}

void TSetACAD::OkBtnClick(QObject*) {
  try {
    std::array<bool, vx::kAcadReleases.size()> checked{};
    for (std::size_t row = 0; row < checked.size(); ++row) checked[row] = ReleaseBox(row)->isChecked();
    const bool allSucceeded = vx::RegisterReleases(
        FExePath, checked, [this](std::string_view message) { ShowMessage(FromUtf8(message), false); });
    if (allSucceeded) accept();
  } catch (const std::exception& error) {
    // A refused write ends this registration; the window stays open as it is.
    ShowMessage(QString::fromUtf8(error.what()), true);
  }
}

bool TSetACAD::FindAcad(std::string_view releaseKey, std::string_view wantedProduct, bool productCompared) const {
  return vx::FindAcad(releaseKey, wantedProduct, productCompared);
}

bool TSetACAD::RegisterArxR14(std::string_view releaseKey, std::string_view moduleSuffix,
                              std::string_view wantedProduct, bool productCompared) const {
  return vx::RegisterArxR14({FExePath, releaseKey, moduleSuffix, wantedProduct, productCompared});
}

bool TSetACAD::RegisterArxR16(std::string_view releaseKey, std::string_view moduleSuffix,
                              std::string_view wantedProduct, bool productCompared) const {
  return vx::RegisterArxR16({FExePath, releaseKey, moduleSuffix, wantedProduct, productCompared});
}

int ExecSetACAD() {
  int result = QDialog::Rejected;
  try {
    SetACAD = new TSetACAD(nullptr);
  } catch (const std::exception&) {
    SetACAD = nullptr;
    return result;
  }
  // Destroys the window and empties the reference on every way out.
  const auto release = qScopeGuard([] {
    delete SetACAD;
    SetACAD = nullptr;
  });
  result = SetACAD->exec();
  return result;
}
