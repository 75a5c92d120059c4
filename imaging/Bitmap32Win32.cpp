#include "imaging/Bitmap32.h"

#include <new>

namespace img {

void Bitmap32::Allocate(int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: rows top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  // A DIB section without a file mapping comes from fresh, zeroed pages.
  HBITMAP handle = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!handle || !bits) {
    if (handle) DeleteObject(handle);
    throw std::bad_alloc();
  }
  handle_ = handle;
  bits_ = static_cast<TRGBAPixel*>(bits);
  width_ = width;
  height_ = height;
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
  bits_ = nullptr;
  width_ = height_ = 0;
}

HDC Bitmap32::DC() const {
  if (!dc_ && handle_) {
    dc_ = CreateCompatibleDC(nullptr);
    if (dc_) oldBitmap_ = SelectObject(dc_, handle_);
  }
  return dc_;
}

}  // namespace img
