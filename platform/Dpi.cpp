#include "platform/Dpi.h"

#include <cstdint>

namespace platform {

int ScaleToDpi(int length, int dpi) {
  if (dpi <= 0 || dpi == kDesignDpi) return length;
  const int64_t scaled = int64_t{length} * dpi;
  const int64_t half = kDesignDpi / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kDesignDpi
                                      : -((-scaled + half) / kDesignDpi));
}

}  // namespace platform
