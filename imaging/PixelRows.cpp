#include "imaging/PixelRows.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <utility>

namespace img {

void PixelRows32::Fill(TRGBAPixel value) noexcept {
  TRGBAPixel* p = bits_;
  for (size_t i = 0, n = PixelCount(); i < n; ++i) p[i] = value;
}

void PixelRows32::CheckSize(int width, int height) {
  if (width < 0 || height < 0) throw std::length_error("Bitmap size is negative");
  const uint64_t bytes = uint64_t(width) * uint64_t(height) * sizeof(TRGBAPixel);
  if (bytes > uint64_t(INT32_MAX)) throw std::length_error("Bitmap is too large");
}

TRGBAPixel* PixelRows32::AllocateZeroed(int width, int height) {
  // calloc hands out large blocks as fresh zero pages, so the zero fill costs nothing up front.
  void* p = std::calloc(size_t(width) * size_t(height), sizeof(TRGBAPixel));
  if (!p) throw std::bad_alloc();
  return static_cast<TRGBAPixel*>(p);
}

void PixelRows32::SetPixels(TRGBAPixel* bits, int width, int height) noexcept {
  bits_ = bits;
  width_ = bits ? width : 0;
  height_ = bits ? height : 0;
}

void PixelRows32::TakePixels(PixelRows32& other) noexcept {
  width_ = std::exchange(other.width_, 0);
  height_ = std::exchange(other.height_, 0);
  bits_ = std::exchange(other.bits_, nullptr);
}

void PixelRows32::CopyPixels(const PixelRows32& other) noexcept {
  if (!Empty()) std::memcpy(bits_, other.bits_, PixelCount() * sizeof(TRGBAPixel));
}

}  // namespace img
