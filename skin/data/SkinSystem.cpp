#include "skin/data/SkinSystem.h"

namespace skin {

int32_t ColorToRGB(int32_t color) {
  return color < 0 ? SysColor(color & 0xFF) : color;
}

}  // namespace skin
