// The text dialog's five remembered settings: read with per-value defaults, written at close.
#pragma once

#include <optional>
#include <string>

#include "engine/OutlineFlattening.h"

namespace vx {

// Per-user key of the settings, below HKEY_CURRENT_USER.
inline constexpr const char* kSettingsKey = "\\Software\\Kestrow\\Vexoglyph\\Option";

struct DialogSettings {
  int precision = kDefaultPrecision;  // "Precision": track bar position
  std::string fontName;               // "FontName": text of the font box
  // "SymbolName": chosen symbol face, -1 for none; empty when none is stored
  // (the palette then opens on the face that fills it most).
  std::optional<int> symbolIndex;
  bool showSymbol = false;            // "ShowSymbol": palette button down
  bool maximized = false;             // "FormState": window maximized
  bool operator==(const DialogSettings&) const = default;
};

// A stored precision as the track bar takes it: brought to the nearer bound.
int ClampPrecision(int value);

// The defaults of a first use; fontName is the face of the editor's selection.
DialogSettings DefaultDialogSettings(const std::string& selectionFontName);

// Reads the settings key without creating it. Each value is read on its own:
// a missing value or one of another type gives that value's default and
// leaves the others alone (a missing "FontName" reads as empty text, as a
// missing string does). A key that cannot be opened gives every default.
// Never raises.
DialogSettings ReadDialogSettings(const std::string& selectionFontName);

// Writes the five values in their order ("Precision", "FontName",
// "SymbolName", "ShowSymbol", "FormState"), creating the key when missing,
// in one write of the store. Returns false when the key cannot be opened or
// created or the store cannot be written (then nothing is written). Never
// raises, so closing the dialog always goes on.
bool WriteDialogSettings(const DialogSettings& settings);

}  // namespace vx
