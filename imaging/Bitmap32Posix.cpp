#include "imaging/Bitmap32.h"

#include <cstdlib>
#include <new>

namespace img {

void Bitmap32::Allocate(int width, int height) {
  // calloc hands out large blocks as fresh zero pages, so the zero fill costs nothing up front.
  void* p = std::calloc(size_t(width) * size_t(height), sizeof(TRGBAPixel));
  if (!p) throw std::bad_alloc();
  bits_ = static_cast<TRGBAPixel*>(p);
  width_ = width;
  height_ = height;
}

void Bitmap32::Release() noexcept {
  std::free(bits_);
  bits_ = nullptr;
  width_ = height_ = 0;
}

}  // namespace img
