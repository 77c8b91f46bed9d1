// FormShow and FormClose: the five remembered settings restored into the controls and written back, and the dialog readied for a new text.
#pragma once

#include <functional>
#include <string>

#include "dialog/DialogSettings.h"
#include "dialog/FormattingRules.h"

namespace vx {

// The controls that showing and closing the dialog read and set, besides the
// formatting controls.
class ShowCloseView {
 public:
  virtual ~ShowCloseView() = default;
  virtual FormattingControls& Formatting() = 0;
  // TrackBar1: a position is brought into 1..32, and every change raises
  // the track bar's change event.
  virtual void SetTrackBarPosition(int position) = 0;
  virtual int TrackBarPosition() const = 0;
  // cSymbol's chosen item, -1 for none.
  virtual int SymbolCount() const = 0;
  // The item chosen when none is stored: the symbol face with glyphs for
  // most of the palette's codes (FontLists::fullestSymbol).
  virtual int DefaultSymbol() const = 0;
  virtual void ChooseSymbol(int index) = 0;
  virtual int ChosenSymbol() const = 0;
  // sbSymbol.
  virtual void SetPaletteButtonDown(bool down) = 0;
  virtual bool PaletteButtonDown() const = 0;
  // The window state: maximized, or normal; a minimized window is not maximized.
  virtual void SetMaximized(bool maximized) = 0;
  virtual bool Maximized() const = 0;
  // sbSymbolClick: the palette's visibility follows sbSymbol.
  virtual void FollowPaletteButton() = 0;
  // ApplySymbolFont; false, changing nothing, without a chosen item.
  virtual bool ApplySymbolFont() = 0;
  // SelectedCell := none.
  virtual void ForgetSelectedCell() = 0;
  // Empties the text box without a selection-change event; the text typed
  // next has the default format and character set.
  virtual void EmptyTextBox() = 0;
  virtual void FocusTextBox() = 0;
};

using SettingsReader = std::function<DialogSettings(const std::string& selectionFontName)>;
using SettingsWriter = std::function<bool(const DialogSettings&)>;

// FormShow, after the view has laid out its tool bars: restores the five
// settings (each with its own default; without a stored symbol face, the
// view's DefaultSymbol), sets the engine's precision and
// Label1 from the track bar, lets the palette follow sbSymbol, clears
// heightDropped, gives the cells the chosen symbol face (nothing without
// one), forgets the selected cell, empties the text box, shows its format in
// the size box and style buttons, refreshes the preview and focuses the box.
void FormShowSteps(ShowCloseView& view, bool& heightDropped, const SettingsReader& read = ReadDialogSettings);

// FormClose: writes the five settings from the controls; a store that
// cannot be written is passed over.
void FormCloseSteps(ShowCloseView& view, const SettingsWriter& write = WriteDialogSettings);

}  // namespace vx
