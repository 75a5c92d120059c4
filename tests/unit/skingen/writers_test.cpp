// The files a skin is made of: bitmap and JPEG writers, and option values in each image-entry
// form, read back the way the skin loader reads them.
#include <gtest/gtest.h>

#include <set>

#include "skin/data/BmpFile.h"
#include "skin/data/ImageEntry.h"
#include "tools/skingen/ImageFiles.h"
#include "skin/data/veTinyJPG.h"
#include "tools/skingen/SkinFile.h"

using namespace skingen;

namespace {

img::Bitmap32 Gradient(int w, int h) {
  img::Bitmap32 bmp(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      bmp.Pixel(x, y) = {uint8_t(x * 255 / std::max(1, w - 1)),
                         uint8_t(y * 255 / std::max(1, h - 1)), uint8_t(128 + (x - y) / 4), 0xFF};
  return bmp;
}

// The JPEG segments up to the scan: marker code -> body.
std::vector<std::pair<uint8_t, std::string>> Segments(const std::string& jpeg, size_t& scanData) {
  std::vector<std::pair<uint8_t, std::string>> segments;
  size_t pos = 2;
  while (pos + 4 <= jpeg.size()) {
    EXPECT_EQ(uint8_t(jpeg[pos]), 0xFF);
    uint8_t code = uint8_t(jpeg[pos + 1]);
    size_t length = size_t(uint8_t(jpeg[pos + 2])) << 8 | uint8_t(jpeg[pos + 3]);
    segments.emplace_back(code, jpeg.substr(pos + 4, length - 2));
    pos += 2 + length;
    if (code == 0xDA) break;
  }
  scanData = pos;
  return segments;
}

}  // namespace

TEST(SkingenWriters, BmpReadsBackWithPaddedRows) {
  for (int w : {1, 2, 3, 5, 8}) {
    img::Bitmap32 bmp = Gradient(w, 3);
    std::optional<img::Picture> picture = DecodeBmp(EncodeBmp24(bmp));
    ASSERT_TRUE(picture) << w;
    ASSERT_EQ(picture->Width(), w);
    ASSERT_EQ(picture->Height(), 3);
    img::RGBAImage back = img::ToRGBA(*picture);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < w; ++x) {
        const img::TRGBAPixel& a = bmp.Pixel(x, y);
        const uint8_t* b = &back.bytes[(size_t(y) * w + x) * 4];
        EXPECT_EQ(std::make_tuple(a.R, a.G, a.B), std::make_tuple(b[0], b[1], b[2]))
            << w << ": " << x << "," << y;
      }
  }
}

TEST(SkingenWriters, JpegIsWellFormedBaseline) {
  for (bool grey : {false, true}) {
    std::string jpeg = EncodeJpeg(Gradient(13, 7), grey);
    ASSERT_GT(jpeg.size(), 4u);
    EXPECT_EQ(jpeg.substr(0, 2), "\xFF\xD8");
    EXPECT_EQ(jpeg.substr(jpeg.size() - 2), "\xFF\xD9");
    size_t scan = 0;
    auto segments = Segments(jpeg, scan);
    std::set<uint8_t> codes;
    for (const auto& [code, body] : segments) {
      codes.insert(code);
      if (code == 0xC0) {
        ASSERT_EQ(body.size(), 6u + 3u * (grey ? 1 : 3));
        EXPECT_EQ(uint8_t(body[0]), 8);                           // precision
        EXPECT_EQ(uint8_t(body[1]) << 8 | uint8_t(body[2]), 7);   // height
        EXPECT_EQ(uint8_t(body[3]) << 8 | uint8_t(body[4]), 13);  // width
        EXPECT_EQ(uint8_t(body[7]), 0x11) << "no subsampling";
      }
      if (code == 0xC4) {
        // Canonical Huffman codes: the counts must fit the code space and the symbols be unique.
        int total = 0, space = 1;
        for (int len = 0; len < 16; ++len) {
          space = space * 2 - uint8_t(body[1 + len]);
          ASSERT_GE(space, 1) << "over-full code lengths";
          total += uint8_t(body[1 + len]);
        }
        ASSERT_EQ(body.size(), 17u + size_t(total));
        std::set<uint8_t> symbols(body.begin() + 17, body.end());
        EXPECT_EQ(symbols.size(), size_t(total)) << "repeated symbols";
        if (uint8_t(body[0]) >> 4 == 1) {
          EXPECT_EQ(total, 162);  // every run/size pair, end of block and the zero run
          for (int run = 0; run < 16; ++run)
            for (int size = 1; size <= 10; ++size)
              EXPECT_TRUE(symbols.count(uint8_t(run << 4 | size)));
        }
      }
    }
    EXPECT_EQ(codes, (std::set<uint8_t>{0xC0, 0xC4, 0xDA, 0xDB, 0xE0}));
    // Entropy-coded data: every 0xFF is a stuffed byte until the end marker.
    for (size_t i = scan; i + 2 < jpeg.size(); ++i)
      if (uint8_t(jpeg[i]) == 0xFF) {
        EXPECT_EQ(jpeg[i + 1], '\0') << "at " << i;
      }
    EXPECT_EQ(EncodeJpeg(Gradient(13, 7), grey), jpeg) << "not reproducible";
  }
}

TEST(SkingenWriters, JpegDecodesThroughThePlatformLoader) {
  for (bool grey : {false, true}) {
    img::Bitmap32 source = Gradient(40, 24);
    TveTinyJPGImage picture;
    ASSERT_TRUE(picture.LoadFromStream(EncodeJpeg(source, grey))) << grey;
    img::Bitmap32 back = picture.ToBitmap32();
    ASSERT_EQ(back.Width(), 40);
    ASSERT_EQ(back.Height(), 24);
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 40; ++x) {
        const img::TRGBAPixel &a = source.Pixel(x, y), &b = back.Pixel(x, y);
        if (grey) {
          int luma = (299 * a.R + 587 * a.G + 114 * a.B) / 1000;
          EXPECT_NEAR(b.G, luma, 12) << x << "," << y;
        } else {
          EXPECT_NEAR(b.R, a.R, 16) << x << "," << y;
          EXPECT_NEAR(b.G, a.G, 16) << x << "," << y;
          EXPECT_NEAR(b.B, a.B, 16) << x << "," << y;
        }
      }
  }
}

TEST(SkingenWriters, EntriesReadBackInEveryForm) {
  Rect r{133, 0, 265, 18};
  auto glyph = ParseImageEntry(GlyphEntry(r, 3, 1));
  ASSERT_TRUE(glyph);
  EXPECT_EQ(glyph->form, ParsedImageEntry::Form::Glyph);
  EXPECT_EQ(glyph->Entry.SrcRect.Left, 133);
  EXPECT_EQ(glyph->Entry.SrcRect.Right, 265);
  EXPECT_EQ(glyph->Entry.StateCount, 3);
  EXPECT_EQ(glyph->Entry.MaskRows, 1);

  auto border = ParseImageEntry(BorderEntry({3, 39, 1006, 2040}, {1, 12, 123, 9}, 2, 1, 4, 5));
  ASSERT_TRUE(border);
  const TsMaskData& b = border->Entry;
  EXPECT_EQ(b.SrcRect.Right, 1006);
  EXPECT_EQ(b.SrcRect.Bottom, 2040);
  EXPECT_EQ(std::tie(b.MarginLeft, b.MarginTop, b.MarginRight, b.MarginBottom),
            std::make_tuple(int16_t(1), int16_t(12), int16_t(123), int16_t(9)));
  EXPECT_EQ(std::tie(b.StateCount, b.MaskRows, b.PaintFlags, b.DefaultMargin),
            std::make_tuple(int16_t(2), int16_t(1), int16_t(4), int16_t(5)));

  auto texture = ParseImageEntry(TextureEntry({10, 20, 74, 84}, 10));
  ASSERT_TRUE(texture);
  EXPECT_EQ(texture->Entry.PaintFlags, 10);
  EXPECT_EQ(texture->Entry.ImageKind, 1);

  auto file = ParseImageEntry(FileEntry("EXBORDER.PNG", 2, 0, 3, {12, 11, 10, 9}, 0));
  ASSERT_TRUE(file);
  EXPECT_EQ(file->FileName, "EXBORDER.PNG");
  EXPECT_EQ(file->Entry.ImageKind, 3);
  EXPECT_EQ(file->Entry.MarginLeft, 12);
  EXPECT_EQ(file->Entry.MarginBottom, 9);
  EXPECT_EQ(file->Entry.PaintFlags, 0);
  EXPECT_FALSE(file->DefaultMargins);
  auto shortFile = ParseImageEntry(FileEntry("BCLOSE.PNG", 3, 1, 2));
  ASSERT_TRUE(shortFile);
  EXPECT_EQ(shortFile->Entry.StateCount, 3);
  EXPECT_TRUE(shortFile->DefaultMargins);

  auto free = ParseImageEntry(FreeEntry("GRIP", {1, 2, 15, 30}, 3, 1, 0, 0));
  ASSERT_TRUE(free);
  EXPECT_EQ(free->form, ParsedImageEntry::Form::Free);
  EXPECT_EQ(free->Entry.SrcRect.Top, 2);
  EXPECT_EQ(free->Entry.SrcRect.Bottom, 30);
  EXPECT_EQ(free->Entry.StateCount, 3);
  EXPECT_EQ(free->Entry.MaskRows, 1);
  EXPECT_EQ(free->Entry.PaintFlags, 0);

  // Fixed-width fields cannot hold larger numbers: refused rather than written misaligned.
  EXPECT_THROW(GlyphEntry({0, 0, 10000, 5}, 1, 0), std::runtime_error);
  EXPECT_THROW(GlyphEntry(r, 10, 0), std::runtime_error);
}
