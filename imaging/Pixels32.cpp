#include "imaging/Pixels32.h"

#include <cstdlib>

namespace img {

Pixels32::Pixels32(int width, int height) {
  Resize(width, height);
}

Pixels32::Pixels32(const PixelRows32& pixels) {
  Resize(pixels.Width(), pixels.Height());
  CopyPixels(pixels);
}

Pixels32::Pixels32(const Pixels32& other) : Pixels32(static_cast<const PixelRows32&>(other)) {}

Pixels32::Pixels32(Pixels32&& other) noexcept {
  TakePixels(other);
}

Pixels32& Pixels32::operator=(const Pixels32& other) {
  if (this != &other) *this = Pixels32(other);
  return *this;
}

Pixels32& Pixels32::operator=(Pixels32&& other) noexcept {
  if (this != &other) {
    Release();
    TakePixels(other);
  }
  return *this;
}

Pixels32::~Pixels32() {
  Release();
}

void Pixels32::Resize(int width, int height) {
  CheckSize(width, height);
  Release();
  if (width > 0 && height > 0) SetPixels(AllocateZeroed(width, height), width, height);
}

void Pixels32::Release() noexcept {
  std::free(Bits());
  SetPixels(nullptr, 0, 0);
}

}  // namespace img
