// The text dialog's five remembered settings: read with per-value defaults, written at close.
#include "dialog/DialogSettings.h"

#include <algorithm>
#include <exception>

#include "platform/registry/Registry.h"

namespace vx {
namespace {

// Runs one read; any failure leaves target at its default.
template <typename Read>
void ReadOne(Read&& read) {
  try {
    read();
  } catch (const std::exception&) {
    // A missing, mistyped or unreadable value keeps its default.
  }
}

}  // namespace

int ClampPrecision(int value) { return std::clamp(value, kPrecisionMin, kPrecisionMax); }

DialogSettings DefaultDialogSettings(const std::string& selectionFontName) {
  DialogSettings settings;
  settings.fontName = selectionFontName;
  return settings;
}

DialogSettings ReadDialogSettings(const std::string& selectionFontName) {
  DialogSettings settings = DefaultDialogSettings(selectionFontName);
  try {
    Registry registry(RegistryRoot::CurrentUser);
    if (!registry.OpenKey(kSettingsKey, false)) return settings;
    ReadOne([&] { settings.precision = ClampPrecision(registry.ReadInteger("Precision")); });
    ReadOne([&] { settings.fontName = registry.ReadString("FontName"); });
    ReadOne([&] { settings.symbolIndex = registry.ReadInteger("SymbolName"); });
    ReadOne([&] { settings.showSymbol = registry.ReadBool("ShowSymbol"); });
    ReadOne([&] { settings.maximized = registry.ReadBool("FormState"); });
  } catch (const std::exception&) {
    // The store itself failed: what was read so far stands, the rest keeps
    // its defaults.
  }
  return settings;
}

bool WriteDialogSettings(const DialogSettings& settings) {
  try {
    Registry registry(RegistryRoot::CurrentUser);
    registry.BeginWrites();  // the key and its five values reach the store in one write
    if (!registry.OpenKey(kSettingsKey, true)) return false;
    registry.WriteInteger("Precision", settings.precision);
    registry.WriteString("FontName", settings.fontName);
    registry.WriteInteger("SymbolName", settings.symbolIndex.value_or(-1));
    registry.WriteInteger("ShowSymbol", settings.showSymbol ? 1 : 0);
    registry.WriteInteger("FormState", settings.maximized ? 1 : 0);
    registry.CommitWrites();
    return true;
  } catch (...) {
    return false;  // the remaining values are skipped; the dialog still closes
  }
}

}  // namespace vx
