// The conversion run of OK: the caret walk that reads each character's attributes, layout, and the hand-over by mode.
#include "dialog/ConversionRun.h"

#include "dialog/DialogModes.h"
#include "dialog/NumberRules.h"
#include "dxf/DxfWriter.h"
#include "engine/HostQueries.h"
#include "base/ScopeGuard.h"
#include "base/Utf.h"

namespace vx {

std::vector<CharStyle> CaretStyles(RunEditor& editor, std::u16string_view text) {
  std::vector<CharStyle> styles(text.size());
  int breaks = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    editor.SetSelStart(static_cast<int>(i + 1) - breaks);
    styles[i] = editor.CaretStyle();
    if (text[i] == u'\r') ++breaks;
    if (LineBreakLength(text, i) == 2) {
      styles[i + 1] = styles[i];  // the partner of the break, consumed with it
      ++i;
    }
  }
  return styles;
}

std::u16string CannotCreateFileMessage(std::string_view fileName, std::string_view reason) {
  return u"Cannot create file \"" + FromUtf8(fileName) + u"\". " + FromUtf8(reason);
}

namespace {

void LayOut(RunView& view, GlyphSource& source, const ModeFields& fields) {
  LayoutSettings settings;
  settings.sizing = SizingOfMode(fields.mode);
  settings.hostHeight = fields.hostHeight;
  settings.hostWidthFactor = fields.hostWidthFactor;
  settings.widthFactor = WidthFactorFromText(view.WidthBoxText());
  RunEditor& editor = view.Editor();
  const std::u16string text = editor.Text();
  const std::vector<CharStyle> styles = CaretStyles(editor, text);
  LayoutText(source, text, styles, settings);
}

// The wait cursor stays only while the text is laid out, errors included.
void LayOutUnderWaitCursor(RunView& view, GlyphSource& source, const ModeFields& fields) {
  view.ShowWaitCursor(true);
  const ScopeGuard restoreCursor([&view] { view.ShowWaitCursor(false); });
  LayOut(view, source, fields);
}

// The store is cleared whether the file is written, refused or not asked for.
void SaveDxf(RunView& view) {
  const ScopeGuard clearStore([] { FreePointList(); });
  if (const std::optional<std::string> fileName = view.AskDxfFileName()) {
    std::string error;
    if (!WriteDxf(*fileName, error)) view.ShowMessage(CannotCreateFileMessage(*fileName, error));
  }
}

void HandOver(RunView& view, OkAction action) {
  if (GetTTFCount() < 2) {
    FreePointList();
    view.ShowMessage(kNothingToConvert);
    return;
  }
  if (action == OkAction::SaveDxfAndStay) {
    SaveDxf(view);
    return;
  }
  view.CloseWithOk();
}

}  // namespace

void RunConversion(RunView& view, GlyphSource& source, const ModeFields& fields, bool& converting) {
  const ModeLook* look = LookOfMode(fields.mode);
  const OkAction action = look != nullptr ? look->okAction : OkAction::CloseWithOk;
  const bool putCaretBack = action == OkAction::SaveDxfAndStay;
  FreePointList();
  converting = true;
  const int remembered = putCaretBack ? view.Editor().SelStart() : 0;
  const ScopeGuard endRun([&] {
    converting = false;
    if (putCaretBack) {
      view.Editor().SetSelStart(remembered);
      view.SelectionChanged();
    }
    view.RepaintPreview();
  });
  LayOutUnderWaitCursor(view, source, fields);
  HandOver(view, action);
}

}  // namespace vx
