// The alpha image list's source pictures: resampling keeps transparency, the cache spares the
// decoder and is dropped when asked, bitmaps without alpha are keyed by their bottom-left colour,
// and bad indexes or bad data give no picture instead of an error.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "PngBuilder.h"
#include "imaging/PngWriter.h"
#include "skin/controls/sImgListItems.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& s) {
  return {s.begin(), s.end()};
}

// A 48 x 48 picture: a transparent frame 12 pixels wide around an opaque red square.
std::vector<uint8_t> FramedSquarePng() {
  img::Bitmap32 b(48, 48);
  for (int y = 12; y < 36; ++y)
    for (int x = 12; x < 36; ++x) b.Pixel(x, y) = {0, 0, 255, 255};
  return Bytes(img::EncodePng(b));
}

// A 24-bit bitmap file, 4 x 2, bottom-up rows; pixels given top row first as 0xRRGGBB.
std::vector<uint8_t> Bmp24(const uint32_t (&top)[4], const uint32_t (&bottom)[4]) {
  std::vector<uint8_t> f(54 + 2 * 12, 0);
  auto put32 = [&f](size_t at, uint32_t v) { std::memcpy(&f[at], &v, 4); };
  f[0] = 'B';
  f[1] = 'M';
  put32(2, uint32_t(f.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, 4);
  put32(22, 2);
  f[26] = 1;
  f[28] = 24;
  const uint32_t* rows[] = {bottom, top};
  for (int r = 0; r < 2; ++r)
    for (int x = 0; x < 4; ++x) {
      uint8_t* p = &f[54 + r * 12 + x * 3];
      p[0] = uint8_t(rows[r][x]);
      p[1] = uint8_t(rows[r][x] >> 8);
      p[2] = uint8_t(rows[r][x] >> 16);
    }
  return f;
}

}  // namespace

TEST(ImgListItems, LargerPngResampledKeepsItsTransparency) {
  TsImgListItems items;
  items.Add(TsImageFormat::ifPNG, FramedSquarePng());
  auto b = items.GetItemBitmap(0, 32, 32);
  ASSERT_TRUE(b);
  EXPECT_EQ(b->Width(), 32);
  EXPECT_EQ(b->Height(), 32);
  EXPECT_EQ(items[0].ItemWidth, 48);
  EXPECT_EQ(b->Pixel(0, 0).A, 0);
  EXPECT_EQ(b->Pixel(31, 31).A, 0);
  EXPECT_EQ(b->Pixel(3, 16).A, 0);
  EXPECT_EQ(b->Pixel(16, 16).A, 255);
  EXPECT_EQ(b->Pixel(16, 16).R, 255);
  EXPECT_EQ(b->Pixel(16, 16).B, 0);
  // At its own size the picture is the file's, unfiltered.
  auto same = items.GetItemBitmap(0, 48, 48);
  ASSERT_TRUE(same);
  EXPECT_EQ(same->Pixel(11, 11).A, 0);
  EXPECT_EQ(same->Pixel(12, 12).A, 255);
}

TEST(ImgListItems, CacheDecodesOnceAndSettingUseCacheDropsIt) {
  TsImgListItems items;
  items.Add(TsImageFormat::ifPNG, FramedSquarePng());
  ASSERT_TRUE(items.GetItemBitmap(0, 32, 32));
  // The data spoilt after the first decoding: only a cached picture can still be had.
  items[0].ImgData.assign(20, 0x55);
  auto cached = items.GetItemBitmap(0, 32, 32);
  ASSERT_TRUE(cached);
  EXPECT_EQ(cached->Pixel(16, 16).A, 255);
  items.SetUseCache(true);
  EXPECT_FALSE(items[0].CachedBitmap);
  EXPECT_FALSE(items.GetItemBitmap(0, 32, 32));
  // Another size discards the cache as well, and without UseCache nothing is kept.
  items[0].ImgData = FramedSquarePng();
  ASSERT_TRUE(items.GetItemBitmap(0, 32, 32));
  ASSERT_TRUE(items.GetItemBitmap(0, 16, 16));
  EXPECT_EQ(items[0].CachedBitmap->Width(), 16);
  // The same width at another height is another size too.
  auto flat = items.GetItemBitmap(0, 16, 8);
  ASSERT_TRUE(flat);
  EXPECT_EQ(flat->Height(), 8);
  EXPECT_EQ(items[0].CachedBitmap->Height(), 8);
  items.SetUseCache(false);
  ASSERT_TRUE(items.GetItemBitmap(0, 32, 32));
  EXPECT_FALSE(items[0].CachedBitmap);
}

TEST(ImgListItems, BitmapWithoutAlphaIsOpaqueExceptItsBottomLeftColour) {
  const uint32_t green = 0x00FF00, blue = 0x0000FF, white = 0xFFFFFF;
  TsImgListItems items;
  items.Add(TsImageFormat::ifBMP32,
            Bmp24({white, green, white, blue}, {green, white, blue, green}));
  auto b = items.GetItemBitmap(0, 4, 2);
  ASSERT_TRUE(b);
  const uint8_t expected[2][4] = {{255, 0, 255, 255}, {0, 255, 255, 0}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(b->Pixel(x, y).A, expected[y][x]) << x << "," << y;
  EXPECT_EQ(b->Pixel(3, 0).B, 255);
}

TEST(ImgListItems, TransparencyTheFileDescribesIsKeptInsteadOfTheBottomLeftKey) {
  using img::test::Chunk;
  using img::test::Ihdr;
  // A 4 x 2 palette picture: red, green, blue, white; red see-through, green half, the rest
  // opaque. The bottom-left pixel is blue, which must stay opaque.
  img::test::PngFile palette{
      Ihdr(4, 2, 8, 3),
      {Chunk("PLTE", {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255}), Chunk("tRNS", {0, 128})},
      {0, 0, 1, 2, 3, 0, 2, 3, 1, 0}};
  // The same colours as an RGB picture whose key colour is green.
  img::test::PngFile rgb{Ihdr(4, 2, 8, 2), {Chunk("tRNS", {0, 0, 0, 255, 0, 0})}, {}};
  const uint8_t colours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
  const int indices[2][4] = {{0, 1, 2, 3}, {2, 3, 1, 0}};
  for (const auto& row : indices) {
    rgb.rows.push_back(0);
    for (int i : row) rgb.rows.insert(rgb.rows.end(), colours[i], colours[i] + 3);
  }
  struct Case {
    const char* what;
    std::vector<uint8_t> file;
    uint8_t alpha[4];  // by palette index
  } cases[] = {{"palette", palette.Build(), {0, 128, 255, 255}},
               {"colour key", rgb.Build(), {255, 0, 255, 255}}};
  for (const Case& c : cases) {
    TsImgListItems items;
    items.Add(TsImageFormat::ifPNG, c.file);
    auto b = items.GetItemBitmap(0, 4, 2);
    ASSERT_TRUE(b) << c.what;
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 4; ++x) {
        const int i = indices[y][x];
        const img::TRGBAPixel expected{colours[i][2], colours[i][1], colours[i][0], c.alpha[i]};
        EXPECT_EQ(b->Pixel(x, y), expected) << c.what << " " << x << "," << y;
      }
  }
  // A grey picture's key, and a palette picture that is see-through everywhere: nothing is keyed
  // by the bottom-left colour.
  struct Small {
    const char* what;
    img::test::PngFile file;
    img::TRGBAPixel expected[2];
  } small[] = {
      {"grey key",
       {Ihdr(2, 1, 8, 0), {Chunk("tRNS", {0, 128})}, {0, 128, 200}},
       {{128, 128, 128, 0}, {200, 200, 200, 255}}},
      {"palette all clear",
       {Ihdr(2, 1, 8, 3),
        {Chunk("PLTE", {255, 0, 0, 0, 255, 0}), Chunk("tRNS", {0, 0})},
        {0, 0, 1}},
       {{0, 0, 255, 0}, {0, 255, 0, 0}}},
  };
  for (const Small& c : small) {
    TsImgListItems items;
    items.Add(TsImageFormat::ifPNG, c.file.Build());
    auto b = items.GetItemBitmap(0, 2, 1);
    ASSERT_TRUE(b) << c.what;
    EXPECT_EQ(b->Pixel(0, 0), c.expected[0]) << c.what;
    EXPECT_EQ(b->Pixel(1, 0), c.expected[1]) << c.what;
  }
}

TEST(ImgListItems, BadIndexOrUndecodableDataGivesNoPicture) {
  TsImgListItems items;
  for (int i = 0; i < 4; ++i) items.Add(TsImageFormat::ifPNG, FramedSquarePng());
  EXPECT_FALSE(items.GetItemBitmap(5, 32, 32));
  EXPECT_FALSE(items.GetItemBitmap(-1, 32, 32));
  EXPECT_FALSE(items.GetItemBitmap(4, 32, 32));
  items.Add(TsImageFormat::ifPNG, Bytes("\x89PNG\r\n\x1a\nbroken"));
  EXPECT_NO_THROW(EXPECT_FALSE(items.GetItemBitmap(4, 32, 32)));
  // A picture one pixel high cannot be filtered: no picture rather than the resampler's error.
  items.Add(TsImageFormat::ifPNG, Bytes(img::EncodePng(img::Bitmap32(8, 1))));
  EXPECT_NO_THROW(EXPECT_FALSE(items.GetItemBitmap(5, 32, 32)));
  EXPECT_TRUE(items.GetItemBitmap(3, 32, 32));
}
