// A 32-bit device-independent bitmap with rows top-down and bytes blue, green, red, alpha: the
// one pixel layout the program hands to GDI.
#pragma once

#include <windows.h>

namespace img {

// Creates the DIB section and sets bits to its pixels; null when the system refuses. Without a
// file mapping the pixels come from fresh, zeroed pages.
inline HBITMAP CreateTopDownDib32(int width, int height, void** bits) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: rows top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  *bits = nullptr;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

}  // namespace img
