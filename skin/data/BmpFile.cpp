#include "skin/data/BmpFile.h"

#include <bit>
#include <cstdint>

namespace {

constexpr uint32_t kBiRgb = 0, kBiBitfields = 3;
// Larger pictures are not skin images; refusing them keeps damaged headers from allocating.
constexpr int64_t kMaxPixels = int64_t(1) << 26;

uint32_t U32(std::string_view b, size_t at) {
  return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 |
         uint32_t(uint8_t(b[at + 2])) << 16 | uint32_t(uint8_t(b[at + 3])) << 24;
}
uint16_t U16(std::string_view b, size_t at) {
  return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}

// A channel of a bit-field pixel, scaled to 8 bits.
uint8_t Channel(uint32_t pixel, uint32_t mask) {
  if (mask == 0) return 0;
  int shift = std::countr_zero(mask);
  int bits = std::popcount(mask >> shift);
  uint32_t value = (pixel & mask) >> shift;
  uint32_t max = bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
  return static_cast<uint8_t>(uint64_t(value) * 255 / max);
}

struct Header {
  int width = 0, height = 0;
  bool topDown = false;
  int bpp = 0;
  uint32_t compression = kBiRgb;
  size_t paletteAt = 0, paletteEntrySize = 4, paletteCount = 0;
  uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
};

std::optional<Header> ReadHeader(std::string_view b) {
  if (b.size() < 26 || b[0] != 'B' || b[1] != 'M') return std::nullopt;
  uint32_t infoSize = U32(b, 14);
  Header h;
  int64_t height = 0;
  if (infoSize == 12) {
    h.width = U16(b, 18);
    height = int16_t(U16(b, 20));
    h.bpp = U16(b, 24);
    h.paletteEntrySize = 3;
  } else if (infoSize >= 40 && b.size() >= 14 + size_t(infoSize) && infoSize <= 1024) {
    h.width = static_cast<int32_t>(U32(b, 18));
    height = static_cast<int32_t>(U32(b, 22));
    h.bpp = U16(b, 28);
    h.compression = U32(b, 30);
    h.paletteCount = U32(b, 46);
    if (h.compression == kBiBitfields) {
      // The masks follow a plain info header, or are part of a longer one. A header longer than
      // the plain one but too short to hold them is damaged.
      size_t at = 14 + 40;
      if (infoSize == 40) {
        if (b.size() < at + 12) return std::nullopt;
        h.paletteAt = at + 12;
      } else if (infoSize < 52) {
        return std::nullopt;
      }
      for (int i = 0; i < 3; ++i) h.masks[i] = U32(b, at + 4 * size_t(i));
      if (infoSize >= 56) h.masks[3] = U32(b, at + 12);
    }
  } else {
    return std::nullopt;
  }
  if (h.paletteAt == 0) h.paletteAt = 14 + infoSize;
  h.topDown = height < 0;
  if (h.width <= 0 || height == 0 || height < -INT32_MAX) return std::nullopt;
  h.height = static_cast<int>(height < 0 ? -height : height);
  if (int64_t(h.width) * h.height > kMaxPixels) return std::nullopt;
  bool fields = h.compression == kBiBitfields && (h.bpp == 16 || h.bpp == 32);
  if (h.compression != kBiRgb && !fields) return std::nullopt;
  if (h.bpp <= 8) {
    if (h.bpp != 1 && h.bpp != 4 && h.bpp != 8) return std::nullopt;
    size_t full = size_t(1) << h.bpp;
    if (h.paletteCount == 0 || h.paletteCount > full) h.paletteCount = full;
  } else if (h.bpp != 16 && h.bpp != 24 && h.bpp != 32) {
    return std::nullopt;
  } else if (h.compression == kBiRgb && h.bpp == 16) {
    h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F;
  }
  return h;
}

size_t Stride(const Header& h) {
  return ((size_t(h.width) * size_t(h.bpp) + 31) / 32) * 4;
}

bool HoldsThePixels(std::string_view b, const Header& h) {
  size_t pixelsAt = U32(b, 10);
  return pixelsAt <= b.size() && (b.size() - pixelsAt) / Stride(h) >= size_t(h.height);
}

}  // namespace

std::optional<std::pair<int, int>> BmpSize(std::string_view b) {
  std::optional<Header> h = ReadHeader(b);
  if (!h || !HoldsThePixels(b, *h)) return std::nullopt;
  return std::pair{h->width, h->height};
}

std::optional<img::Picture> DecodeBmp(std::string_view b) {
  std::optional<Header> header = ReadHeader(b);
  if (!header || !HoldsThePixels(b, *header)) return std::nullopt;
  const Header& h = *header;
  size_t stride = Stride(h);
  size_t pixelsAt = U32(b, 10);
  auto sourceRow = [&](int y) {
    int fileRow = h.topDown ? y : h.height - 1 - y;
    return reinterpret_cast<const uint8_t*>(b.data() + pixelsAt + size_t(fileRow) * stride);
  };
  img::Picture picture;
  if (h.bpp <= 8) {
    if (h.paletteAt + h.paletteCount * h.paletteEntrySize > pixelsAt) return std::nullopt;
    img::IndexedBitmap bitmap(h.width, h.height, h.bpp);
    for (size_t i = 0; i < h.paletteCount; ++i) {
      size_t at = h.paletteAt + i * h.paletteEntrySize;
      bitmap.palette.push_back({uint8_t(b[at + 2]), uint8_t(b[at + 1]), uint8_t(b[at])});
    }
    int perByte = 8 / h.bpp;
    uint8_t mask = static_cast<uint8_t>((1 << h.bpp) - 1);
    for (int y = 0; y < h.height; ++y) {
      const uint8_t* src = sourceRow(y);
      uint8_t* dst = bitmap.Row(y);
      for (int x = 0; x < h.width; ++x) {
        int shift = 8 - h.bpp * (x % perByte + 1);
        uint8_t index = (src[x / perByte] >> shift) & mask;
        // An index past a short palette would point nowhere; it shows the first colour.
        dst[x] = index < h.paletteCount ? index : 0;
      }
    }
    picture.pixels = std::move(bitmap);
  } else if (h.bpp == 32) {
    img::Bitmap32 bitmap(h.width, h.height);
    for (int y = 0; y < h.height; ++y) {
      const uint8_t* src = sourceRow(y);
      img::TRGBAPixel* dst = bitmap.Row(y);
      for (int x = 0; x < h.width; ++x, src += 4) {
        if (h.compression == kBiRgb) {
          dst[x] = {src[0], src[1], src[2], src[3]};
        } else {
          uint32_t p = U32(std::string_view(reinterpret_cast<const char*>(src), 4), 0);
          dst[x] = {Channel(p, h.masks[2]), Channel(p, h.masks[1]), Channel(p, h.masks[0]),
                    Channel(p, h.masks[3])};
        }
      }
    }
    picture.pixels = std::move(bitmap);
  } else {
    img::Bitmap24 bitmap(h.width, h.height);
    for (int y = 0; y < h.height; ++y) {
      const uint8_t* src = sourceRow(y);
      uint8_t* dst = bitmap.Row(y);
      for (int x = 0; x < h.width; ++x, dst += 3) {
        if (h.bpp == 24) {
          dst[0] = src[3 * x], dst[1] = src[3 * x + 1], dst[2] = src[3 * x + 2];
        } else {
          uint32_t p = uint32_t(src[2 * x] | src[2 * x + 1] << 8);
          dst[0] = Channel(p, h.masks[2]), dst[1] = Channel(p, h.masks[1]);
          dst[2] = Channel(p, h.masks[0]);
        }
      }
    }
    picture.pixels = std::move(bitmap);
  }
  return picture;
}
