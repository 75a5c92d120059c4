#include "LibpngCodec.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace img::test {

namespace {

struct Reader {
  const Bytes* file;
  size_t pos;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t size) {
  auto* r = static_cast<Reader*>(png_get_io_ptr(png));
  if (r->file->size() - r->pos < size) png_error(png, "read past end");
  std::memcpy(out, r->file->data() + r->pos, size);
  r->pos += size;
}

void WriteToMemory(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}

void Flush(png_structp) {}

int Channels(int colorType) {
  switch (colorType) {
    case PNG_COLOR_TYPE_RGB:
      return 3;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      return 2;
    case PNG_COLOR_TYPE_RGB_ALPHA:
      return 4;
    default:
      return 1;
  }
}

// Packed scanlines as the file stores them.
std::vector<Bytes> MakeRows(const ImageSpec& s, int paletteSize) {
  uint32_t state = s.seed * 2654435761u + 1;
  const auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  };
  const int channels = Channels(s.colorType);
  const unsigned max =
      s.colorType == PNG_COLOR_TYPE_PALETTE ? unsigned(paletteSize - 1) : (1u << s.bitDepth) - 1;
  std::vector<Bytes> rows(s.height);
  for (int y = 0; y < s.height; ++y) {
    Bytes& row = rows[y];
    row.assign((size_t(s.width) * channels * s.bitDepth + 7) / 8, 0);
    for (int x = 0; x < s.width; ++x)
      for (int c = 0; c < channels; ++c) {
        unsigned v = next();
        if (s.content == Content::Smooth) v = (x * 3 + y * 2 + c * 40) * (max + 1) / 256 + (v % 5);
        v %= max + 1;
        const size_t i = size_t(x) * channels + c;
        if (s.bitDepth == 16) {
          row[2 * i] = uint8_t(v >> 8);
          row[2 * i + 1] = uint8_t(v);
        } else if (s.bitDepth == 8) {
          row[i] = uint8_t(v);
        } else {
          const size_t bit = i * s.bitDepth;
          row[bit / 8] |= uint8_t(v << (8 - s.bitDepth - bit % 8));
        }
      }
  }
  return rows;
}

// Kept apart from the set-up so that nothing local lives across libpng's longjmp.
Bytes WriteRows(const ImageSpec& s, const std::vector<png_color>& palette,
                std::vector<png_bytep>& rows) {
  Bytes out;
  const png_byte trns[3] = {0, 128, 7};
  png_color_16 key = {};
  key.gray = key.red = key.green = key.blue = 1;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("libpng could not write the test image");
  }
  png_set_write_fn(png, &out, WriteToMemory, Flush);
  png_set_IHDR(png, info, s.width, s.height, s.bitDepth, s.colorType,
               s.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE,
               PNG_FILTER_TYPE_BASE);
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), int(palette.size()));
  if (s.gamma) png_set_gAMA_fixed(png, info, *s.gamma);
  if (s.transparency && (s.colorType & PNG_COLOR_MASK_ALPHA) == 0)
    png_set_tRNS(png, info, trns, std::min(3, int(palette.size())), &key);
  if (s.filters) png_set_filter(png, PNG_FILTER_TYPE_BASE, s.filters);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

}  // namespace

Bytes WritePng(const ImageSpec& s) {
  std::vector<png_color> palette;
  if (s.colorType == PNG_COLOR_TYPE_PALETTE) {
    const int size = std::max(2, (1 << s.bitDepth) * 3 / 4);
    for (int i = 0; i < size; ++i)
      palette.push_back({png_byte(i * 37), png_byte(255 - i), png_byte(i * i)});
  }
  std::vector<Bytes> rows = MakeRows(s, int(palette.size()));
  std::vector<png_bytep> rowPointers;
  for (Bytes& r : rows) rowPointers.push_back(r.data());
  return WriteRows(s, palette, rowPointers);
}

RGBAImage ExpectedRGBA(const LibpngImage& image) {
  const bool lowDepth = image.bitDepth < 8 && image.colorType == PNG_COLOR_TYPE_GRAY;
  const unsigned greyMax = lowDepth ? (1u << image.bitDepth) - 1 : 255;
  const auto correct = [&](unsigned v, unsigned max) {
    if (!image.gamma) return v;
    const double exponent = 1.0 / (*image.gamma / 100000.0 * 2.2);
    return unsigned(std::nearbyint(std::pow(double(v) / max, exponent) * max));
  };
  RGBAImage out{image.width, image.height, Bytes(size_t(image.width) * image.height * 4)};
  for (size_t i = 0; i < size_t(image.width) * image.height; ++i) {
    const uint8_t* s = &image.samples[i * image.channels];
    uint8_t* d = &out.bytes[i * 4];
    d[3] = 255;
    switch (image.colorType) {
      case PNG_COLOR_TYPE_PALETTE: {
        const TPaletteEntry c =
            s[0] < image.palette.size() ? image.palette[s[0]] : TPaletteEntry{0, 0, 0};
        d[0] = uint8_t(correct(c.R, 255)), d[1] = uint8_t(correct(c.G, 255));
        d[2] = uint8_t(correct(c.B, 255));
        break;
      }
      case PNG_COLOR_TYPE_GRAY:
      case PNG_COLOR_TYPE_GRAY_ALPHA:
        d[0] = d[1] = d[2] = uint8_t(correct(s[0], greyMax) * 255 / greyMax);
        break;
      default:
        for (int c = 0; c < 3; ++c) d[c] = uint8_t(correct(s[c], 255));
        if (image.channels == 4) d[3] = s[3];
    }
  }
  return out;
}

namespace {

// Reads the whole file into image; with blueFirst, colour samples come blue first, as we store
// them. Returns false when libpng fails.
bool Read(const Bytes& file, bool blueFirst, LibpngImage& image) {
  Reader reader{&file, 0};
  std::vector<png_bytep> rowPointers;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &reader, ReadFromMemory);
  png_read_info(png, info);
  image.width = int(png_get_image_width(png, info));
  image.height = int(png_get_image_height(png, info));
  image.colorType = png_get_color_type(png, info);
  image.bitDepth = png_get_bit_depth(png, info);
  image.channels = png_get_channels(png, info);
  png_fixed_point gamma;
  if (png_get_gAMA_fixed(png, info, &gamma)) image.gamma = uint32_t(gamma);
  png_colorp colours;
  int count = 0;
  if (png_get_PLTE(png, info, &colours, &count))
    for (int i = 0; i < count; ++i)
      image.palette.push_back({colours[i].red, colours[i].green, colours[i].blue});
  png_bytep alpha;
  png_color_16p key;
  if (png_get_tRNS(png, info, &alpha, &count, &key) && image.colorType == PNG_COLOR_TYPE_PALETTE)
    image.paletteAlpha.assign(alpha, alpha + count);
  if (blueFirst) png_set_bgr(png);
  png_set_packing(png);
  png_set_strip_16(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const size_t rowBytes = size_t(image.width) * image.channels;
  image.samples.resize(rowBytes * image.height);
  for (int y = 0; y < image.height; ++y) rowPointers.push_back(&image.samples[y * rowBytes]);
  png_read_image(png, rowPointers.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

}  // namespace

LibpngImage ReadPng(const Bytes& file) {
  LibpngImage image;
  if (!Read(file, false, image)) throw std::runtime_error("libpng could not read the image");
  return image;
}

bool DecodeLikeOurs(const Bytes& file, Bytes& out) {
  LibpngImage image;
  if (!Read(file, true, image)) return false;
  out = std::move(image.samples);
  return true;
}

}  // namespace img::test
