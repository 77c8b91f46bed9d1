// RichEditBox: the rich-text box Memo1, a QTextEdit with the rich-text edit control's semantics.
#pragma once

#include <QTextEdit>
#include <functional>
#include <string>

#include "dialog/qt/EditorDocument.h"
#include "richtext/DocumentFiles.h"

namespace vx {

// What the box offers the dialog:
// - its text with every line break as CR LF;
// - caret positions in which a line break counts as one position (Qt's own
//   document positions);
// - the selection's attributes (those of its first character, or of the
//   insertion point), and setting them on the selection or for the text
//   typed next;
// - SelectionChange for every caret or selection move (typing, deleting,
//   pasting, loading, clicking, and moves made by code);
// - paste taking the richest clipboard format (RTF, then HTML, then plain
//   text); copy puts RTF on the clipboard too.
class RichEditBox : public QTextEdit {
  Q_OBJECT

 public:
  explicit RichEditBox(QWidget* parent = nullptr);

  // The default face (kDefaultFace) at 30 points, regular.
  static CharFormat DefaultFormat();

  std::u16string Text() const;
  int SelStart() const;
  int SelLength() const;
  // Puts the caret at pos (clamped to the text), collapsing the selection.
  void SetSelStart(int pos);
  void Select(int start, int length);

  EditorAttributes SelAttributes() const;
  void SetSelFace(const QString& face);
  void SetSelSize(int points);  // sizes below 1 are not applied; above kMaxPointSize pinned
  void SetSelStyle(bool bold, bool italic);
  void SetSelCharset(CharSet charset);

  bool CanUndo() const;
  // Empties the box; the text typed next has the default format.
  void Clear();
  // Replaces the whole contents.
  void SetDocument(const StyledText& text);
  StyledText Document() const;
  StyledText SelectedDocument() const;

  // Tells which faces are symbol faces (for the RTF on the clipboard).
  void SetSymbolFaceTest(SymbolFaceTest test) { isSymbolFace_ = std::move(test); }

 signals:
  void SelectionChange();

 protected:
  QMimeData* createMimeDataFromSelection() const override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void NotifySelectionChange();
  void MergeIntoSelection(const QTextCharFormat& change);
  void InsertPlainText(const QString& text);

  struct SelectionKey {
    int position = -1;
    int anchor = -1;
    int revision = -1;
    int length = -1;
    bool operator==(const SelectionKey&) const = default;
  };
  SelectionKey lastNotified_;
  SymbolFaceTest isSymbolFace_;
};

}  // namespace vx
