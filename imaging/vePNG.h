// TPNGGraphic: a picture loaded from a PNG file.
//
// Decoding fills one pixel form of a Picture (see Picture.h):
//   grey 1/2/4/8/16 bits  -> indexed, grey palette (2-bit kept as 4-bit, 16-bit cut to 8)
//   palette 1/2/4/8 bits  -> indexed, the file's palette (2-bit kept as 4-bit)
//   grey + alpha 8/16     -> 8-bit indexed grey, alpha dropped
//   RGB 8/16              -> Bitmap24 (blue, green, red)
//   RGBA 8/16             -> Bitmap32 (blue, green, red, alpha), not premultiplied
// tRNS becomes the picture's Transparency (a colour key for grey and RGB, an alpha per palette
// entry for palette images); it changes no pixel. With a gAMA chunk, colours are corrected for a
// display gamma of 2.2.
//
// Loading raises an EGraphicError subclass (GraphicErrors.h) with the message for the user, or
// std::bad_alloc when memory runs out; on failure the graphic is left empty. Sizes in the file
// are never trusted: images above 2^26 pixels, and headers that the compressed data could not
// possibly fill, are refused before anything large is allocated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <span>
#include <string>

#include "imaging/GraphicErrors.h"
#include "imaging/PNGDecoder.h"
#include "imaging/Picture.h"

namespace img {

// How the picture registry lists this format.
inline constexpr char kPNGFileExtension[] = "png";
inline constexpr char kPNGDescription[] = "Portable network graphics (Velvane)";

enum class TPixelFormat { pfNone, pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };

class TPNGGraphic {
 public:
  // Loads the PNG file starting at the stream's position and leaves the stream just past its
  // IEND chunk.
  void LoadFromStream(std::istream& stream);
  // Loads the PNG file at the start of data; returns the number of bytes it took (through the
  // IEND chunk).
  size_t LoadFromMemory(std::span<const uint8_t> data);
  // Loads a file by name; a file that cannot be read raises EInvalidGraphic.
  void LoadFromFile(const std::string& fileName);

  // Copies another PNG graphic: its image and header values.
  void Assign(const TPNGGraphic& other);
  // Takes a copy of a decoded picture; the header values stay as they were.
  void Assign(const Picture& picture);

  int Width() const noexcept { return picture_.Width(); }
  int Height() const noexcept { return picture_.Height(); }
  bool Empty() const noexcept { return picture_.Empty(); }
  TPixelFormat PixelFormat() const noexcept;
  const Picture& Image() const noexcept { return picture_; }
  const TPNGHeader& Header() const noexcept { return header_; }

  // When set, drawing adds a fading mirror image below the picture.
  bool Reflected = false;

 private:
  Picture picture_;
  TPNGHeader header_;
};

}  // namespace img
