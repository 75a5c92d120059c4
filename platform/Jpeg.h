// JPEG pictures: through the system's picture loader (OLE pictures) on Windows, decoded with
// libjpeg-turbo elsewhere.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

namespace platform {

class JpegPicture {
 public:
  virtual ~JpegPicture() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Draws the whole picture, scaled to width x height, into pixels: rows top-down, width pixels
  // each, bytes blue, green, red, alpha. False when the system could not draw it.
  virtual bool Render(uint32_t* pixels, int width, int height) const = 0;
};

// The picture in bytes, or null when it cannot be loaded.
std::unique_ptr<JpegPicture> LoadJpegPicture(std::string_view bytes);

}  // namespace platform
