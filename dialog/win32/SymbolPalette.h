// The symbol palette on Windows: ScrollBox2 with its 224 cells, selection, fitting and insertion into the editor.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "dialog/FontList.h"
#include "dialog/SymbolInsertion.h"

namespace vx::win32 {

// The grid ScrollBox2 (only its vertical direction scrolls) holding one cell
// window per character code 32..255, four to a row, 60 × 60 pixels each,
// found with GetDlgItem(ScrollBox(), form1::SymbolCell(code)). A cell draws
// its code's glyph of the palette's symbol face in blue on the tooltip
// colour, fitted to the cell; a click selects it (framed), a double click
// runs onDoubleClick (the dialog's insertion, PanelSDblClick).
class SymbolPalette {
 public:
  // Creates ScrollBox2 as a child of parent at bounds (left, top, width,
  // height); step runs after each cell is made (the start-up window's third
  // bar). Raises std::runtime_error when the grid cannot be made.
  SymbolPalette(HWND parent, const RECT& bounds, const std::function<void()>& step);
  ~SymbolPalette();
  SymbolPalette(const SymbolPalette&) = delete;
  SymbolPalette& operator=(const SymbolPalette&) = delete;

  HWND ScrollBox() const { return scrollBox_; }
  HWND Cell(int code) const;

  // ApplySymbolFont: every cell takes face (UTF-8), in code order; each
  // paints again, fitting from its current size.
  void ApplySymbolFont(const std::string& face);
  const std::string& SymbolFace() const { return face_; }

  // PanelSClick: selects the cell of code, framing it; the former one loses its frame.
  void Select(int code);
  // The selected code, or 0 when no cell is selected.
  int SelectedCode() const { return selected_; }
  void ClearSelection();

  // The insertion of PanelSDblClick: the selected character in the
  // palette's face and the symbol character set, through the shared
  // insertion rule; nothing when no cell is selected.
  void InsertSelected(SymbolInsertionTarget& target) const;

  // A cell's current size in points (40 when made; the fit rule changes it).
  int CellPoints(int code) const { return points_[code - kFirstCode]; }

  std::function<void()> onDoubleClick;

  static constexpr int kFirstCode = kPaletteFirstCode;
  static constexpr int kCellCount = kPaletteCellCount;
  static constexpr int kCellSize = 60;

 private:
  static LRESULT CALLBACK BoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK CellProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void PaintCell(HWND cell, HDC dc);
  void Scroll(int request, int thumb);

  HWND scrollBox_ = nullptr;
  std::array<HWND, kCellCount> cells_{};
  std::array<int, kCellCount> points_{};
  std::string face_ = "MS Sans Serif";  // the dialog's own face until a symbol face is applied
  int selected_ = 0;
  int scrollTop_ = 0;
};

}  // namespace vx::win32
