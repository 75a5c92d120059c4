#include "imaging/PngWriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <stdexcept>

#include "imaging/Picture.h"
#include "imaging/vePNG.h"

namespace img {
namespace {

// Flat runs, ramps and noise, so every row filter gets chosen somewhere.
Bitmap32 MixedPicture(int width, int height) {
  Bitmap32 b(width, height);
  uint32_t seed = 7;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const uint8_t noise = uint8_t(seed >> 24);
      b.Pixel(x, y) = y % 3 == 0   ? TRGBAPixel{10, 20, 30, 255}
                      : y % 3 == 1 ? TRGBAPixel{uint8_t(x * 7), uint8_t(y * 5), 99, uint8_t(x)}
                                   : TRGBAPixel{noise, uint8_t(noise ^ 0x5A), uint8_t(x + y), 0};
    }
  return b;
}

RGBAImage Decode(const std::string& png) {
  TPNGGraphic graphic;
  graphic.LoadFromMemory(std::span(reinterpret_cast<const uint8_t*>(png.data()), png.size()));
  return ToRGBA(graphic.Image());
}

TEST(PngWriter, RoundTripsEveryByteOfOddSizedPictures) {
  for (auto [w, h] : {std::pair{1, 1}, {3, 7}, {37, 11}}) {
    const Bitmap32 picture = MixedPicture(w, h);
    const std::string png = EncodePng(picture);
    EXPECT_EQ(png, EncodePng(picture)) << "the same picture must give the same bytes";
    const RGBAImage decoded = Decode(png);
    ASSERT_EQ(decoded.width, w);
    ASSERT_EQ(decoded.height, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const TRGBAPixel& p = picture.Pixel(x, y);
        const uint8_t* d = &decoded.bytes[size_t(y * w + x) * 4];
        ASSERT_EQ((TRGBAPixel{d[2], d[1], d[0], d[3]}), p)
            << w << "x" << h << " at " << x << "," << y;
      }
  }
}

TEST(PngWriter, SaveReportsAnUnwritablePathAndLeavesNothingBehind) {
  const Bitmap32 picture = MixedPicture(2, 2);
  try {
    SavePng("no-such-folder/x.png", picture);
    FAIL() << "expected an error";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("no-such-folder/x.png"), std::string::npos);
  }
}

}  // namespace
}  // namespace img
