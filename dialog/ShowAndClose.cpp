// FormShow and FormClose: the five remembered settings restored into the controls and written back, and the dialog readied for a new text.
#include "dialog/ShowAndClose.h"

#include "engine/OutlineFlattening.h"
#include "base/Utf.h"

namespace vx {
namespace {

void RestoreSettings(ShowCloseView& view, const DialogSettings& settings) {
  view.SetTrackBarPosition(settings.precision);
  // Set by code: no change event, so nothing is applied to the text.
  view.Formatting().SetFaceBoxText(FromUtf8(settings.fontName));
  const int index = settings.symbolIndex.value_or(view.DefaultSymbol());
  view.ChooseSymbol(index >= 0 && index < view.SymbolCount() ? index : -1);
  view.SetPaletteButtonDown(settings.showSymbol);
  view.SetMaximized(settings.maximized);
}

}  // namespace

void FormShowSteps(ShowCloseView& view, bool& heightDropped, const SettingsReader& read) {
  FormattingControls& form = view.Formatting();
  RestoreSettings(view, read(form.Editor().SelAttributes().face));
  SetPrecision(view.TrackBarPosition());
  form.SetPrecisionLabel(DecimalText(view.TrackBarPosition()));
  view.FollowPaletteButton();
  heightDropped = false;
  view.ApplySymbolFont();  // without a chosen symbol face the cells keep theirs
  view.ForgetSelectedCell();
  view.EmptyTextBox();
  const CharStyle at = form.Editor().SelAttributes();
  form.SetHeightBoxText(DecimalText(at.pointSize));
  form.SetStyleButtons(at.bold, at.italic);
  form.RefreshPreview();  // the last showing's character is gone from the preview too
  view.FocusTextBox();
}

void FormCloseSteps(ShowCloseView& view, const SettingsWriter& write) {
  DialogSettings settings;
  settings.precision = view.TrackBarPosition();
  settings.fontName = ToUtf8(view.Formatting().FaceBoxText());
  settings.symbolIndex = view.ChosenSymbol();
  settings.showSymbol = view.PaletteButtonDown();
  settings.maximized = view.Maximized();
  write(settings);
}

}  // namespace vx
