// The dialog's showing modes: the titles, captions and controls each one sets, and what OK does in it.
#pragma once

#include <string_view>

#include "dialog/HostExports.h"
#include "engine/TextLayout.h"

namespace vx {

// What pressing OK does after the text was converted.
enum class OkAction {
  CloseWithOk,     // the host modes: the dialog closes with the OK result
  SaveDxfAndStay,  // stand-alone: asks for a DXF file name, writes it, stays open
};

// What a showing mode sets before the dialog is shown. Both views (the Qt
// form and the native Windows window) apply it through ApplyMode.
struct ModeLook {
  std::u16string_view title;          // window title
  std::u16string_view okCaption;      // caption of OkBtn
  std::u16string_view okHint;         // hint of OkBtn; empty: no hint is shown
  std::u16string_view cancelCaption;  // caption of CancelBtn
  // Hides Panel5 (the height and width boxes) and AcadBtn; false leaves
  // them as an earlier call left them.
  bool hidesSizeBoxesAndAcad = false;
  bool minimizeBox = false;       // the window's minimize box; system menu and maximize box always
  bool keepsHostNumbers = false;  // FHostHeight and FHostWidthFactor come from the call
  OkAction okAction = OkAction::CloseWithOk;
};

// Whether mode shows the dialog (dmHostDefault, dmHostSized, dmStandalone);
// every other value releases it.
bool IsShowingMode(int mode);

// The look of a showing mode; null for a release value.
const ModeLook* LookOfMode(int mode);

// How the layout sizes the characters in a mode: dmHostDefault draws every
// character in the fixed cell, dmHostSized at the host's height and width
// factor, any other value at each character's own point size.
CellSizing SizingOfMode(int mode);

// Whether a showing call's height and width factor can be laid out: the sized
// host mode needs both finite (NaN or an infinity would reach the host as NaN
// coordinates); the other modes do not read them.
bool UsableHostNumbers(int mode, double height, double widthFactor);

// What a mode changes in the window, as the view carries it out.
class ModeView {
 public:
  virtual ~ModeView() = default;
  virtual void SetTitle(std::u16string_view title) = 0;
  // An empty hint stops showing OkBtn's hint.
  virtual void SetOkCaptionAndHint(std::u16string_view caption, std::u16string_view hint) = 0;
  virtual void SetCancelCaption(std::u16string_view caption) = 0;
  virtual void HideSizeBoxesAndAcad() = 0;
  // Applied to the window at once, also when it exists from an earlier call.
  virtual void SetMinimizeBox(bool present) = 0;
};

// The dialog's fields that a showing call sets.
struct ModeFields {
  int mode = 0;                  // FMode
  double hostHeight = 0.0;       // FHostHeight
  double hostWidthFactor = 0.0;  // FHostWidthFactor
};

// Applies a showing mode's look to the view and stores the mode in fields
// (dmHostSized also keeps height and widthFactor). A release value changes
// nothing and returns false.
bool ApplyMode(ModeView& view, ModeFields& fields, int mode, double height, double widthFactor);

}  // namespace vx
