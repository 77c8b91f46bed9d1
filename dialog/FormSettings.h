// The dialog's remembered settings carried between the controls of TForm1 and the per-user store.
#pragma once

class TForm1;

namespace vx {

// The show step's restoring: reads the five settings (each value with its
// own default; every default when the key is missing) into the track bar,
// the font box's text, the chosen symbol face, the palette button and the
// window state. The font box default is the face of the editor's selection.
void RestoreFormSettings(TForm1& form);

// The close step: writes the five settings from the controls. A store that
// cannot be opened or written is passed over silently; it never raises.
void StoreFormSettings(const TForm1& form);

}  // namespace vx
