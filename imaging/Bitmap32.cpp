#include "imaging/Bitmap32.h"

#include <utility>

namespace img {

namespace {

// The engine makes its bitmaps on the one user-interface thread.
int64_t storagesMade = 0;

}  // namespace

Bitmap32::Bitmap32(int width, int height) {
  Resize(width, height);
}

Bitmap32::Bitmap32(const PixelRows32& pixels) {
  Resize(pixels.Width(), pixels.Height());
  CopyPixels(pixels);
}

Bitmap32::Bitmap32(const Bitmap32& other) : Bitmap32(static_cast<const PixelRows32&>(other)) {}

Bitmap32::Bitmap32(Bitmap32&& other) noexcept
#ifdef _WIN32
    : handle_(std::exchange(other.handle_, nullptr)),
      dc_(std::exchange(other.dc_, nullptr)),
      oldBitmap_(std::exchange(other.oldBitmap_, nullptr))
#endif
{
  TakePixels(other);
}

Bitmap32& Bitmap32::operator=(const Bitmap32& other) {
  if (this != &other) *this = Bitmap32(other);
  return *this;
}

Bitmap32& Bitmap32::operator=(Bitmap32&& other) noexcept {
  if (this != &other) {
    Release();
    TakePixels(other);
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
  ++storagesMade;
}

int64_t Bitmap32::StoragesMade() noexcept {
  return storagesMade;
}

}  // namespace img
