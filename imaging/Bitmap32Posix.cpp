#include "imaging/Bitmap32.h"

#include <cstdlib>

namespace img {

void Bitmap32::Allocate(int width, int height) {
  SetPixels(AllocateZeroed(width, height), width, height);
}

void Bitmap32::Release() noexcept {
  std::free(Bits());
  SetPixels(nullptr, 0, 0);
}

}  // namespace img
