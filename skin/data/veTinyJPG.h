// JPEG textures of a skin. Decoding is left to the platform's JPEG seam; this class only holds
// the picture and draws it.
#pragma once

#include <memory>
#include <string_view>

#include "imaging/Bitmap32.h"
#include "platform/Jpeg.h"

class TveTinyJPGImage {
 public:
  // False when the bytes are not a picture the platform can load.
  bool LoadFromStream(std::string_view bytes);
  int Width() const { return picture_ ? picture_->Width() : 0; }
  int Height() const { return picture_ ? picture_->Height() : 0; }
  bool Empty() const { return Width() <= 0 || Height() <= 0; }
  // The picture at its own size, opaque except for key-coloured pixels (0xFF00FF, alpha 0).
  // An empty bitmap when it cannot be drawn.
  img::Bitmap32 ToBitmap32() const;
  // The same picture, drawn once on first use and kept: painting a large texture tiles it again
  // on every paint, and drawing it through the platform costs far more than the tiling.
  const img::Bitmap32& Picture() const;

 private:
  std::unique_ptr<platform::JpegPicture> picture_;
  mutable std::unique_ptr<img::Bitmap32> drawn_;
};
