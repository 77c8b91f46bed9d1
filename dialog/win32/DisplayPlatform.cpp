// The display platform on Windows: the system's own windows, which the text dialog does not use yet.
#include "dialog/DisplayPlatform.h"

namespace vx {

DisplayPlatform ChooseDisplayPlatform() {
  DisplayPlatform none;
  none.problem = "the text dialog has no Windows window yet";
  return none;
}

}  // namespace vx
