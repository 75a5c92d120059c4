// What every 32-bit picture of the engine shares, whatever holds its memory: the pixel layout and
// the access to its rows.
//
// Rows run top-down and each pixel is four bytes in memory order blue, green, red, alpha (a
// little-endian 0xAARRGGBB). Colour is straight, not premultiplied, unless the code that filled
// the picture says otherwise. Rows are contiguous: a 32-bit row needs no padding, so the whole
// picture is Width() * Height() pixels starting at Row(0).
//
// A painter that only reads or writes pixels takes a PixelRows32, so that it serves a Bitmap32
// (which GDI can draw on) and a Pixels32 (plain memory for temporaries) alike.
#pragma once

#include <cstddef>
#include <cstdint>

namespace img {

// One pixel, laid out as GDI's 32-bit DIBs store it.
struct TRGBAPixel {
  uint8_t B, G, R, A;
  bool operator==(const TRGBAPixel&) const = default;
};
static_assert(sizeof(TRGBAPixel) == 4);

class PixelRows32 {
 public:
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

  // Sets every pixel to the given value.
  void Fill(TRGBAPixel value) noexcept;

 protected:
  // The owning picture makes, copies and frees the memory; this part never does, so it is neither
  // copied nor destroyed on its own.
  PixelRows32() noexcept = default;
  PixelRows32(const PixelRows32&) = delete;
  PixelRows32& operator=(const PixelRows32&) = delete;
  ~PixelRows32() = default;

  // Throws std::length_error for a negative size or one whose bytes a signed pointer difference
  // and a DIB cannot address.
  static void CheckSize(int width, int height);
  // Zeroed plain memory for a checked, non-empty size; std::bad_alloc when memory runs out.
  static TRGBAPixel* AllocateZeroed(int width, int height);

  // The first pixel, null for a picture without pixels.
  TRGBAPixel* Bits() const noexcept { return bits_; }
  // The pixels now at bits, or none (null, 0 x 0).
  void SetPixels(TRGBAPixel* bits, int width, int height) noexcept;
  // Takes over other's pixels and leaves other without any.
  void TakePixels(PixelRows32& other) noexcept;
  // Copies every pixel of other, which has this picture's size.
  void CopyPixels(const PixelRows32& other) noexcept;

 private:
  int width_ = 0;
  int height_ = 0;
  TRGBAPixel* bits_ = nullptr;
};

}  // namespace img
