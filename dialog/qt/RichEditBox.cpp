// RichEditBox: CR LF text, caret numbering, selection attributes, clipboard formats.
#include "dialog/qt/RichEditBox.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <algorithm>
#include <memory>

#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

namespace vx {
namespace {

const char* const kRtfMimeTypes[] = {"text/rtf", "text/richtext", "application/rtf"};

bool HasRtf(const QMimeData* source) {
  for (const char* type : kRtfMimeTypes) {
    if (source->hasFormat(QString::fromLatin1(type))) return true;
  }
  return false;
}

QByteArray RtfBytes(const QMimeData* source) {
  for (const char* type : kRtfMimeTypes) {
    if (source->hasFormat(QString::fromLatin1(type))) return source->data(QString::fromLatin1(type));
  }
  return {};
}

}  // namespace

RichEditBox::RichEditBox(QWidget* parent) : QTextEdit(parent) {
  setAcceptRichText(true);
  setLineWrapMode(QTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setFrameShape(QFrame::NoFrame);
  // Tab types a tab, as in the rich-text edit control; Ctrl+Tab leaves the box.
  setTabChangesFocus(false);
  QFont font(QString::fromUtf8(kDefaultFace));
  font.setPointSize(DefaultFormat().WholePoints());
  setFont(font);
  document()->setDefaultFont(font);
  QPalette colours = palette();
  colours.setColor(QPalette::Base, colours.color(QPalette::ToolTipBase));
  colours.setColor(QPalette::Text, colours.color(QPalette::WindowText));
  setPalette(colours);
  connect(this, &QTextEdit::cursorPositionChanged, this, &RichEditBox::NotifySelectionChange);
  connect(this, &QTextEdit::selectionChanged, this, &RichEditBox::NotifySelectionChange);
  connect(this, &QTextEdit::textChanged, this, &RichEditBox::NotifySelectionChange);
  Clear();
}

CharFormat RichEditBox::DefaultFormat() {
  return CharFormat{};
}

void RichEditBox::NotifySelectionChange() {
  const QTextCursor cursor = textCursor();
  const SelectionKey key{cursor.position(), cursor.anchor(), document()->revision(),
                         document()->characterCount()};
  if (key == lastNotified_) return;
  lastNotified_ = key;
  emit SelectionChange();
}

std::u16string RichEditBox::Text() const {
  std::u16string text;
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
    if (block != document()->begin()) text += u"\r\n";
    const QString line = block.text();
    for (const QChar c : line) {
      if (c.unicode() == kLineSeparator) {
        text += u"\r\n";
      } else {
        text.push_back(c.unicode());
      }
    }
  }
  return text;
}

int RichEditBox::SelStart() const { return textCursor().selectionStart(); }

int RichEditBox::SelLength() const {
  const QTextCursor cursor = textCursor();
  return cursor.selectionEnd() - cursor.selectionStart();
}

void RichEditBox::SetSelStart(int pos) { Select(pos, 0); }

void RichEditBox::Select(int start, int length) {
  const int last = document()->characterCount() - 1;
  start = std::clamp(start, 0, last);
  const int end = std::clamp(start + std::max(length, 0), start, last);
  QTextCursor cursor = textCursor();
  cursor.setPosition(start);
  cursor.setPosition(end, QTextCursor::KeepAnchor);
  setTextCursor(cursor);
}

EditorAttributes RichEditBox::SelAttributes() const {
  QTextCursor cursor = textCursor();
  if (cursor.hasSelection()) {
    // The first character of the selection: a caret right after it reports it,
    // unless that character is a line break, whose format is the next block's.
    const int start = cursor.selectionStart();
    const QTextBlock block = document()->findBlock(start);
    if (start == block.position() + block.length() - 1 && block.next().isValid()) {
      return AttributesOf(block.next().charFormat(), document()->defaultFont());
    }
    QTextCursor probe(document());
    probe.setPosition(start + 1);
    if (probe.atBlockStart()) probe.setPosition(start);
    return AttributesOf(probe.charFormat(), document()->defaultFont());
  }
  return AttributesOf(cursor.charFormat(), document()->defaultFont());
}

void RichEditBox::MergeIntoSelection(const QTextCharFormat& change) {
  QTextCursor cursor = textCursor();
  if (cursor.hasSelection()) {
    cursor.mergeCharFormat(change);
    return;
  }
  // The insertion point's format, so that what is typed next takes it; an
  // empty line keeps it as its own format too.
  QTextCharFormat format = cursor.charFormat();
  format.merge(change);
  if (cursor.block().length() == 1) cursor.setBlockCharFormat(format);
  setCurrentCharFormat(format);
}

void RichEditBox::SetSelFace(const QString& face) {
  QTextCharFormat change;
  change.setFontFamilies(QStringList{face});
  MergeIntoSelection(change);
}

void RichEditBox::SetSelSize(int points) {
  if (points < 1) return;
  QTextCharFormat change;
  change.setFontPointSize(std::min(points, kMaxPointSize));
  MergeIntoSelection(change);
}

void RichEditBox::SetSelStyle(bool bold, bool italic) {
  QTextCharFormat change;
  change.setFontWeight(bold ? QFont::Bold : QFont::Normal);
  change.setFontItalic(italic);
  MergeIntoSelection(change);
}

void RichEditBox::SetSelCharset(CharSet charset) {
  QTextCharFormat change;
  change.setProperty(kCharsetProperty, static_cast<int>(charset));
  MergeIntoSelection(change);
}

bool RichEditBox::CanUndo() const { return document()->isUndoAvailable(); }

void RichEditBox::Clear() {
  document()->clear();
  QTextCursor cursor(document());
  const QTextCharFormat format = ToQtFormat(DefaultFormat());
  cursor.setBlockCharFormat(format);
  cursor.setCharFormat(format);
  setTextCursor(cursor);
  lastNotified_ = {};
  NotifySelectionChange();
}

void RichEditBox::SetDocument(const StyledText& text) {
  document()->clear();
  QTextCursor cursor(document());
  InsertStyledText(cursor, text, true);
  document()->clearUndoRedoStacks();
  setTextCursor(cursor);
  NotifySelectionChange();
}

StyledText RichEditBox::Document() const { return ExportStyledText(*document()); }

StyledText RichEditBox::SelectedDocument() const {
  const QTextCursor cursor = textCursor();
  return ExportStyledText(*document(), cursor.selectionStart(), cursor.selectionEnd());
}

QMimeData* RichEditBox::createMimeDataFromSelection() const {
  // Qt's own selection data lists a fixed set of formats, so its contents
  // are copied into plain mime data that can carry our RTF beside them.
  std::unique_ptr<QMimeData> own(QTextEdit::createMimeDataFromSelection());
  auto* data = new QMimeData;
  for (const QString& format : own->formats()) data->setData(format, own->data(format));
  const std::string rtf = WriteRtf(SelectedDocument(), isSymbolFace_);
  const QByteArray bytes(rtf.data(), static_cast<qsizetype>(rtf.size()));
  for (const char* type : kRtfMimeTypes) data->setData(QString::fromLatin1(type), bytes);
  return data;
}

bool RichEditBox::canInsertFromMimeData(const QMimeData* source) const {
  return HasRtf(source) || source->hasHtml() || source->hasText();
}

void RichEditBox::insertFromMimeData(const QMimeData* source) {
  QTextCursor cursor = textCursor();
  const CharFormat current = ToCharFormat(SelAttributes());
  if (HasRtf(source)) {
    const QByteArray bytes = RtfBytes(source);
    LoadResult loaded = ReadRtf(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                                current, isSymbolFace_);
    if (loaded.ok) {
      InsertStyledText(cursor, loaded.text, false);
      setTextCursor(cursor);
      return;
    }
  }
  if (source->hasHtml()) {
    // Through a scratch document, so tables, lists and pictures arrive as
    // plain lines of formatted text.
    QTextDocument scratch;
    QFont font(QString::fromStdString(current.face));
    font.setPointSize(current.WholePoints());
    scratch.setDefaultFont(font);
    scratch.setHtml(source->html());
    InsertStyledText(cursor, ExportStyledText(scratch), false);
    setTextCursor(cursor);
    return;
  }
  if (source->hasText()) InsertPlainText(source->text());
}

void RichEditBox::InsertPlainText(const QString& text) {
  QTextCursor cursor = textCursor();
  const QTextCharFormat format = cursor.charFormat();
  cursor.beginEditBlock();
  QString line;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar::ParagraphSeparator) {
      if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
      cursor.insertText(line, format);
      cursor.insertBlock(cursor.blockFormat(), format);
      line.clear();
    } else if (c != QChar(0)) {
      line.append(c);
    }
  }
  cursor.insertText(line, format);
  cursor.endEditBlock();
  setTextCursor(cursor);
}

void RichEditBox::keyPressEvent(QKeyEvent* event) {
  // Ctrl+Tab and Ctrl+Shift+Tab move the focus to the next and the previous control.
  const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
  if (tab && (event->modifiers() & Qt::ControlModifier)) {
    const bool back = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
    QWidget::focusNextPrevChild(!back);
    event->accept();
    return;
  }
  // A line break is always a new paragraph, as in the rich-text edit control.
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      (event->modifiers() & Qt::ShiftModifier)) {
    QKeyEvent plain(event->type(), event->key(), event->modifiers() & ~Qt::ShiftModifier, event->text());
    QTextEdit::keyPressEvent(&plain);
    event->setAccepted(plain.isAccepted());
    return;
  }
  QTextEdit::keyPressEvent(event);
}

}  // namespace vx
