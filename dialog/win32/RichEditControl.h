// Memo1 on Windows: the system's RichEdit control, read and written in the styled-text model's terms.
#pragma once

#include <windows.h>

#include <richedit.h>

#include <string>
#include <vector>

#include "dialog/SymbolInsertion.h"
#include "richtext/DocumentFiles.h"
#include "richtext/StyledText.h"

namespace vx {

// Loads the DLL of the RichEdit control; false when it is missing.
bool LoadRichEditLibrary();
// The control's window class, RICHEDIT50W.
const wchar_t* RichEditClassName();

// A RichEdit control held by its window. Positions count a paragraph break
// as one position, as the control itself does. The palette inserts its
// symbols through it.
class RichEditControl : public SymbolInsertionTarget {
 public:
  explicit RichEditControl(HWND edit = nullptr) : edit_(edit) {}
  HWND Handle() const { return edit_; }

  // The whole text, every paragraph break as the pair CR LF, characters of a
  // symbol face as their codes 0x20..0xFF (the control holds them as
  // U+F020..U+F0FF).
  std::u16string Text() const;
  // The text of each line (paragraph), without breaks.
  std::vector<std::u16string> Lines() const;
  int SelStart() const override;
  int SelLength() const;
  void Select(int start, int length) override;
  void ReplaceSelection(const std::u16string& text) override;
  std::string CaretFace() const override { return SelFormat().face; }
  CharSet CaretCharset() const override { return SelFormat().charset; }
  void SetCaretFaceAndCharset(const std::string& face, CharSet charset) override;

  // The format at the selection (for an empty selection: the format the
  // next typed text takes). A mixed selection reports its first character.
  CharFormat SelFormat() const;
  void SetSelFace(const std::string& face);
  void SetSelSize(int points);
  void SetSelStyle(bool bold, bool italic);
  // The default format of the control and of newly typed text.
  void SetDefaultCharset(CharSet charset);

  // Replaces the contents with the document, through its RTF.
  void SetDocument(const StyledText& text, const SymbolFaceTest& isSymbolFace);
  // The contents as a document: the control's character-format runs.
  StyledText Document() const;
  void Clear();
  bool CanUndo() const;
  // Whether the clipboard holds a format the control pastes (rich text,
  // Unicode or ANSI text among them).
  bool CanPaste() const;

 private:
  // The control's format of its selection as it reports it.
  CharFormat CaretFormat() const;
  CharFormat FormatOfRange(int start, int end) const;
  void SetSelFormat(const CHARFORMAT2W& format);

  HWND edit_;
};

// Turns the control's selection-change notifications off while it lives,
// then back on, and puts the selection back: for walks that move the caret
// through the whole text.
class QuietSelection {
 public:
  explicit QuietSelection(HWND edit);
  ~QuietSelection();
  QuietSelection(const QuietSelection&) = delete;
  QuietSelection& operator=(const QuietSelection&) = delete;

 private:
  HWND edit_;
  LPARAM mask_;
  CHARRANGE selection_;
};

// Keeps the control from drawing, scrolling to the caret and telling of
// selection changes while it lives: for the conversion run, whose caret
// walk would otherwise repaint the box at every character.
class FrozenBox {
 public:
  explicit FrozenBox(HWND edit);
  ~FrozenBox();
  FrozenBox(const FrozenBox&) = delete;
  FrozenBox& operator=(const FrozenBox&) = delete;

 private:
  HWND edit_;
  LPARAM mask_;
};

}  // namespace vx
