// The 32-bit picture every painter of the engine draws into and reads from.
//
// Rows run top-down and each pixel is four bytes in memory order blue, green, red, alpha (a
// little-endian 0xAARRGGBB). Colour is straight, not premultiplied, unless the code that filled
// the bitmap says otherwise. Rows are contiguous: a 32-bit row needs no padding, so the whole
// picture is Width() * Height() pixels starting at Row(0).
//
// On Windows the pixels live in a top-down 32 bpp DIB section, so GDI can draw on the same memory
// through DC(); elsewhere they are plain memory. After drawing on DC() with GDI, call GdiFlush()
// before reading the pixels directly.
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#endif

namespace img {

// One pixel, laid out as GDI's 32-bit DIBs store it.
struct TRGBAPixel {
  uint8_t B, G, R, A;
  bool operator==(const TRGBAPixel&) const = default;
};
static_assert(sizeof(TRGBAPixel) == 4);

class Bitmap32 {
 public:
  // An empty bitmap (0 x 0, no pixels).
  Bitmap32() noexcept = default;
  // A bitmap of the given size with every byte zero. Throws std::length_error for a negative
  // size or one whose pixels cannot be addressed, std::bad_alloc when memory runs out.
  Bitmap32(int width, int height);
  Bitmap32(const Bitmap32& other);
  Bitmap32(Bitmap32&& other) noexcept;
  Bitmap32& operator=(const Bitmap32& other);
  Bitmap32& operator=(Bitmap32&& other) noexcept;
  ~Bitmap32();

  int Width() const noexcept { return width_; }
  int Height() const noexcept { return height_; }
  bool Empty() const noexcept { return width_ == 0 || height_ == 0; }
  size_t PixelCount() const noexcept { return size_t(width_) * size_t(height_); }

  // Row y (0 = top) as Width() pixels; y must lie in 0 .. Height() - 1.
  TRGBAPixel* Row(int y) noexcept { return bits_ + size_t(y) * size_t(width_); }
  const TRGBAPixel* Row(int y) const noexcept { return bits_ + size_t(y) * size_t(width_); }
  // The pixel at column x of row y; no range check.
  TRGBAPixel& Pixel(int x, int y) noexcept { return Row(y)[x]; }
  const TRGBAPixel& Pixel(int x, int y) const noexcept { return Row(y)[x]; }

  // Discards the content and makes a zero-filled bitmap of the new size (same errors as the
  // sizing constructor; on error the bitmap is left empty).
  void Resize(int width, int height);
  // Sets every pixel to the given value.
  void Fill(TRGBAPixel value) noexcept;

#ifdef _WIN32
  // The DIB section holding the pixels; null for an empty bitmap. Owned by the bitmap.
  HBITMAP Handle() const noexcept {
    return handle_;
  }
  // A memory DC with Handle() selected, made on first use and owned by the bitmap; null for an
  // empty bitmap.
  HDC DC() const;
#endif

 private:
  // Platform storage: Allocate takes a checked, non-empty size and leaves zeroed pixels;
  // Release frees whatever Allocate made and leaves the bitmap empty.
  void Allocate(int width, int height);
  void Release() noexcept;

  int width_ = 0;
  int height_ = 0;
  TRGBAPixel* bits_ = nullptr;
#ifdef _WIN32
  HBITMAP handle_ = nullptr;
  mutable HDC dc_ = nullptr;
  mutable HGDIOBJ oldBitmap_ = nullptr;
#endif
};

}  // namespace img
