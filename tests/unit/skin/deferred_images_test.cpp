// Pictures of their own decoded on first use: what the load checks so that a damaged file is left
// out as before, what it decodes at once, the counts, the colour passes that wait for the decode,
// and a decode that fails after a sound header.
#include <gtest/gtest.h>
#include <zlib.h>

#include "ModelHelpers.h"
#include "SkinFixtures.h"
#include "skin/data/SkinImage.h"

namespace {

using skin_fixtures::Bmp24;
using skin_fixtures::LoadModel;
using skin_fixtures::Solid;
using namespace std::string_literals;

std::string Be32(uint32_t v) {
  return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}

std::string Chunk(const std::string& type, const std::string& data, uint32_t crcFlip = 0) {
  std::string body = type + data;
  uint32_t crc = uint32_t(crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size())));
  return Be32(uint32_t(data.size())) + body + Be32(crc ^ crcFlip);
}

std::string Header(uint32_t width, uint32_t height, int depth = 8, int colorType = 6) {
  return Chunk("IHDR",
               Be32(width) + Be32(height) + std::string{char(depth), char(colorType), 0, 0, 0});
}

// Scanlines of opaque red pixels (filter byte 0), compressed.
std::string RedRows(int width, int height) {
  std::string raw;
  for (int y = 0; y < height; ++y) {
    raw += '\0';
    for (int x = 0; x < width; ++x) raw += std::string{'\xFF', 0, 0, '\xFF'};
  }
  uLongf size = compressBound(uLong(raw.size()));
  std::string packed(size, '\0');
  compress(reinterpret_cast<Bytef*>(packed.data()), &size,
           reinterpret_cast<const Bytef*>(raw.data()), uLong(raw.size()));
  packed.resize(size);
  return packed;
}

const std::string kSignature = "\x89PNG\r\n\x1A\n";

std::string RedPng(int width, int height) {
  return kSignature + Header(uint32_t(width), uint32_t(height)) +
         Chunk("IDAT", RedRows(width, height)) + Chunk("IEND", "");
}

std::unique_ptr<TsSkinModel> WithImage(const std::string& file, const std::string& extra = "") {
  return LoadModel("[GLOBALINFO]\nVERSION=8\n" + extra + "[A]\nI=!PIC.PNG!1!0!2\n",
                   {{"PIC.PNG", file}});
}

TEST(DeferredImageTest, TheLoadLeavesOutWhatTheDecoderWouldRefuseAndReadsNoPixels) {
  const std::string idat = Chunk("IDAT", RedRows(3, 2)), end = Chunk("IEND", "");
  const std::string good = RedPng(3, 2);
  struct Row {
    const char* what;
    std::string file;
    bool kept;
  } rows[] = {
      {"sound", good, true},
      {"cut inside the image data", good.substr(0, good.size() - end.size() - 3), false},
      {"no end chunk", good.substr(0, good.size() - end.size()), false},
      {"no image data", kSignature + Header(3, 2) + end, false},
      {"image data checksum", kSignature + Header(3, 2) + Chunk("IDAT", RedRows(3, 2), 1) + end,
       false},
      {"header checksum",
       kSignature + Chunk("IHDR", Be32(3) + Be32(2) + "\x08\x06\0\0\0"s, 1) + idat + end, false},
      {"unknown critical chunk", kSignature + Header(3, 2) + Chunk("ABCD", "x") + idat + end,
       false},
      {"unknown ancillary chunk, bad checksum",
       kSignature + Header(3, 2) + Chunk("abCd", "x", 1) + idat + end, true},
      {"no signature", good.substr(1), false},
      {"no pixels", kSignature + Header(0, 2) + idat + end, false},
      {"largest size", kSignature + Header(8192, 8192) + idat + end, true},
      {"one pixel more", kSignature + Header(8193, 8192) + idat + end, false},
      {"rgb at 4 bits", kSignature + Header(3, 2, 4, 2) + idat + end, false},
      {"palette at 16 bits", kSignature + Header(3, 2, 16, 3) + idat + end, false},
      {"grey at 2 bits", kSignature + Header(3, 2, 2, 0) + idat + end, true},
      {"colour type 5", kSignature + Header(3, 2, 8, 5) + idat + end, false},
  };
  for (const Row& row : rows) {
    const TsDecodeCounts before = SkinDecodeCounts();
    auto m = WithImage(row.file);
    EXPECT_EQ(m->FindImageByName("A", "I") >= 0, row.kept) << row.what;
    EXPECT_EQ(SkinDecodeCounts().Images, before.Images) << row.what;
  }
  // A bitmap file must hold every row its header promises.
  const std::string bmp = Bmp24(Solid(4, 3, 0x102030));
  for (size_t cut : {size_t(0), size_t(1)}) {
    auto m = LoadModel("[A]\nI=!PIC.BMP!1\n", {{"PIC.BMP", bmp.substr(0, bmp.size() - cut)}});
    EXPECT_EQ(m->FindImageByName("A", "I") >= 0, cut == 0) << cut;
  }
}

TEST(DeferredImageTest, APictureIsDecodedOnceWhenFirstAskedForAndBorderMasksAtTheLoad) {
  const TsDecodeCounts start = SkinDecodeCounts();
  auto m = LoadModel(
      "[GLOBALINFO]\nVERSION=8\nMASTERBITMAP=M.BMP\n[A]\nI=!PIC.PNG!1!0!2\n"
      "B=!BOX.BMP!1!0!0\n",
      {{"PIC.PNG", RedPng(5, 2)},
       {"BOX.BMP", Bmp24(Solid(6, 6, 0xFF00FF))},
       {"M.BMP", Bmp24(Solid(7, 1, 0))}});
  // The master and the border mask, whose corners the load scans for the key colour.
  EXPECT_EQ(SkinDecodeCounts().Images - start.Images, 2);
  EXPECT_EQ(SkinDecodeCounts().Bytes - start.Bytes, (7 * 1 + 6 * 6) * 4);
  const TsMaskData& box = m->ImageTable.at(size_t(m->FindImageByName("A", "B")));
  EXPECT_TRUE(box.Image.Decoded());
  EXPECT_EQ(box.CornerTransparency, 1);
  const TsMaskData& e = m->ImageTable.at(size_t(m->FindImageByName("A", "I")));
  EXPECT_FALSE(e.Image.Decoded());
  EXPECT_EQ(e.SrcRect, (TRect{0, 0, 5, 2}));
  EXPECT_EQ(e.Image->Pixel(4, 1), (img::TRGBAPixel{0, 0, 254, 255}));  // premultiplied
  EXPECT_EQ(e.Image->Width(), 5);
  EXPECT_EQ(SkinDecodeCounts().Images - start.Images, 3);
  EXPECT_EQ(SkinDecodeCounts().Bytes - start.Bytes, (7 + 36 + 10) * 4);
}

TEST(DeferredImageTest, APictureThatFailsItsDecodePaintsNothingInTheSizeItPromised) {
  const std::string garbled =
      kSignature + Header(4, 3) + Chunk("IDAT", "not deflate data") + Chunk("IEND", "");
  auto m = WithImage(garbled);
  const int i = m->FindImageByName("A", "I");
  ASSERT_GE(i, 0);
  const TsDecodeCounts before = SkinDecodeCounts();
  const img::Bitmap32& picture = *m->ImageTable[size_t(i)].Image;
  ASSERT_EQ(picture.Width(), 4);
  ASSERT_EQ(picture.Height(), 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(picture.Pixel(x, y), (img::TRGBAPixel{0, 0, 0, 0}));
  EXPECT_EQ(SkinDecodeCounts().Images, before.Images);
  EXPECT_EQ(m->ImageTable[size_t(i)].Image.get(), &picture);  // tried once
}

TEST(DeferredImageTest, ColourPassesWaitForTheDecodeAndKeptButtonsKeepTheirColours) {
  auto m = std::make_unique<TsSkinModel>();
  m->HueOffset = 120;
  m->Saturation = 100;
  m->Load(skin_fixtures::PackedSource(
      "[GLOBALINFO]\nVERSION=8\nBIKEEPHUE=2\nBICONCLOSE=!C.PNG!1!0!2\nBICONMAX=!X.PNG!1!0!2\n",
      {{"C.PNG", RedPng(2, 2)}, {"X.PNG", RedPng(2, 2)}}));
  const TsMaskData& close =
      m->ImageTable.at(size_t(m->FindImageByName("GLOBALINFO", "BICONCLOSE")));
  const TsMaskData& max = m->ImageTable.at(size_t(m->FindImageByName("GLOBALINFO", "BICONMAX")));
  ASSERT_FALSE(max.Image.Decoded());
  // Full saturation leaves pure colours as they are; the hue turns red into green first.
  EXPECT_EQ(max.Image->Pixel(1, 1), (img::TRGBAPixel{0, 255, 0, 255}));
  EXPECT_EQ(close.Image->Pixel(1, 1), (img::TRGBAPixel{0, 0, 255, 255}));
}

}  // namespace
