#include "tools/skingen/ImageFiles.h"

#include <cstdint>

namespace skingen {

namespace {

void PutLE(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string EncodeBmp24(const img::Bitmap32& bitmap) {
  const uint32_t w = bitmap.Width(), h = bitmap.Height();
  const uint32_t stride = (w * 3 + 3) & ~3u;
  const uint32_t headers = 14 + 40;
  std::string out;
  out.reserve(headers + size_t(stride) * h);
  out += "BM";
  PutLE(out, headers + stride * h, 4);
  PutLE(out, 0, 4);
  PutLE(out, headers, 4);
  PutLE(out, 40, 4);  // BITMAPINFOHEADER
  PutLE(out, w, 4);
  PutLE(out, h, 4);  // positive height: rows run bottom-up
  PutLE(out, 1, 2);
  PutLE(out, 24, 2);
  PutLE(out, 0, 4);  // no compression
  PutLE(out, stride * h, 4);
  PutLE(out, 2835, 4);  // 72 dots per inch
  PutLE(out, 2835, 4);
  PutLE(out, 0, 4);
  PutLE(out, 0, 4);
  for (uint32_t y = h; y-- > 0;) {
    const img::TRGBAPixel* row = bitmap.Row(int(y));
    for (uint32_t x = 0; x < w; ++x) {
      out += static_cast<char>(row[x].B);
      out += static_cast<char>(row[x].G);
      out += static_cast<char>(row[x].R);
    }
    out.append(stride - w * 3, '\0');
  }
  return out;
}

}  // namespace skingen
