// Moving styled text between the toolkit-free document model and Qt's text document.
#pragma once

#include <QFont>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include "richtext/StyledText.h"

namespace vx {

// The text format property that holds a character's CharSet (as its number).
inline constexpr int kCharsetProperty = QTextFormat::UserProperty + 1;

// A character's format as the editor reports it: face, whole points, bold,
// italic and character set; properties the format leaves unset come from
// the document's default font.
struct EditorAttributes {
  QString face;
  int size = 30;
  bool bold = false;
  bool italic = false;
  CharSet charset = CharSet::Default;
  bool operator==(const EditorAttributes&) const = default;
};

EditorAttributes AttributesOf(const QTextCharFormat& format, const QFont& defaultFont);
QTextCharFormat ToQtFormat(const CharFormat& format);
CharFormat ToCharFormat(const EditorAttributes& attributes);

// Inserts the document at the cursor: runs in their formats, each line break
// (also one inside a line, kLineSeparator) as a new block whose block format carries
// the new line's end format (the format a caret on an empty line reports). With replaceAll the first line's
// end format becomes the first block's too, as for a freshly loaded box.
void InsertStyledText(QTextCursor& cursor, const StyledText& text, bool replaceAll);

// The document (or the characters from..to of it, in editor positions) as
// styled text; a line's end format is its block's char format.
StyledText ExportStyledText(const QTextDocument& document, int from = 0, int to = -1);

}  // namespace vx
