// The user manual beside the running program: where it is, and opening it for either help button.
#include "dialog/HelpFile.h"

#include <QFileInfo>
#include <QMessageBox>

#include "dialog/ShellOpen.h"
#include "platform/ExePath.h"

namespace vx {

QString HelpFilePath() {
  const std::string dir = ExecutableDir();
  if (dir.empty()) return {};
  return QString::fromStdString(dir) + QLatin1String(kHelpFileName);
}

QUrl HelpFileUrl(const QString& section) {
  QUrl url = QUrl::fromLocalFile(HelpFilePath());
  if (!section.isEmpty()) url.setFragment(section);
  return url;
}

QString HelpMissingMessage() {
  return QStringLiteral("Not found %1 !").arg(QLatin1String(kHelpFileName));
}

void OpenHelpFile(QWidget* owner) {
  const QString path = HelpFilePath();
  // A folder of that name does not count as the manual.
  if (!path.isEmpty() && QFileInfo(path).isFile()) {
    ShellOpen(QUrl::fromLocalFile(path));
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Vexoglyph"), HelpMissingMessage(),
                  QMessageBox::Ok, owner);
  box.exec();
}

}  // namespace vx
