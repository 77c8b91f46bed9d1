// SymbolCell: one windowless cell of the symbol palette, with hooks the dialog binds.
#pragma once

#include <QWidget>
#include <functional>

#include "dialog/FontList.h"
#include "richtext/StyledText.h"

class QPainter;

namespace vx {

// A paint control without a native window of its own (Qt's widgets draw on
// their top-level window's surface), 60 x 60 pixels, whose tag is the
// character code it shows (32..255). It has no behaviour of its own: the
// dialog binds its click, double-click and paint handlers. Painting gets a
// painter that already carries the cell's font, its font colour as the pen
// and a solid brush of the background colour.
class SymbolCell final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kSize = 60;
  static constexpr int kFirstCode = kPaletteFirstCode;
  static constexpr int kCount = kPaletteCellCount;
  static constexpr int kColumns = 4;

  SymbolCell(int code, QWidget* parent);

  int Tag() const { return tag_; }
  // The font's character set: the symbol set as built.
  CharSet Charset() const { return charset_; }
  void SetCharset(CharSet charset) { charset_ = charset; }
  // The cell's font colour (pure blue as built).
  QColor FontColor() const { return fontColor_; }
  void SetFontColor(const QColor& color) { fontColor_ = color; }

  std::function<void(SymbolCell*)> OnClick;
  std::function<void(SymbolCell*)> OnDblClick;
  std::function<void(SymbolCell*, QPainter&)> OnPaint;

  // Where the cell for code stands in its scroll box: four to a row.
  static QPoint PositionFor(int code);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  int tag_;
  CharSet charset_ = CharSet::Symbol;
  QColor fontColor_{0, 0, 255};
};

}  // namespace vx
