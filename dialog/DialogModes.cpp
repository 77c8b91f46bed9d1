// The dialog's showing modes: the titles, captions and controls each one sets, and what OK does in it.
#include "dialog/DialogModes.h"

#include <cmath>

#include "platform/ProductVersion.h"

namespace vx {
namespace {

constexpr ModeLook kHostLook{
    .title = u"Input Text [Vexoglyph v" VX_VERSION_MAJOR_MINOR "]",
    .okCaption = u"OK",
    .okHint = u"",
    .cancelCaption = u"Cancel",
    .hidesSizeBoxesAndAcad = true,
    .minimizeBox = false,
    .keepsHostNumbers = false,
    .okAction = OkAction::CloseWithOk,
};

constexpr ModeLook kHostSizedLook = [] {
  ModeLook look = kHostLook;
  look.keepsHostNumbers = true;
  return look;
}();

constexpr ModeLook kStandaloneLook{
    .title = u"Vexoglyph V" VX_VERSION_MAJOR_MINOR,
    .okCaption = u"Save to dxf...",
    .okHint = u"Save text outline to DXF file",
    .cancelCaption = u"Close",
    .hidesSizeBoxesAndAcad = false,
    .minimizeBox = true,
    .keepsHostNumbers = false,
    .okAction = OkAction::SaveDxfAndStay,
};

}  // namespace

bool IsShowingMode(int mode) { return LookOfMode(mode) != nullptr; }

const ModeLook* LookOfMode(int mode) {
  switch (mode) {
    case dmHostDefault:
      return &kHostLook;
    case dmHostSized:
      return &kHostSizedLook;
    case dmStandalone:
      return &kStandaloneLook;
    default:
      return nullptr;
  }
}

CellSizing SizingOfMode(int mode) {
  switch (mode) {
    case dmHostDefault:
      return CellSizing::FixedCell;
    case dmHostSized:
      return CellSizing::HostSized;
    default:
      return CellSizing::PointSize;
  }
}

bool UsableHostNumbers(int mode, double height, double widthFactor) {
  return SizingOfMode(mode) != CellSizing::HostSized || (std::isfinite(height) && std::isfinite(widthFactor));
}

bool ApplyMode(ModeView& view, ModeFields& fields, int mode, double height, double widthFactor) {
  const ModeLook* look = LookOfMode(mode);
  if (look == nullptr) return false;
  view.SetOkCaptionAndHint(look->okCaption, look->okHint);
  view.SetCancelCaption(look->cancelCaption);
  view.SetTitle(look->title);
  if (look->hidesSizeBoxesAndAcad) view.HideSizeBoxesAndAcad();
  if (look->keepsHostNumbers) {
    fields.hostHeight = height;
    fields.hostWidthFactor = widthFactor;
  }
  view.SetMinimizeBox(look->minimizeBox);
  fields.mode = mode;
  return true;
}

}  // namespace vx
