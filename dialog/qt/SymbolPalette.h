// The symbol palette's behaviour: painting and fitting cells, selecting, inserting, changing the face.
#pragma once

#include <array>

#include "dialog/FontList.h"

class QComboBox;
class QPainter;
class QWidget;

namespace vx {

class RichEditBox;
class SymbolCell;

using SymbolCellTable = std::array<SymbolCell*, kPaletteCellCount>;

// SymbolPaint: draws the cell's code, centred on one line in the font colour
// over a transparent text background, with a one-pixel black frame when the
// cell is the selected one. When the character's larger extent at the
// current size is outside 51..60 pixels, the cell's size is fitted for the
// next paint (this one still uses the old size); a measurement without a
// positive extent leaves the size alone.
void PaintSymbolCell(SymbolCell& cell, QPainter& painter, bool selected);

// PanelSClick: makes cell the selected one and repaints the former and the
// new selection at once (the same cell twice when clicked again).
void SelectSymbolCell(SymbolCell*& selected, SymbolCell* cell);

// PanelSDblClick: inserts the selected cell's character into memo as space,
// symbol, space (nothing without a selected cell).
void InsertSelectedSymbol(RichEditBox& memo, const SymbolCell* selected);

// ApplySymbolFont: gives every cell, in code order, the face of the list's
// current item. False, changing nothing, when the list has no current item.
bool ApplySymbolFont(const QComboBox& list, const SymbolCellTable& cells);

// sbSymbolClick: the palette panel and the insert button are visible exactly
// while the palette button is down.
void ShowSymbolPalette(bool down, QWidget& panel, QWidget& insertButton);

}  // namespace vx
