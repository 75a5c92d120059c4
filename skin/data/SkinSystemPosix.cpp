// Without a window system the colours of the default Windows desktop stand in.
#include "skin/data/SkinSystem.h"

namespace skin {

int32_t SysColor(int index) {
  switch (index) {
    case kColorWindow:
    case kColorHighlightText:
      return 0xFFFFFF;
    case kColorWindowText:
      return 0x000000;
    case kColorHighlight:
      return 0xFF9933;
    case kColorBtnFace:
      return 0xF0F0F0;
    default:
      return 0;
  }
}

int SystemFrameWidth() {
  return 4;
}

}  // namespace skin
