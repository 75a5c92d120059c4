#include "imaging/Bitmap32.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace img {

namespace {

void CheckSize(int width, int height) {
  if (width < 0 || height < 0) throw std::length_error("Bitmap size is negative");
  // Keep the byte size within what a signed pointer difference and a DIB can address.
  const uint64_t bytes = uint64_t(width) * uint64_t(height) * sizeof(TRGBAPixel);
  if (bytes > uint64_t(INT32_MAX)) throw std::length_error("Bitmap is too large");
}

}  // namespace

Bitmap32::Bitmap32(int width, int height) {
  Resize(width, height);
}

Bitmap32::Bitmap32(const Bitmap32& other) {
  Resize(other.width_, other.height_);
  if (!Empty()) std::memcpy(bits_, other.bits_, PixelCount() * sizeof(TRGBAPixel));
}

Bitmap32::Bitmap32(Bitmap32&& other) noexcept
    : width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)),
      bits_(std::exchange(other.bits_, nullptr))
#ifdef _WIN32
      ,
      handle_(std::exchange(other.handle_, nullptr)),
      dc_(std::exchange(other.dc_, nullptr)),
      oldBitmap_(std::exchange(other.oldBitmap_, nullptr))
#endif
{
}

Bitmap32& Bitmap32::operator=(const Bitmap32& other) {
  if (this != &other) *this = Bitmap32(other);
  return *this;
}

Bitmap32& Bitmap32::operator=(Bitmap32&& other) noexcept {
  if (this != &other) {
    Release();
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
    bits_ = std::exchange(other.bits_, nullptr);
#ifdef _WIN32
    handle_ = std::exchange(other.handle_, nullptr);
    dc_ = std::exchange(other.dc_, nullptr);
    oldBitmap_ = std::exchange(other.oldBitmap_, nullptr);
#endif
  }
  return *this;
}

Bitmap32::~Bitmap32() {
  Release();
}

void Bitmap32::Resize(int width, int height) {
  CheckSize(width, height);
  Release();
  if (width == 0 || height == 0) return;
  Allocate(width, height);
}

void Bitmap32::Fill(TRGBAPixel value) noexcept {
  TRGBAPixel* p = bits_;
  for (size_t i = 0, n = PixelCount(); i < n; ++i) p[i] = value;
}

}  // namespace img
