#include "platform/Dpi.h"

#include <cstdint>

namespace platform {

int RescaleLength(int length, int fromDpi, int toDpi) {
  if (fromDpi <= 0 || toDpi <= 0 || fromDpi == toDpi) return length;
  const int64_t scaled = int64_t{length} * toDpi;
  const int64_t half = fromDpi / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / fromDpi : -((-scaled + half) / fromDpi));
}

int ScaledLength::Rescale(int current, int fromDpi, int toDpi) {
  if (fromDpi <= 0 || toDpi <= 0 || fromDpi == toDpi) return current;
  if (ScaleToDpi(design_, fromDpi) != current)
    design_ = RescaleLength(current, fromDpi, kDesignDpi);
  return ScaleToDpi(design_, toDpi);
}

int ScaleToDpi(int length, int dpi) {
  return RescaleLength(length, kDesignDpi, dpi);
}

}  // namespace platform
