// The conversion run of OK: the caret walk that reads each character's attributes, layout, and the hand-over by mode.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/GlyphSource.h"
#include "engine/TextLayout.h"

namespace vx {

struct ModeFields;

// What the run needs of the rich-text box. Caret positions count a line
// break as one position, as the box itself does.
class RunEditor {
 public:
  virtual ~RunEditor() = default;
  // The whole text, every line break as the pair CR LF.
  virtual std::u16string Text() const = 0;
  virtual int SelStart() const = 0;
  // Puts the caret at position, collapsing the selection.
  virtual void SetSelStart(int position) = 0;
  // Face, point size, bold and italic of the format at the caret (for an
  // empty selection: those of the character before it).
  virtual CharStyle CaretStyle() const = 0;
};

// The attributes of every code unit of text (the editor's text, breaks as
// CR LF): the caret goes right after each character, at the character's
// position minus the breaks met so far, and the format there is the
// character's. The second unit of a break pair is no position of its own
// and takes the first unit's attributes.
std::vector<CharStyle> CaretStyles(RunEditor& editor, std::u16string_view text);

// The dialog around the run, as a view carries it out.
class RunView {
 public:
  virtual ~RunView() = default;
  virtual RunEditor& Editor() = 0;
  // The text of the width factor box cWidth.
  virtual std::u16string WidthBoxText() const = 0;
  // The hourglass while the text is laid out; false puts the default back.
  virtual void ShowWaitCursor(bool shown) = 0;
  virtual void ShowMessage(std::u16string_view text) = 0;
  // The DXF save dialog: the chosen file name (UTF-8), nullopt when cancelled.
  virtual std::optional<std::string> AskDxfFileName() = 0;
  // Ends the modal dialog with the OK result.
  virtual void CloseWithOk() = 0;
  // The selection-change handling, after the caret was put back.
  virtual void SelectionChanged() = 0;
  // Asks the preview box to paint again.
  virtual void RepaintPreview() = 0;
};

inline constexpr std::u16string_view kNothingToConvert = u"No text to convert!";

// The message for a DXF file that cannot be written.
std::u16string CannotCreateFileMessage(std::string_view fileName, std::string_view reason);

// OkBtnClick: clears the store, sets converting, lays the whole text out as
// the mode says (the width factor from the width box), then hands the store
// on by the mode's OK action: closes with OK, or asks for a DXF file, writes
// it and clears the store. Fewer than 2 records: "No text to convert!", the
// store cleared and the dialog left open. converting is cleared, and in the
// stand-alone mode the caret put back where it stood, however the run ends;
// an error goes on to the caller.
void RunConversion(RunView& view, GlyphSource& source, const ModeFields& fields, bool& converting);

}  // namespace vx
