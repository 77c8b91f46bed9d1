// Styled text into and out of a QTextDocument, one block per line, one fragment per run.
#include "dialog/qt/EditorDocument.h"

#include <QTextBlock>
#include <algorithm>

namespace vx {
namespace {

QString FaceOf(const QTextCharFormat& format, const QFont& defaultFont) {
  if (format.hasProperty(QTextFormat::FontFamilies)) {
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty()) return families.first();
  }
  if (format.hasProperty(QTextFormat::FontFamily)) return format.property(QTextFormat::FontFamily).toString();
  return defaultFont.families().isEmpty() ? defaultFont.family() : defaultFont.families().first();
}

CharFormat FormatOf(const QTextCharFormat& format, const QFont& defaultFont) {
  return ToCharFormat(AttributesOf(format, defaultFont));
}

void AppendRun(StyledLine& line, const QString& text, const CharFormat& format) {
  if (text.isEmpty()) return;
  if (!line.runs.empty() && line.runs.back().format == format) {
    line.runs.back().text += text.toStdU16String();
  } else {
    line.runs.push_back(StyledRun{text.toStdU16String(), format});
  }
}

}  // namespace

EditorAttributes AttributesOf(const QTextCharFormat& format, const QFont& defaultFont) {
  EditorAttributes a;
  a.face = FaceOf(format, defaultFont);
  const double points = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize()
                                                                       : defaultFont.pointSizeF();
  a.size = points > 0 ? static_cast<int>(points) : 0;
  const int weight = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() : defaultFont.weight();
  a.bold = weight >= QFont::Bold;
  a.italic = format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : defaultFont.italic();
  a.charset = CharSetOfNumber(format.intProperty(kCharsetProperty));
  return a;
}

QTextCharFormat ToQtFormat(const CharFormat& format) {
  QTextCharFormat q;
  q.setFontFamilies(QStringList{QString::fromStdString(format.face)});
  q.setFontPointSize(format.halfPoints / 2.0);
  q.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
  q.setFontItalic(format.italic);
  q.setProperty(kCharsetProperty, static_cast<int>(format.charset));
  return q;
}

CharFormat ToCharFormat(const EditorAttributes& a) {
  CharFormat f;
  f.face = a.face.toStdString();
  f.halfPoints = a.size * 2;
  f.bold = a.bold;
  f.italic = a.italic;
  f.charset = a.charset;
  return f;
}

namespace {

// Inserts one line's runs. A line break inside the line (kLineSeparator, from RTF's
// \line or HTML's <br>) becomes a new block, as Return makes it: a caret
// after it then reports the next line's format, as after any other break,
// and not the break's own. An inner block takes as its char format that of
// the character following the break (what a caret on it reports when it is
// empty); the block after the last break keeps the line's end format.
void InsertLine(QTextCursor& cursor, const StyledLine& line) {
  std::size_t breaksLeft = 0;
  for (const StyledRun& run : line.runs) breaksLeft += std::count(run.text.begin(), run.text.end(), kLineSeparator);
  for (std::size_t r = 0; r < line.runs.size(); ++r) {
    const StyledRun& run = line.runs[r];
    std::size_t start = 0;
    for (;;) {
      const std::size_t at = run.text.find(kLineSeparator, start);
      const std::size_t end = at == std::u16string::npos ? run.text.size() : at;
      if (end > start) cursor.insertText(QString::fromStdU16String(run.text.substr(start, end - start)),
                                         ToQtFormat(run.format));
      if (at == std::u16string::npos) break;
      const CharFormat* next = &line.endFormat;
      if (--breaksLeft > 0) next = at + 1 < run.text.size() ? &run.format : &line.runs[r + 1].format;
      cursor.insertBlock(cursor.blockFormat(), ToQtFormat(*next));
      start = at + 1;
    }
  }
}

}  // namespace

void InsertStyledText(QTextCursor& cursor, const StyledText& text, bool replaceAll) {
  cursor.beginEditBlock();
  for (std::size_t l = 0; l < text.lines.size(); ++l) {
    const StyledLine& line = text.lines[l];
    if (l == 0 && replaceAll) {
      cursor.setBlockCharFormat(ToQtFormat(line.endFormat));
      cursor.setCharFormat(ToQtFormat(line.endFormat));
    }
    if (l > 0) cursor.insertBlock(cursor.blockFormat(), ToQtFormat(line.endFormat));
    InsertLine(cursor, line);
  }
  cursor.endEditBlock();
}

StyledText ExportStyledText(const QTextDocument& document, int from, int to) {
  const QFont defaultFont = document.defaultFont();
  if (to < 0) to = document.characterCount() - 1;  // without the final separator
  StyledText out;
  out.lines.clear();
  for (QTextBlock block = document.findBlock(from); block.isValid(); block = block.next()) {
    if (block.position() > to) break;
    if (!out.lines.empty() && block.position() > to) break;
    StyledLine line;
    line.endFormat = FormatOf(block.charFormat(), defaultFont);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.isValid()) continue;
      const int start = std::max(fragment.position(), from);
      const int end = std::min(fragment.position() + fragment.length(), to);
      if (start >= end) continue;
      AppendRun(line, fragment.text().mid(start - fragment.position(), end - start),
                FormatOf(fragment.charFormat(), defaultFont));
    }
    out.lines.push_back(std::move(line));
    // The block's separator lies inside the range only when the next block starts in it.
    if (block.position() + block.length() > to) break;
  }
  if (out.lines.empty()) out.lines.push_back(StyledLine{});
  return out;
}

}  // namespace vx
