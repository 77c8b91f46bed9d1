// The formatting controls' rules: what they show for the selection, and how the font, size and width boxes and the style buttons apply or repair.
#include "dialog/FormattingRules.h"

#include <charconv>

#include "dialog/FontList.h"
#include "dialog/NumberRules.h"
#include "engine/OutlineFlattening.h"
#include "base/Utf.h"

namespace vx {
namespace {

// What a size or width box shows after a repair.
constexpr std::u16string_view kRepairedHeight = u"30";

void ShowFaceOfSelection(FormattingControls& form) {
  form.SetFaceBoxText(FromUtf8(form.Editor().SelAttributes().face));
}

void ShowSizeOfSelection(FormattingControls& form) {
  form.SetHeightBoxText(DecimalText(form.Editor().SelAttributes().pointSize));
}

void RepairHeightBox(FormattingControls& form) {
  form.SetHeightBoxText(kRepairedHeight);
  form.RefocusHeightBox();
}

}  // namespace

std::u16string DecimalText(int value) {
  char digits[16];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  return std::u16string(digits, result.ptr);
}

std::u16string DefaultWidthText() {
  char digits[32];
  const auto result = std::to_chars(digits, digits + sizeof digits, kDefaultWidthFactor);
  return std::u16string(digits, result.ptr);
}

void ShowSelection(FormattingControls& form, bool converting) {
  if (converting) return;
  const CharStyle at = form.Editor().SelAttributes();
  form.SetFaceBoxText(FromUtf8(at.face));
  form.SetHeightBoxText(DecimalText(at.pointSize));
  form.SetStyleButtons(at.bold, at.italic);
  form.RefreshPreview();
}

void ApplyFaceBox(FormattingControls& form, const std::vector<std::string>& displayFamilies) {
  const std::string name = ToUtf8(form.FaceBoxText());
  if (!ContainsFace(displayFamilies, name)) {
    ShowFaceOfSelection(form);
    return;
  }
  form.Editor().SetSelFace(name);
  form.SelectionChanged();
}

void ApplyPickedHeight(FormattingControls& form, bool& heightDropped) {
  if (!heightDropped) return;
  const std::u16string text = form.HeightBoxText();
  if (text.empty()) return;
  try {
    form.Editor().SetSelSize(ReadWholeNumber(text));
    form.SelectionChanged();
  } catch (...) {
    ShowSizeOfSelection(form);
  }
  heightDropped = false;
}

void ApplyTypedHeight(FormattingControls& form) {
  const int size = ReadWholeNumber(form.HeightBoxText());
  if (size < 0) {
    RepairHeightBox(form);
    return;
  }
  try {
    form.Editor().SetSelSize(size);
    ShowSizeOfSelection(form);
  } catch (...) {
    RepairHeightBox(form);
  }
}

bool FilterHeightKey(FormattingControls& form, std::u16string_view typed) {
  switch (HeightKeyVerdict(typed)) {
    case KeyVerdict::PassAndApply:
      ApplyTypedHeight(form);
      return false;
    case KeyVerdict::Pass:
      return false;
    case KeyVerdict::Remove:
      return true;
  }
  return true;
}

bool FilterWidthKey(std::u16string_view typed) { return WidthKeyVerdict(typed) == KeyVerdict::Remove; }

void RepairWidthBox(FormattingControls& form) {
  if (const auto repaired = RepairWidthText(form.WidthBoxText())) {
    form.SetWidthBoxText(*repaired);
    form.RefocusWidthBox();
  }
}

void ApplyBoldButton(FormattingControls& form) {
  const CharStyle at = form.Editor().SelAttributes();
  form.Editor().SetSelStyle(form.BoldDown(), at.italic);
  form.SelectionChanged();
}

void ApplyItalicButton(FormattingControls& form) {
  const CharStyle at = form.Editor().SelAttributes();
  form.Editor().SetSelStyle(at.bold, form.ItalicDown());
  form.SelectionChanged();
}

void ApplyPrecision(FormattingControls& form, int position) {
  SetPrecision(position);
  form.SetPrecisionLabel(DecimalText(position));
  form.SelectionChanged();
}

}  // namespace vx
