#include "imaging/Bitmap32.h"

#include <new>

#include "imaging/Dib.h"

namespace img {

void Bitmap32::Allocate(int width, int height) {
  void* bits;
  HBITMAP handle = img::CreateTopDownDib32(width, height, &bits);
  if (!handle || !bits) {
    if (handle) DeleteObject(handle);
    throw std::bad_alloc();
  }
  handle_ = handle;
  SetPixels(static_cast<TRGBAPixel*>(bits), width, height);
}

void Bitmap32::Release() noexcept {
  if (dc_) {
    SelectObject(dc_, oldBitmap_);
    DeleteDC(dc_);
  }
  if (handle_) DeleteObject(handle_);
  dc_ = nullptr;
  oldBitmap_ = nullptr;
  handle_ = nullptr;
  SetPixels(nullptr, 0, 0);
}

HDC Bitmap32::DC() const {
  if (!dc_ && handle_) {
    dc_ = CreateCompatibleDC(nullptr);
    if (dc_) oldBitmap_ = SelectObject(dc_, handle_);
  }
  return dc_;
}

}  // namespace img
