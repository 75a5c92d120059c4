#include "imaging/Picture.h"

#include <cstdint>
#include <stdexcept>

namespace img {

namespace {

// The bytes of a picture of the given size, checked in 64 bits: on a 32-bit build the product
// of two valid sizes can wrap to a small number and leave rows outside the buffer. Four bytes a
// pixel must fit too, since ToRGBA expands any picture to that.
size_t CheckedBytes(int width, int height, size_t bytesPerPixel) {
  if (width < 0 || height < 0) throw std::length_error("Picture size is negative");
  const uint64_t area = uint64_t(width) * uint64_t(height);
  if (area > uint64_t(PTRDIFF_MAX) / 4) throw std::length_error("Picture is too large");
  return size_t(area) * bytesPerPixel;
}

struct WidthOf {
  int operator()(std::monostate) const { return 0; }
  template <class T>
  int operator()(const T& bitmap) const {
    return bitmap.Width();
  }
};

struct HeightOf {
  int operator()(std::monostate) const { return 0; }
  template <class T>
  int operator()(const T& bitmap) const {
    return bitmap.Height();
  }
};

struct ExpandRows {
  RGBAImage& out;

  void operator()(std::monostate) const {}

  void operator()(const IndexedBitmap& b) const {
    // A full table, so a stray index can never read past the palette.
    std::array<TPaletteEntry, 256> colours{};
    for (size_t i = 0; i < b.palette.size() && i < colours.size(); ++i) colours[i] = b.palette[i];
    for (int y = 0; y < b.Height(); ++y) {
      const uint8_t* src = b.Row(y);
      uint8_t* dst = Dest(y);
      for (int x = 0; x < b.Width(); ++x, dst += 4) {
        const TPaletteEntry& c = colours[src[x]];
        dst[0] = c.R, dst[1] = c.G, dst[2] = c.B, dst[3] = 255;
      }
    }
  }

  void operator()(const Bitmap24& b) const {
    for (int y = 0; y < b.Height(); ++y) {
      const uint8_t* src = b.Row(y);
      uint8_t* dst = Dest(y);
      for (int x = 0; x < b.Width(); ++x, src += 3, dst += 4)
        dst[0] = src[2], dst[1] = src[1], dst[2] = src[0], dst[3] = 255;
    }
  }

  void operator()(const Bitmap32& b) const {
    for (int y = 0; y < b.Height(); ++y) {
      const TRGBAPixel* src = b.Row(y);
      uint8_t* dst = Dest(y);
      for (int x = 0; x < b.Width(); ++x, dst += 4)
        dst[0] = src[x].R, dst[1] = src[x].G, dst[2] = src[x].B, dst[3] = src[x].A;
    }
  }

  uint8_t* Dest(int y) const { return out.bytes.data() + size_t(y) * size_t(out.width) * 4; }
};

}  // namespace

IndexedBitmap::IndexedBitmap(int width, int height, int bitsPerPixel)
    : width_(width),
      height_(height),
      bitsPerPixel_(bitsPerPixel),
      indices_(CheckedBytes(width, height, 1)) {}

Bitmap24::Bitmap24(int width, int height)
    : width_(width), height_(height), bytes_(CheckedBytes(width, height, 3)) {}

int Picture::Width() const noexcept {
  return std::visit(WidthOf{}, pixels);
}
int Picture::Height() const noexcept {
  return std::visit(HeightOf{}, pixels);
}

RGBAImage ToRGBA(const Picture& picture) {
  RGBAImage out;
  if (picture.Empty()) return out;
  out.width = picture.Width();
  out.height = picture.Height();
  out.bytes.resize(size_t(out.width) * size_t(out.height) * 4);
  std::visit(ExpandRows{out}, picture.pixels);
  return out;
}

}  // namespace img
