// The symbol palette's behaviour: painting and fitting cells, selecting, inserting, changing the face.
#include "dialog/qt/SymbolPalette.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QPainter>

#include "dialog/SymbolFit.h"
#include "dialog/SymbolInsertion.h"
#include "dialog/qt/EditorDocument.h"
#include "dialog/qt/RichEditBox.h"
#include "dialog/qt/SymbolCell.h"

namespace vx {
namespace {

// The cell's code as the one character it draws: the code itself, which a
// symbol face's own character map turns into its glyph.
QString CellText(const SymbolCell& cell) { return QString(QChar(char16_t(cell.Tag() & 0xFF))); }

// The rich-text box as the insertion steps see it.
class MemoTarget final : public SymbolInsertionTarget {
 public:
  explicit MemoTarget(RichEditBox& memo) : memo_(memo) {}
  int SelStart() const override { return memo_.SelStart(); }
  void Select(int start, int length) override { memo_.Select(start, length); }
  void ReplaceSelection(const std::u16string& text) override {
    memo_.insertPlainText(QString::fromStdU16String(text));
  }
  std::string CaretFace() const override { return memo_.SelAttributes().face.toStdString(); }
  CharSet CaretCharset() const override { return memo_.SelAttributes().charset; }
  void SetCaretFaceAndCharset(const std::string& face, CharSet charset) override {
    memo_.SetSelFace(QString::fromStdString(face));
    memo_.SetSelCharset(charset);
  }

 private:
  RichEditBox& memo_;
};

}  // namespace

void PaintSymbolCell(SymbolCell& cell, QPainter& painter, bool selected) {
  const QRect r(0, 0, cell.width(), cell.height());
  const QString text = CellText(cell);
  painter.setBackgroundMode(Qt::TransparentMode);
  if (selected) {
    // A one-pixel black frame along the edges, the inside in the background
    // brush the painter carries.
    painter.save();
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    painter.restore();
  }
  const QFont used = painter.font();
  const QFontMetrics metrics(used);
  const int points = used.pointSize();
  const int fitted = FitSymbolSize(points, metrics.horizontalAdvance(text), metrics.height());
  if (points > 0 && fitted != points) {
    // Takes effect at the paint that the font change brings.
    QFont next = cell.font();
    next.setPointSize(fitted);
    cell.setFont(next);
  }
  painter.setPen(cell.FontColor());
  painter.drawText(r, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

void SelectSymbolCell(SymbolCell*& selected, SymbolCell* cell) {
  SymbolCell* const previous = selected;
  selected = cell;
  if (previous) previous->repaint();
  if (cell) cell->repaint();
}

void InsertSelectedSymbol(RichEditBox& memo, const SymbolCell* selected) {
  if (!selected) return;
  MemoTarget target(memo);
  InsertSymbol(target, selected->Tag(), selected->font().family().toStdString(), selected->Charset());
}

bool ApplySymbolFont(const QComboBox& list, const SymbolCellTable& cells) {
  const int index = list.currentIndex();
  if (index < 0 || index >= list.count()) return false;
  const QString face = list.itemText(index);
  for (SymbolCell* cell : cells) {
    if (!cell) continue;
    QFont font = cell->font();
    font.setFamilies(QStringList{face});
    cell->setFont(font);
  }
  return true;
}

void ShowSymbolPalette(bool down, QWidget& panel, QWidget& insertButton) {
  panel.setVisible(down);
  insertButton.setVisible(down);
}

}  // namespace vx
