// Gaussian blur: the kernel's size and weights for known radii, what uniform pictures and single
// pixels become, and the fast line filter against a plain per-pixel version on random pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include "skin/render/sBlur.h"

namespace {

// A picture in its own memory; stride may exceed the width or run bottom-up.
struct TPicture {
  int width, height;
  ptrdiff_t stride;
  std::vector<uint8_t> memory;
  TPicture(int w, int h, uint8_t value = 0, int padding = 0, bool bottomUp = false)
      : width(w), height(h), stride(w + padding), memory(size_t(w + padding) * h, value) {
    if (bottomUp) stride = -stride;
  }
  uint8_t* Row(int y) {
    return memory.data() + (stride < 0 ? (height - 1 - y) * -stride : y * stride);
  }
  uint8_t& At(int x, int y) { return Row(y)[x]; }
  TGray8Image View() { return {Row(0), stride, width, height}; }
  std::vector<uint8_t> Pixels() {
    std::vector<uint8_t> pixels;
    for (int y = 0; y < height; ++y) pixels.insert(pixels.end(), Row(y), Row(y) + width);
    return pixels;
  }
};

// Rows, then columns, each pixel summed over the whole kernel with clamped indexes.
std::vector<uint8_t> Reference(std::vector<uint8_t> pixels, int width, int height, double radius) {
  const TGaussKernel kernel = MakeGaussKernel(radius);
  const int n = kernel.halfSize;
  auto filter = [&](int count, auto at) {
    std::vector<uint8_t> line(static_cast<size_t>(count));
    for (int j = 0; j < count; ++j) {
      uint32_t sum = 0;
      for (int k = -n; k <= n; ++k)
        sum += kernel.weights[std::abs(k)] * at(std::clamp(j - k, 0, count - 1));
      line[j] = uint8_t(std::min<uint32_t>(sum >> 16, 255));
    }
    return line;
  };
  for (int y = 0; y < height; ++y) {
    const auto line = filter(width, [&](int x) { return pixels[size_t(y) * width + x]; });
    std::copy(line.begin(), line.end(), pixels.begin() + ptrdiff_t(y) * width);
  }
  for (int x = 0; x < width; ++x) {
    const auto line = filter(height, [&](int y) { return pixels[size_t(y) * width + x]; });
    for (int y = 0; y < height; ++y) pixels[size_t(y) * width + x] = line[y];
  }
  return pixels;
}

TEST(GaussKernel, HalfSizeStopsWhereTheTailsReachHalfAStep) {
  // Radius 1: the tails from 3 outwards weigh about 0.009, so the cut goes one past them.
  EXPECT_EQ(MakeGaussKernel(1).halfSize, 2);
  EXPECT_EQ(MakeGaussKernel(1.2).halfSize, 3);
  EXPECT_EQ(MakeGaussKernel(1.5).halfSize, 4);
  // Wide kernels lose only the outermost pair; tiny ones keep one pixel either side.
  EXPECT_EQ(MakeGaussKernel(100).halfSize, 99);
  EXPECT_EQ(MakeGaussKernel(0.5).halfSize, 1);
}

TEST(GaussKernel, WeightsAreFixedPointAndAddUpToOne) {
  // exp(-k^2 / 2) over -2 .. 2, divided by its sum 2.48373: 0.40262, 0.24420, 0.05449.
  const TGaussKernel one = MakeGaussKernel(1);
  EXPECT_EQ(one.weights, (std::vector<uint32_t>{26386, 16004, 3571}));
  for (double radius : {0.3, 0.8, 1.0, 2.5, 7.0, 40.0, 100.0}) {
    const TGaussKernel kernel = MakeGaussKernel(radius);
    ASSERT_EQ(kernel.weights.size(), size_t(kernel.halfSize) + 1);
    const uint32_t total =
        std::accumulate(kernel.weights.begin() + 1, kernel.weights.end(), 0u) * 2 +
        kernel.weights[0];
    EXPECT_EQ(total, 65536u) << radius;
    EXPECT_TRUE(std::is_sorted(kernel.weights.rbegin(), kernel.weights.rend())) << radius;
  }
  // Radius 0 (a glow of size 0) is a kernel of one weight.
  EXPECT_EQ(MakeGaussKernel(0).weights, std::vector<uint32_t>{65536});
  EXPECT_EQ(MakeGaussKernel(-3).halfSize, 0);
}

TEST(BlurGray8, UniformPicturesStayUniform) {
  for (uint8_t value : {0, 1, 128, 254, 255}) {
    for (double radius : {0.0, 1.0, 2.5, 30.0}) {
      TPicture picture(23, 17, value);
      BlurGray8(picture.View(), radius);
      EXPECT_EQ(picture.Pixels(), std::vector<uint8_t>(23 * 17, value))
          << int(value) << " " << radius;
    }
  }
}

// Mirror images stay mirror images; a transposed picture need not, as the row pass truncates first.
TEST(BlurGray8, SingleBrightPixelSpreadsSymmetrically) {
  const int size = 31, middle = 15;
  const double radius = 2;
  const int n = MakeGaussKernel(radius).halfSize;
  TPicture picture(size, size, 0);
  picture.At(middle, middle) = 255;
  BlurGray8(picture.View(), radius);
  int total = 0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const uint8_t v = picture.At(x, y);
      EXPECT_EQ(v, picture.At(size - 1 - x, y));
      EXPECT_EQ(v, picture.At(x, size - 1 - y));
      if (std::abs(x - middle) > n || std::abs(y - middle) > n) {
        EXPECT_EQ(v, 0) << x << "," << y;
      }
      total += v;
    }
  }
  // Each of the two passes loses less than 1 per pixel to truncation.
  EXPECT_LE(total, 255);
  EXPECT_GE(total, 255 - 2 * (2 * n + 1) * (2 * n + 1));
  EXPECT_GT(picture.At(middle, middle), picture.At(middle + 1, middle));
}

TEST(BlurGray8, SingleDarkPixelOnWhiteStaysWithinTheKernel) {
  const double radius = 3;
  const int n = MakeGaussKernel(radius).halfSize;
  TPicture picture(40, 40, 255);
  picture.At(20, 20) = 0;
  BlurGray8(picture.View(), radius);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) {
      if (std::abs(x - 20) > n || std::abs(y - 20) > n) {
        EXPECT_EQ(picture.At(x, y), 255) << x << "," << y;
      }
    }
  }
  EXPECT_LT(picture.At(20, 20), 255);
}

TEST(BlurGray8, MatchesThePlainFilterOnRandomPictures) {
  std::mt19937 random(3);
  struct Case {
    int width, height, padding;
    bool bottomUp;
    double radius;
  };
  for (const Case& c :
       {Case{1, 1, 0, false, 2}, Case{1, 9, 3, false, 1.5}, Case{9, 1, 0, true, 4},
        Case{2, 2, 0, false, 10}, Case{37, 23, 1, true, 1.2}, Case{1500, 5, 4, false, 2.2},
        Case{5, 300, 0, false, 60}, Case{64, 64, 0, false, 0.7}}) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " radius " << c.radius);
    TPicture picture(c.width, c.height, 0, c.padding, c.bottomUp);
    for (uint8_t& byte : picture.memory) byte = uint8_t(random());
    const std::vector<uint8_t> padding(picture.memory.begin(), picture.memory.end());
    const auto expected = Reference(picture.Pixels(), c.width, c.height, c.radius);
    BlurGray8(picture.View(), c.radius);
    EXPECT_EQ(picture.Pixels(), expected);
    // Bytes past each row's end belong to the owner.
    for (int y = 0; y < c.height; ++y) {
      const size_t row = size_t(picture.Row(y) - picture.memory.data());
      for (int x = c.width; x < c.width + c.padding; ++x) {
        EXPECT_EQ(picture.memory[row + x], padding[row + x]);
      }
    }
  }
}

TEST(BlurGray8, PicturesWithoutPixelsAreLeftAlone) {
  TPicture picture(8, 8, 0);
  picture.At(3, 3) = 200;
  const auto before = picture.Pixels();
  BlurGray8({nullptr, 8, 8, 8}, 2);
  BlurGray8({picture.Row(0), 4, 8, 8}, 2);  // rows would overlap
  BlurGray8({picture.Row(0), 8, 0, 8}, 2);
  BlurGray8({picture.Row(0), 8, 8, -1}, 2);
  EXPECT_EQ(picture.Pixels(), before);
}

}  // namespace
