#include "imaging/vePNG.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "PngBuilder.h"

namespace img {
namespace {

using test::Bytes;
using test::Chunk;
using test::Ihdr;
using test::PngFile;

constexpr char kInvalidFormat[] = "Cannot load image. Invalid or unexpected PNG image format.";
constexpr char kCrcError[] = "Cannot load image. CRC error found in PNG file.";
constexpr char kCompressionError[] = "Cannot load image. Compression error found in PNG file.";
constexpr char kExtraData[] = "Cannot load image. Extra compressed data found in PNG file.";
constexpr char kInvalidPalette[] = "Cannot load image. Palette in PNG file is invalid.";
constexpr char kColorFormat[] = "Invalid color format in PNG file.";

// The message of the EGraphicError the load raises, or "" when it loads.
template <class Expected = EGraphicError>
std::string LoadError(const Bytes& file) {
  TPNGGraphic png;
  try {
    png.LoadFromMemory(file);
  } catch (const Expected& e) {
    EXPECT_TRUE(png.Empty()) << "a failed load must leave no picture";
    return e.what();
  }
  return "";
}

TPNGGraphic Load(const Bytes& file) {
  TPNGGraphic png;
  png.LoadFromMemory(file);
  return png;
}

// A 2 x 2 RGBA image, 8 or 16 bits, with distinct channels; 16-bit low bytes are noise.
PngFile Rgba2x2(uint8_t depth) {
  PngFile f{Ihdr(2, 2, depth, 6), {}, {}};
  const uint8_t v[2][8] = {{10, 20, 30, 40, 50, 60, 70, 80},
                           {90, 100, 110, 120, 130, 140, 150, 255}};
  for (int y = 0; y < 2; ++y) {
    f.rows.push_back(0);
    for (uint8_t b : v[y]) {
      f.rows.push_back(b);
      if (depth == 16) f.rows.push_back(uint8_t(b ^ 0x5A));
    }
  }
  return f;
}

PngFile Palette4x1(uint8_t depth = 8) {
  PngFile f{Ihdr(4, 1, depth, 3), {Chunk("PLTE", {255, 0, 0, 0, 255, 0, 0, 0, 255})}, {}};
  f.rows = depth == 8 ? Bytes{0, 0, 1, 2, 1} : Bytes{0, 0b00011001};
  return f;
}

TEST(PngDecode, RgbaBecomes32BitBlueGreenRedAlpha) {
  const TPNGGraphic png = Load(Rgba2x2(8).Build());
  ASSERT_EQ(png.PixelFormat(), TPixelFormat::pf32bit);
  const Bitmap32& b = std::get<Bitmap32>(png.Image().pixels);
  EXPECT_EQ(b.Pixel(0, 0), (TRGBAPixel{30, 20, 10, 40}));
  EXPECT_EQ(b.Pixel(1, 1), (TRGBAPixel{150, 140, 130, 255}));
  EXPECT_TRUE(png.Header().HasAlpha);
  EXPECT_FALSE(png.Reflected);
}

TEST(PngDecode, SixteenBitRgbaKeepsTheHighBytes) {
  const TPNGGraphic wide = Load(Rgba2x2(16).Build()), narrow = Load(Rgba2x2(8).Build());
  EXPECT_EQ(ToRGBA(wide.Image()).bytes, ToRGBA(narrow.Image()).bytes);
}

TEST(PngDecode, GreyWithAlphaLosesItsAlpha) {
  PngFile f{Ihdr(2, 1, 8, 4), {}, {0, 77, 0, 200, 128}};
  const TPNGGraphic png = Load(f.Build());
  ASSERT_EQ(png.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(ToRGBA(png.Image()).bytes, (Bytes{77, 77, 77, 255, 200, 200, 200, 255}));
}

TEST(PngDecode, TwoBitImagesAreKeptAsFourBit) {
  PngFile grey{Ihdr(4, 1, 2, 0), {}, {0, 0b00011011}};
  TPNGGraphic png = Load(grey.Build());
  EXPECT_EQ(png.PixelFormat(), TPixelFormat::pf4bit);
  EXPECT_EQ(ToRGBA(png.Image()).bytes,
            (Bytes{0, 0, 0, 255, 85, 85, 85, 255, 170, 170, 170, 255, 255, 255, 255, 255}));
  png = Load(Palette4x1(2).Build());
  EXPECT_EQ(png.PixelFormat(), TPixelFormat::pf4bit);
  EXPECT_EQ(ToRGBA(png.Image()).bytes,
            (Bytes{255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 0, 255, 0, 255}));
}

TEST(PngDecode, EveryFilterTypeIsUndone) {
  // 2 x 5 RGB: rows filtered with Paeth (on the first row, where it is Sub), Sub, Up, Average and
  // Paeth, the left neighbour three bytes back; differences wrap around at 256. In the last row,
  // left 10, above 40 and upper left 20 tie between above and upper left: above wins.
  const Bytes raw = {10,  200, 30,  250, 5, 128, 20, 100, 40, 0,  255, 7,  15, 90, 200,
                     100, 100, 100, 20,  0, 128, 40, 32,  16, 10, 34,  56, 78, 90, 123};
  PngFile f{Ihdr(2, 5, 8, 2), {}, {4,   10,  200, 30,  240, 61,  98,  1,   20, 100, 40, 236,
                                   155, 223, 2,   251, 246, 160, 100, 101, 93, 3,   13, 211,
                                   28,  236, 238, 158, 4,   246, 34,  184, 38, 56,  107}};
  const Bytes rgba = ToRGBA(Load(f.Build()).Image()).bytes;
  ASSERT_EQ(rgba.size(), 40u);
  for (size_t i = 0; i < 10; ++i)
    for (size_t c = 0; c < 3; ++c) EXPECT_EQ(rgba[4 * i + c], raw[3 * i + c]) << i << "," << c;
}

TEST(PngDecode, InterlacedPassesLandOnTheirPixels) {
  // 5 x 5: each of the seven passes holds at least one pixel, the rows of every pass in order.
  PngFile grey{Ihdr(5, 5, 8, 0, 1), {}, {0,  0,  0,   44, 0,  148, 192, 0,   22,  0,   170, 0,
                                         74, 96, 118, 0,  11, 33,  0,   85,  107, 0,   159, 181,
                                         0,  37, 48,  59, 70, 81,  0,   111, 122, 133, 144, 155}};
  const Bytes g = ToRGBA(Load(grey.Build()).Image()).bytes;
  ASSERT_EQ(g.size(), 100u);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(g[size_t(4 * (5 * y + x))], (37 * y + 11 * x) % 256);

  // The same at one bit per pixel: the samples of a pass row are packed from its first bit.
  PngFile bits{Ihdr(5, 5, 1, 0, 1), {}, {0, 0b10000000, 0, 0b00000000, 0, 0b01000000, 0, 0b00000000,
                                         0, 0b00000000, 0, 0b01000000, 0, 0b01000000, 0, 0b00000000,
                                         0, 0b10000000, 0, 0b01001000, 0, 0b10010000}};
  const Bytes b = ToRGBA(Load(bits.Build()).Image()).bytes;
  ASSERT_EQ(b.size(), 100u);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(b[size_t(4 * (5 * y + x))], (x + 2 * y) % 3 == 0 ? 255 : 0) << x << "," << y;
}

TEST(PngDecode, EverySampleLayoutInterlacedOrNotThroughEveryFilter) {
  // Palettes of every depth, 16-bit grey, 8-bit RGB and 16-bit RGBA, at sizes whose Adam7 passes
  // are empty, short or odd; each pass's rows cycle through the five filters.
  struct Layout {
    uint8_t colorType, depth;
    int bits;  // per pixel
  } layouts[] = {{3, 1, 1}, {3, 2, 2}, {3, 4, 4}, {3, 8, 8}, {0, 16, 16}, {2, 8, 24}, {6, 16, 64}};
  const auto sample = [](const Layout& l, int x, int y) -> uint64_t {
    if (l.colorType == 3) return uint64_t(x * 3 + y * 5 + x * y) % (1u << l.depth);
    return (uint64_t(x) * 131 + uint64_t(y) * 977 + 7) * 0x9E3779B97F4A7C15u >> (64 - l.bits);
  };
  Bytes palette;
  for (int i = 0; i < 256; ++i)
    palette.insert(palette.end(), {uint8_t(i * 37), uint8_t(255 - i), uint8_t(i * 5)});
  for (const Layout& l : layouts)
    for (bool interlaced : {false, true})
      for (auto [w, h] : {std::pair{1, 1}, {2, 2}, {3, 9}, {9, 2}, {13, 11}}) {
        PngFile f{Ihdr(uint32_t(w), uint32_t(h), l.depth, l.colorType, interlaced), {}, {}};
        if (l.colorType == 3)
          f.beforeData.push_back(
              Chunk("PLTE", Bytes(palette.begin(), palette.begin() + 3 * (1 << l.depth))));
        f.rows = test::Scanlines(w, h, l.bits, interlaced,
                                 [&](int x, int y) { return sample(l, x, y); });
        const RGBAImage rgba = ToRGBA(Load(f.Build()).Image());
        ASSERT_EQ(rgba.bytes.size(), size_t(4 * w * h));
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) {
            const uint64_t v = sample(l, x, y);
            Bytes expected;
            switch (l.colorType) {
              case 3:
                expected = {palette[3 * v], palette[3 * v + 1], palette[3 * v + 2], 255};
                break;
              case 0:
                expected = {uint8_t(v >> 8), uint8_t(v >> 8), uint8_t(v >> 8), 255};
                break;
              case 2:
                expected = {uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v), 255};
                break;
              default:
                expected = {uint8_t(v >> 56), uint8_t(v >> 40), uint8_t(v >> 24), uint8_t(v >> 8)};
            }
            const size_t at = 4 * size_t(y * w + x);
            ASSERT_EQ(Bytes(rgba.bytes.begin() + at, rgba.bytes.begin() + at + 4), expected)
                << "type " << int(l.colorType) << " depth " << int(l.depth)
                << (interlaced ? " interlaced " : " ") << w << "x" << h << " at " << x << "," << y;
          }
      }
}

TEST(PngDecode, AFullPaletteOf256Colours) {
  Bytes palette, rows;
  for (int i = 0; i < 256; ++i)
    palette.insert(palette.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(i ^ 0x5A)});
  for (int y = 0; y < 16; ++y) {
    rows.push_back(0);
    for (int x = 0; x < 16; ++x) rows.push_back(uint8_t(16 * y + x));
  }
  const TPNGGraphic png = Load(PngFile{Ihdr(16, 16, 8, 3), {Chunk("PLTE", palette)}, rows}.Build());
  ASSERT_EQ(png.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(std::get<IndexedBitmap>(png.Image().pixels).palette.size(), 256u);
  const Bytes rgba = ToRGBA(png.Image()).bytes;
  ASSERT_EQ(rgba.size(), 1024u);
  for (size_t i = 0; i < 256; ++i)
    EXPECT_EQ(Bytes(rgba.begin() + 4 * i, rgba.begin() + 4 * i + 4),
              (Bytes{uint8_t(i), uint8_t(255 - i), uint8_t(i ^ 0x5A), 255}))
        << i;
}

TEST(PngDecode, PaletteTransparencyIsDescribedButChangesNoPixel) {
  PngFile f = Palette4x1();
  const Bytes opaque = ToRGBA(Load(f.Build()).Image()).bytes;
  f.beforeData.push_back(Chunk("tRNS", {0, 128}));
  const TPNGGraphic png = Load(f.Build());
  EXPECT_EQ(ToRGBA(png.Image()).bytes, opaque);
  const Transparency& t = png.Image().transparency;
  ASSERT_TRUE(t.hasPaletteAlpha);
  EXPECT_EQ(t.paletteAlpha[0], 0);
  EXPECT_EQ(t.paletteAlpha[1], 128);
  EXPECT_EQ(t.paletteAlpha[2], 255);  // beyond the chunk: opaque
}

TEST(PngDecode, IndicesBeyondTheFilePaletteShowBlack) {
  PngFile f{Ihdr(1, 1, 8, 3), {Chunk("PLTE", {9, 9, 9})}, {0, 200}};
  EXPECT_EQ(ToRGBA(Load(f.Build()).Image()).bytes, (Bytes{0, 0, 0, 255}));
}

TEST(PngDecode, GreyAndRgbTransparencyBecomeAColourKey) {
  PngFile grey{Ihdr(1, 1, 4, 0), {Chunk("tRNS", {0, 5})}, {0, 0}};
  EXPECT_EQ(Load(grey.Build()).Image().transparency.colourKey, (TPaletteEntry{85, 85, 85}));
  PngFile rgb{Ihdr(1, 1, 16, 2), {Chunk("tRNS", {1, 2, 3, 4, 5, 6})}, {0, 0, 0, 0, 0, 0, 0}};
  EXPECT_EQ(Load(rgb.Build()).Image().transparency.colourKey, (TPaletteEntry{1, 3, 5}));
  PngFile outOfRange{Ihdr(1, 1, 8, 0), {Chunk("tRNS", {1, 0})}, {0, 0}};
  EXPECT_FALSE(Load(outOfRange.Build()).Image().transparency.colourKey);
}

TEST(PngDecode, BackgroundColourFromBkgd) {
  PngFile grey{Ihdr(1, 1, 2, 0), {}, {0, 0}};
  EXPECT_EQ(Load(grey.Build()).Header().BackgroundColor, 0xFFFFFFu);
  grey.beforeData = {Chunk("bKGD", {0, 1})};
  EXPECT_EQ(Load(grey.Build()).Header().BackgroundColor, 0x555555u);
  PngFile rgb{Ihdr(1, 1, 16, 2), {Chunk("bKGD", {0x12, 0, 0x34, 0, 0x56, 0})}, Bytes(7, 0)};
  EXPECT_EQ(Load(rgb.Build()).Header().BackgroundColor, 0x563412u);
  PngFile pal = Palette4x1();
  pal.beforeData.push_back(Chunk("bKGD", {2}));
  EXPECT_EQ(Load(pal.Build()).Header().BackgroundColor, 2u) << "a palette image keeps the index";
  pal.beforeData.back() = Chunk("bKGD", {3});
  EXPECT_EQ(Load(pal.Build()).Header().BackgroundColor, 0xFFFFFFu) << "no such palette entry";
}

TEST(PngDecode, GammaCorrectsColoursForADisplayGammaOf2_2) {
  PngFile f{Ihdr(2, 1, 8, 2), {}, {0, 128, 64, 255, 0, 1, 2}};
  const Bytes plain = ToRGBA(Load(f.Build()).Image()).bytes;
  f.beforeData = {Chunk("gAMA", test::BigEndian32(45455))};
  EXPECT_EQ(ToRGBA(Load(f.Build()).Image()).bytes, plain) << "0.45455 x 2.2 is about 1";
  f.beforeData = {Chunk("gAMA", test::BigEndian32(0))};
  EXPECT_EQ(ToRGBA(Load(f.Build()).Image()).bytes, plain) << "a zero gamma is ignored";
  f.beforeData = {Chunk("gAMA", test::BigEndian32(100000))};
  const TPNGGraphic png = Load(f.Build());
  EXPECT_DOUBLE_EQ(png.Header().FileGamma, 1.0);
  const Bytes out = ToRGBA(png.Image()).bytes;
  EXPECT_EQ(out[0], 186);  // round((128 / 255) ^ (1 / 2.2) * 255)
  EXPECT_EQ(out[2], 255);
  EXPECT_EQ(out[3], 255);  // alpha untouched
  EXPECT_EQ(out[4], 0);
  // Below 8 bits the correction works on the sample's own scale: 1 of 3 -> round(0.6065 * 3) = 2.
  PngFile grey{Ihdr(1, 1, 2, 0), {Chunk("gAMA", test::BigEndian32(100000))}, {0, 0b01000000}};
  EXPECT_EQ(ToRGBA(Load(grey.Build()).Image()).bytes[0], 170);
}

TEST(PngDecode, AncillaryChunksAreSkippedEvenWithBadCrc) {
  PngFile f = Palette4x1();
  Bytes odd = Chunk("xxXx", {1, 2, 3});
  odd.back() ^= 1;
  f.beforeData.push_back(odd);
  EXPECT_EQ(LoadError(f.Build()), "");
}

TEST(PngDecode, ImageDataMaySpanManyIdatChunks) {
  const PngFile f = Rgba2x2(16);
  const Bytes z = test::Compress(f.rows);
  Bytes file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  file.insert(file.end(), f.ihdr.begin(), f.ihdr.end());
  for (size_t i = 0; i <= z.size(); ++i) {  // one byte each, and an empty chunk at the end
    const Bytes c = Chunk("IDAT", i < z.size() ? Bytes{z[i]} : Bytes{});
    file.insert(file.end(), c.begin(), c.end());
  }
  const Bytes iend = Chunk("IEND", {});
  file.insert(file.end(), iend.begin(), iend.end());
  EXPECT_EQ(ToRGBA(Load(file).Image()).bytes, ToRGBA(Load(f.Build()).Image()).bytes);
}

TEST(PngDecode, StreamIsLeftJustPastIend) {
  Bytes file = Palette4x1().Build();
  const size_t size = file.size();
  file.insert(file.end(), {'t', 'a', 'i', 'l'});
  std::istringstream stream(std::string(file.begin(), file.end()));
  stream.seekg(0);
  TPNGGraphic png;
  png.LoadFromStream(stream);
  EXPECT_EQ(size_t(stream.tellg()), size);
  EXPECT_EQ(png.Width(), 4);
}

TEST(PngDecode, AssignCopiesImageAndHeader) {
  const TPNGGraphic source = Load(Rgba2x2(8).Build());
  TPNGGraphic copy;
  copy.Assign(source);
  EXPECT_EQ(copy.Header().ColorType, 6);
  EXPECT_EQ(ToRGBA(copy.Image()).bytes, ToRGBA(source.Image()).bytes);
}

TEST(PngErrors, HeaderProblemsAreInvalidFormat) {
  Bytes file = Palette4x1().Build();
  file[1] = 'Q';
  EXPECT_EQ(LoadError<EInvalidGraphic>(file), kInvalidFormat);
  for (auto [w, h] : {std::pair{0u, 1u}, {1u, 0u}, {100000u, 100000u}, {0x80000000u, 1u}})
    EXPECT_EQ(LoadError<EInvalidGraphic>(PngFile{Ihdr(w, h, 8, 0), {}, {0, 0}}.Build()),
              kInvalidFormat)
        << w << " x " << h;
  PngFile notFirst = Palette4x1();
  notFirst.beforeData.insert(notFirst.beforeData.begin(), Chunk("tEXt", {'a', 0, 'b'}));
  std::swap(notFirst.ihdr, notFirst.beforeData[0]);
  EXPECT_EQ(LoadError(notFirst.Build()), kInvalidFormat);
  PngFile longIhdr = Palette4x1();
  Bytes data(longIhdr.ihdr.begin() + 8, longIhdr.ihdr.end() - 4);
  data.push_back(0);
  longIhdr.ihdr = Chunk("IHDR", data);
  EXPECT_EQ(LoadError(longIhdr.Build()), kInvalidFormat);
}

TEST(PngErrors, UnsupportedHeaderValues) {
  EXPECT_EQ(LoadError(PngFile{Ihdr(1, 1, 8, 0, 0, 1), {}, {0, 0}}.Build()),
            "Cannot load image. The compression scheme is not supported for PNG files.");
  for (uint8_t type : {1, 5, 9})
    EXPECT_EQ(LoadError<EInvalidGraphic>(PngFile{Ihdr(1, 1, 8, type), {}, {0, 0}}.Build()),
              kColorFormat);
  for (auto [depth, type] : {std::pair<uint8_t, uint8_t>{4, 2}, {16, 3}, {2, 6}, {1, 4}})
    EXPECT_EQ(LoadError(PngFile{Ihdr(1, 1, depth, type), {}, {0, 0}}.Build()), kColorFormat);
  for (uint8_t depth : {0, 3, 99})
    EXPECT_EQ(LoadError<EColorConversionError>(PngFile{Ihdr(1, 1, depth, 0), {}, {0}}.Build()),
              "Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.");
  EXPECT_EQ(LoadError(PngFile{Ihdr(1, 1, 8, 0, 2), {}, {0, 0}}.Build()), kInvalidFormat);
}

TEST(PngErrors, BadPalettes) {
  PngFile f = Palette4x1();
  f.beforeData = {Chunk("PLTE", Bytes(7, 0))};
  EXPECT_EQ(LoadError(f.Build()), kInvalidPalette);
  f.beforeData = {Chunk("PLTE", Bytes(3 * 257, 0))};
  EXPECT_EQ(LoadError(f.Build()), kInvalidPalette);
  f.beforeData = {};
  EXPECT_EQ(LoadError(f.Build()), kInvalidPalette);
  PngFile grey{Ihdr(1, 1, 8, 0), {Chunk("PLTE", Bytes(4, 0))}, {0, 0}};
  EXPECT_EQ(LoadError(grey.Build()), kInvalidPalette);
  grey.beforeData = {Chunk("PLTE", Bytes(3 * 300, 0))};  // ignored outside palette images
  EXPECT_EQ(LoadError(grey.Build()), "");
}

TEST(PngErrors, CriticalUnknownChunk) {
  PngFile f = Palette4x1();
  f.beforeData.push_back(Chunk("XXXX", {}));
  EXPECT_EQ(LoadError(f.Build()), "Cannot load PNG image. Unexpected but critical chunk detected.");
}

TEST(PngErrors, CrcMismatchInEveryChunkThatIsRead) {
  for (const char* type : {"IHDR", "PLTE", "tRNS", "bKGD", "gAMA", "IDAT"}) {
    PngFile f = Palette4x1();
    f.beforeData.push_back(Chunk("tRNS", {1}));
    f.beforeData.push_back(Chunk("bKGD", {1}));
    f.beforeData.insert(f.beforeData.begin(), Chunk("gAMA", test::BigEndian32(45455)));
    Bytes file = f.Build();
    const size_t at = test::FindChunk(file, type);
    const size_t length = size_t(file[at + 2]) << 8 | file[at + 3];
    file[at + 8 + length + 3] ^= 0x40;  // the stored CRC
    EXPECT_EQ(LoadError<EInvalidGraphic>(file), kCrcError) << type;
  }
}

TEST(PngErrors, CompressedDataProblems) {
  PngFile f = Palette4x1();
  Bytes file = f.Build();
  Bytes broken = file;
  const size_t idat = test::FindChunk(broken, "IDAT");
  Bytes data(broken.begin() + idat + 8, broken.begin() + idat + 8 + (file.size() - idat - 24));
  data[2] = 0xFF;  // an invalid deflate block type
  const auto withData = [&](const Bytes& z) {
    Bytes out = file;
    const Bytes chunk = Chunk("IDAT", z);
    const size_t end = idat + 12 + (file.size() - idat - 24);
    out.erase(out.begin() + idat, out.begin() + end);
    out.insert(out.begin() + idat, chunk.begin(), chunk.end());
    return out;
  };
  EXPECT_EQ(LoadError(withData(data)), kCompressionError);
  EXPECT_EQ(LoadError(withData({})), kCompressionError);
  PngFile shortRows = f;
  shortRows.rows.pop_back();
  EXPECT_EQ(LoadError(shortRows.Build()), kCompressionError);
  PngFile longRows = f;
  longRows.rows.push_back(0);
  EXPECT_EQ(LoadError(longRows.Build()), kExtraData);
  Bytes trailing = test::Compress(f.rows);
  trailing.push_back(0);
  EXPECT_EQ(LoadError(withData(trailing)), kExtraData);
  Bytes twice = file;
  const Bytes again = Chunk("IDAT", test::Compress(f.rows));
  const size_t iend = test::FindChunk(twice, "IEND");
  twice.insert(twice.begin() + iend, again.begin(), again.end());
  const Bytes text = Chunk("tEXt", {'k', 0});
  twice.insert(twice.begin() + iend, text.begin(), text.end());
  EXPECT_EQ(LoadError(twice), kExtraData);
}

TEST(PngErrors, UnknownFilterType) {
  PngFile f = Palette4x1();
  f.rows[0] = 5;
  EXPECT_EQ(LoadError(f.Build()), kInvalidFormat);
}

TEST(PngErrors, MissingImageDataOrEnd) {
  PngFile f = Palette4x1();
  Bytes file = f.Build();
  const size_t idat = test::FindChunk(file, "IDAT");
  Bytes noData = file;
  noData.erase(noData.begin() + idat, noData.begin() + test::FindChunk(file, "IEND"));
  EXPECT_EQ(LoadError(noData), kInvalidFormat);
  Bytes noEnd(file.begin(), file.begin() + test::FindChunk(file, "IEND"));
  EXPECT_EQ(LoadError(noEnd), kInvalidFormat);
}

TEST(PngErrors, HugeHeaderWithTinyDataIsRefusedBeforeAllocating) {
  // 8000 x 8000 RGBA needs 256 MB of filtered data; a few bytes of deflate cannot hold it.
  PngFile f{Ihdr(8000, 8000, 8, 6), {}, {0, 0, 0, 0, 0}};
  EXPECT_EQ(LoadError(f.Build()), kCompressionError);
}

TEST(PngErrors, TruncationAtEveryByteIsAnError) {
  PngFile f = Rgba2x2(16);
  f.beforeData = {Chunk("gAMA", test::BigEndian32(45455)), Chunk("bKGD", Bytes(6, 0))};
  const Bytes file = f.Build();
  for (size_t n = 0; n < file.size(); ++n)
    EXPECT_NE(LoadError(Bytes(file.begin(), file.begin() + n)), "") << "cut at " << n;
}

TEST(PngErrors, MissingFile) {
  TPNGGraphic png;
  EXPECT_THROW(png.LoadFromFile("/nonexistent/dir/none.png"), EInvalidGraphic);
}

#ifdef DK_PNGSUITE_DIR
TEST(PngSuite, EveryImageLoadsFromFile) {
  const std::string dir = DK_PNGSUITE_DIR;
  std::ifstream probe(dir + "/basn0g01.png");
  if (!probe) GTEST_SKIP() << "no PngSuite at " << dir;
  for (const char* name :
       {"basn0g01", "basn0g02", "basn0g04", "basn0g08", "basn0g16", "basn2c08", "basn2c16",
        "basn3p01", "basn3p02", "basn3p04", "basn3p08", "basn4a08", "basn4a16", "basn6a08",
        "basn6a16", "ibasn6a16", "ftbbn3p08", "iftbwn0g16"}) {
    TPNGGraphic png;
    png.LoadFromFile(dir + "/" + name + ".png");
    EXPECT_EQ(png.Width(), 32) << name;
    EXPECT_EQ(png.Height(), 32) << name;
  }
}
#endif

}  // namespace
}  // namespace img
