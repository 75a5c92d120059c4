#include "skin/data/veTinyJPG.h"

bool TveTinyJPGImage::LoadFromStream(std::string_view bytes) {
  picture_ = platform::LoadJpegPicture(bytes);
  drawn_.reset();
  return picture_ != nullptr;
}

img::Bitmap32 TveTinyJPGImage::ToBitmap32() const {
  if (Empty()) return {};
  img::Bitmap32 bitmap(Width(), Height());
  if (!picture_->Render(reinterpret_cast<uint32_t*>(bitmap.Row(0)), Width(), Height())) return {};
  const img::TRGBAPixel key{0xFF, 0x00, 0xFF, 0};
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) {
      img::TRGBAPixel& p = bitmap.Pixel(x, y);
      p.A = 0;
      if (!(p == key)) p.A = 255;
    }
  return bitmap;
}

const img::Bitmap32& TveTinyJPGImage::Picture() const {
  if (!drawn_) drawn_ = std::make_unique<img::Bitmap32>(ToBitmap32());
  return *drawn_;
}
