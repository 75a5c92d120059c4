// A 32-bit picture in plain memory, for pictures GDI never draws on or from: the passes of the
// resampler, slice copies, the pieces of a skin's copy at a display scale. On Windows a Bitmap32
// is a DIB section, a GDI object the system makes and frees on each call (a round trip to the
// server under Wine); this picture costs an allocation only. The pixels are laid out as a
// Bitmap32's, so a painter taking a PixelRows32 reads and writes either.
#pragma once

#include "imaging/PixelRows.h"

namespace img {

class Pixels32 : public PixelRows32 {
 public:
  // An empty picture (0 x 0, no pixels).
  Pixels32() noexcept = default;
  // A picture of the given size with every byte zero; the errors of a Bitmap32 of that size.
  Pixels32(int width, int height);
  // A copy of any picture's pixels.
  explicit Pixels32(const PixelRows32& pixels);
  Pixels32(const Pixels32& other);
  Pixels32(Pixels32&& other) noexcept;
  Pixels32& operator=(const Pixels32& other);
  Pixels32& operator=(Pixels32&& other) noexcept;
  ~Pixels32();

  // Discards the content and makes a zero-filled picture of the new size. A size refused leaves
  // the picture as it was, running out of memory leaves it empty.
  void Resize(int width, int height);

 private:
  void Release() noexcept;
};

}  // namespace img
