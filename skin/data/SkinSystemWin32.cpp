#include <windows.h>

#include "skin/data/SkinSystem.h"

namespace skin {

int32_t SysColor(int index) {
  return static_cast<int32_t>(GetSysColor(index));
}

int SystemFrameWidth() {
  return GetSystemMetrics(SM_CXFRAME);
}

}  // namespace skin
