// Resampling: hand-computed cases, the error and the edge sizes, and the fast passes against a
// plain per-pixel, per-column version of the same arithmetic on random images.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <random>
#include <utility>
#include <vector>

#include "skin/render/sResample.h"

namespace {

// A bitmap of either depth as plain bytes, for the reference.
struct TImage {
  int width = 0, height = 0, bpp = 4;
  std::vector<uint8_t> bytes;
  uint8_t& At(int x, int y, int c) { return bytes[(size_t(y) * width + x) * bpp + c]; }
};

template <class TBitmap>
TImage ImageOf(const TBitmap& bitmap, int bpp) {
  TImage image{bitmap.Width(), bitmap.Height(), bpp, {}};
  const auto* first = reinterpret_cast<const uint8_t*>(bitmap.Row(0));
  image.bytes.assign(first, first + size_t(image.width) * image.height * bpp);
  return image;
}

// The filters and contributors written out directly from their definitions.
float Weight(int filter, float x) {
  const long double h = std::fabs(static_cast<long double>(x));
  const long double pi = std::numbers::pi_v<long double>;
  switch (filter) {
    case rfBox:
      return x > -0.5f && x <= 0.5f ? 1.0f : 0.0f;
    case rfTriangle:
      return float(1 - h);
    case rfHermite:
      return float(2 * h * h * h - 3 * h * h + 1);
    case rfBell:
      return float(h < 0.5L ? 0.75L - h * h : 0.5L * (h - 1.5L) * (h - 1.5L));
    case rfBSpline:
      return float(h < 1 ? h * h * h / 2 - h * h + 2.0L / 3 : (2 - h) * (2 - h) * (2 - h) / 6);
    case rfWindowedSine:
      return float(h == 0 ? 1 : std::sin(pi * h) * std::sin(h) / (pi * h * h));
    default:
      return float(h < 1 ? 7.0L / 6 * h * h * h - 2 * h * h + 8.0L / 9
                         : -7.0L / 18 * h * h * h + 2 * h * h - 10.0L / 3 * h + 16.0L / 9);
  }
}

std::vector<std::pair<int, int32_t>> Contributors(int i, int n, int m, int filter) {
  const float support[] = {0.51f, 1.0f, 1.0f, 1.5f, 2.0f, 3.0f, 2.0f};
  const float s = support[filter];
  const float z = n < m ? float(n) / float(m) : 1.0f;
  const float w = s / z;
  const float g = float(m) * float(i) / float(n);
  std::vector<std::pair<int, int32_t>> list;
  for (int j = int(std::floor(g - w)); j <= int(std::ceil(g + w)); ++j) {
    const float x = (g - float(j)) * z;
    if (!(std::fabs(x) < s)) continue;
    const float v = Weight(filter, x);
    if (v == 0) continue;
    const int index = std::clamp(j < 0 ? -j : j >= m ? 2 * m - 1 - j : j, 0, m - 1);
    list.emplace_back(index, int32_t(std::nearbyint(double(v) * z * 65536.0)));
  }
  return list;
}

uint8_t Channel(int32_t sum) {
  return sum < 0 ? 0 : sum <= 0xFF0000 ? uint8_t(sum >> 16) : 255;
}

TImage Reference(TImage source, int width, int filter, int height) {
  TImage temp{width, source.height, source.bpp, {}};
  temp.bytes.resize(size_t(width) * source.height * source.bpp);
  for (int y = 0; y < source.height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto list = Contributors(x, width, source.width, filter);
      for (int c = 0; c < source.bpp; ++c) {
        int32_t sum = 0;
        for (auto [j, w] : list) sum += w * source.At(j, y, c);
        temp.At(x, y, c) = Channel(sum);
      }
    }
  }
  TImage dest{width, height, source.bpp, {}};
  dest.bytes.resize(size_t(width) * height * source.bpp);
  for (int x = 0; x < width; ++x) {
    for (int y = 0; y < height; ++y) {
      const auto list = Contributors(y, height, source.height, filter);
      for (int c = 0; c < source.bpp; ++c) {
        int32_t sum = 0;
        for (auto [j, w] : list) sum += w * temp.At(x, j, c);
        dest.At(x, y, c) = Channel(sum);
      }
    }
  }
  return dest;
}

template <class TBitmap>
TBitmap RandomBitmap(int width, int height, std::mt19937& random) {
  TBitmap bitmap(width, height);
  auto* bytes = reinterpret_cast<uint8_t*>(bitmap.Row(0));
  const size_t count = size_t(width) * height * (std::is_same_v<TBitmap, img::Bitmap32> ? 4 : 3);
  for (size_t i = 0; i < count; ++i) bytes[i] = uint8_t(random());
  return bitmap;
}

img::Bitmap32 Row32(std::vector<uint8_t> bytes, int height = 1) {
  img::Bitmap32 bitmap(int(bytes.size() / 4), height);
  for (int y = 0; y < height; ++y) std::memcpy(bitmap.Row(y), bytes.data(), bytes.size());
  return bitmap;
}

TEST(ResampleBitmap, SourcesNotAboveOnePixelAreTooSmall) {
  for (auto [w, h] : {std::pair{1, 10}, {10, 1}, {1, 1}, {0, 0}}) {
    img::Bitmap32 source(w, h), dest;
    try {
      ResampleBitmap(source, dest, 5, rfMitchell, 5);
      ADD_FAILURE() << w << "x" << h << " was resampled";
    } catch (const EResampleError& e) {
      EXPECT_STREQ(e.what(), "Source bitmap is too small");
    }
  }
  img::Bitmap24 narrow(1, 10), dest24;
  EXPECT_THROW(ResampleBitmap(narrow, dest24, 5, rfBox, 5), EResampleError);
}

TEST(ResampleBitmap, ZeroOrNegativeSizeOrUnknownFilterLeavesDestination) {
  std::mt19937 random(1);
  const img::Bitmap32 source = RandomBitmap<img::Bitmap32>(4, 4, random);
  img::Bitmap32 dest(3, 3);
  dest.Fill({1, 2, 3, 4});
  const img::Bitmap32 before = dest;
  // A height of 0 does nothing, even before the size check.
  img::Bitmap32 tiny(1, 1);
  EXPECT_NO_THROW(ResampleBitmap(tiny, dest, 5, rfBox, 0));
  ResampleBitmap(source, dest, -2, rfBox, 2);
  ResampleBitmap(source, dest, 2, 7, 2);
  ResampleBitmap(source, dest, 2, -1, 2);
  EXPECT_EQ(ImageOf(dest, 4).bytes, ImageOf(before, 4).bytes);
}

TEST(ResampleBitmap, EqualSizeCopies) {
  std::mt19937 random(2);
  const img::Bitmap32 source = RandomBitmap<img::Bitmap32>(2, 2, random);
  img::Bitmap32 dest(7, 1);
  ResampleBitmap(source, dest, 2, rfMitchell, 2);
  EXPECT_EQ(ImageOf(dest, 4).bytes, ImageOf(source, 4).bytes);
  img::Bitmap32 same = source;
  ResampleBitmap(same, same, 2, rfMitchell, 2);
  EXPECT_EQ(ImageOf(same, 4).bytes, ImageOf(source, 4).bytes);
}

TEST(ResampleBitmap, BoxDoublingRepeatsEveryPixel) {
  const img::Bitmap32 source = Row32({10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120}, 2);
  img::Bitmap32 dest;
  ResampleBitmap(source, dest, 6, rfBox, 4);
  ASSERT_EQ(dest.Width(), 6);
  ASSERT_EQ(dest.Height(), 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x)
      EXPECT_EQ(dest.Pixel(x, y), source.Pixel(x / 2, 0)) << x << "," << y;
  }
}

TEST(ResampleBitmap, TriangleHalvingMirrorsAtTheLeftEdge) {
  // Destination 0 centres on source 0 with weights 1/4, 1/2, 1/4 over sources -1 (read as 1), 0
  // and 1; destination 1 centres on source 2. Sums are truncated.
  const img::Bitmap32 source =
      Row32({10, 0, 255, 7, 21, 0, 255, 9, 30, 0, 255, 11, 41, 0, 255, 13}, 2);
  img::Bitmap32 dest;
  ResampleBitmap(source, dest, 2, rfTriangle, 2);
  EXPECT_EQ(dest.Pixel(0, 0), (img::TRGBAPixel{15, 0, 255, 8}));
  EXPECT_EQ(dest.Pixel(1, 0), (img::TRGBAPixel{30, 0, 255, 11}));
  EXPECT_EQ(dest.Pixel(1, 1), dest.Pixel(1, 0));
}

TEST(ResampleBitmap, ShrinkingKeepsTransparencyOfAnAlphaIcon) {
  // A 48 x 48 icon: premultiplied disc with a soft edge on a transparent ground.
  img::Bitmap32 icon(48, 48);
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 48; ++x) {
      const double r = std::hypot(x - 23.5, y - 23.5);
      const uint8_t a = r < 14 ? 255 : r < 18 ? uint8_t((18 - r) * 63) : 0;
      icon.Pixel(x, y) = {uint8_t(a * 200 / 255), uint8_t(a / 2), a, a};
    }
  }
  img::Bitmap32 small;
  ResampleBitmap(icon, small, 32, rfMitchell, 32);
  ASSERT_EQ(small.Width(), 32);
  ASSERT_EQ(small.Height(), 32);
  EXPECT_EQ(ImageOf(small, 4).bytes, Reference(ImageOf(icon, 4), 32, rfMitchell, 32).bytes);
  EXPECT_EQ(small.Pixel(0, 0), (img::TRGBAPixel{0, 0, 0, 0}));
  EXPECT_EQ(small.Pixel(31, 31), (img::TRGBAPixel{0, 0, 0, 0}));
  EXPECT_GE(small.Pixel(16, 16).A, 254);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) EXPECT_LE(small.Pixel(x, y).R, small.Pixel(x, y).A + 1);
  }
}

TEST(ResampleBitmap, MatchesThePlainPassesOnRandomImages) {
  std::mt19937 random(7);
  const std::pair<int, int> sizes[][2] = {
      {{13, 9}, {5, 17}}, {{2, 2}, {9, 1}}, {{2, 3}, {1, 1}},   {{40, 30}, {17, 29}},
      {{7, 5}, {7, 11}},  {{3, 3}, {1, 2}}, {{100, 4}, {1, 1}}, {{64, 48}, {64, 20}},
  };
  for (int filter = rfBox; filter <= rfMitchell; ++filter) {
    for (const auto& [from, to] : sizes) {
      SCOPED_TRACE(testing::Message() << "filter " << filter << ", " << from.first << "x"
                                      << from.second << " to " << to.first << "x" << to.second);
      const auto source = RandomBitmap<img::Bitmap32>(from.first, from.second, random);
      img::Bitmap32 dest;
      ResampleBitmap(source, dest, to.first, filter, to.second);
      const TImage reference = Reference(ImageOf(source, 4), to.first, filter, to.second);
      EXPECT_EQ(ImageOf(dest, 4).bytes, reference.bytes);
      img::Pixels32 plain;
      ResampleBitmap(img::Pixels32(source), plain, to.first, filter, to.second);
      EXPECT_EQ(ImageOf(plain, 4).bytes, reference.bytes);
      const auto source24 = RandomBitmap<img::Bitmap24>(from.first, from.second, random);
      img::Bitmap24 dest24;
      ResampleBitmap(source24, dest24, to.first, filter, to.second);
      EXPECT_EQ(ImageOf(dest24, 3).bytes,
                Reference(ImageOf(source24, 3), to.first, filter, to.second).bytes);
    }
  }
}

TEST(ResampleBitmap, SourceMayBeTheDestination) {
  std::mt19937 random(9);
  img::Bitmap32 bitmap = RandomBitmap<img::Bitmap32>(20, 12, random);
  const TImage expected = Reference(ImageOf(bitmap, 4), 9, rfBell, 30);
  img::Pixels32 plain(bitmap);
  ResampleBitmap(bitmap, bitmap, 9, rfBell, 30);
  EXPECT_EQ(ImageOf(bitmap, 4).bytes, expected.bytes);
  ResampleBitmap(plain, plain, 9, rfBell, 30);
  EXPECT_EQ(ImageOf(plain, 4).bytes, expected.bytes);
}

}  // namespace
