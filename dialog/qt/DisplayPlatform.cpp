// Finds, before Qt starts, a window-system platform the dialog can start on (Qt ends the process when none can).
#include "dialog/DisplayPlatform.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>
#include <cstdlib>
#include <cstring>
#include <set>
#include <vector>

namespace vx {
namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// The platforms in the order Qt tries them: QT_QPA_PLATFORM's ';'-separated
// list (an entry may carry ':' arguments), else Wayland first where the
// session names one, then X11.
std::vector<std::string> PlatformOrder() {
  const std::string chosen = Variable("QT_QPA_PLATFORM");
  std::vector<std::string> order;
  if (!chosen.empty()) {
    std::size_t start = 0;
    while (start <= chosen.size()) {
      const std::size_t end = std::min(chosen.find(';', start), chosen.size());
      if (end > start) order.push_back(chosen.substr(start, end - start));
      start = end + 1;
    }
    return order;
  }
  if (!Variable("WAYLAND_DISPLAY").empty() || Variable("XDG_SESSION_TYPE") == "wayland") order.push_back("wayland");
  order.push_back("xcb");
  return order;
}

std::string PluginName(const std::string& entry) { return QString::fromStdString(entry.substr(0, entry.find(':'))).toLower().toStdString(); }

void AddKeys(const QJsonObject& metaData, std::set<std::string>& keys) {
  if (!metaData.value(QLatin1String("IID")).toString().contains(QLatin1String("QPlatformIntegrationFactoryInterface"))) return;
  for (const QJsonValue key : metaData.value(QLatin1String("MetaData")).toObject().value(QLatin1String("Keys")).toArray())
    keys.insert(key.toString().toLower().toStdString());
}

// The names of the platform plugins Qt can find, read from their metadata
// without loading them.
std::set<std::string> InstalledPlatforms() {
  std::set<std::string> keys;
  for (const QStaticPlugin& plugin : QPluginLoader::staticPlugins()) AddKeys(plugin.metaData(), keys);
  QStringList folders;
  const QString ownPath = QString::fromLocal8Bit(qgetenv("QT_QPA_PLATFORM_PLUGIN_PATH"));
  if (!ownPath.isEmpty()) folders << ownPath;
  for (const QString& path : QCoreApplication::libraryPaths()) folders << path + QLatin1String("/platforms");
  for (const QString& folder : folders) {
    const QDir dir(folder);
    for (const QString& file : dir.entryList(QDir::Files)) AddKeys(QPluginLoader(dir.filePath(file)).metaData(), keys);
  }
  return keys;
}

// Empty when the X server named by DISPLAY accepts a connection, else why not.
std::string XDisplayProblem() {
  const std::string display = Variable("DISPLAY");
  if (display.empty()) return "no X display is set (DISPLAY)";
  xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
  const bool answers = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  return answers ? "" : "the X display \"" + display + "\" does not answer";
}

// Empty when the Wayland compositor's socket accepts a connection, else why not.
std::string WaylandDisplayProblem() {
  if (!Variable("WAYLAND_SOCKET").empty()) return "";  // a connection handed over by the parent process
  std::string name = Variable("WAYLAND_DISPLAY");
  if (name.empty()) name = "wayland-0";
  const std::string runtime = Variable("XDG_RUNTIME_DIR");
  const std::string path = name.front() == '/' ? name : runtime + "/" + name;
  const std::string problem = "the Wayland display \"" + name + "\" does not answer";
  if (name.front() != '/' && runtime.empty()) return problem;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return problem;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (socket < 0) return problem;
  const bool answers = ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  ::close(socket);
  return answers ? "" : problem;
}

std::string PlatformProblem(const std::string& name, const std::set<std::string>& installed) {
  if (installed.count(name) == 0) return "the Qt platform \"" + name + "\" is not installed";
  if (name == "xcb") return XDisplayProblem();
  if (name == "wayland") return WaylandDisplayProblem();
  return "";
}

}  // namespace

DisplayPlatform ChooseDisplayPlatform() {
  const std::set<std::string> installed = InstalledPlatforms();
  DisplayPlatform choice;
  for (const std::string& entry : PlatformOrder()) {
    const std::string problem = PlatformProblem(PluginName(entry), installed);
    if (problem.empty()) return {entry, ""};
    choice.problem += (choice.problem.empty() ? "" : "; ") + problem;
  }
  if (choice.problem.empty()) choice.problem = "no Qt platform is named (QT_QPA_PLATFORM)";
  return choice;
}

}  // namespace vx
