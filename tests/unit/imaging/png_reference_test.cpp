// Our decoder against libpng, pixel for pixel, over every header combination, both interlace
// methods and every filter choice, and over the public PngSuite images.
#include <png.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "LibpngCodec.h"
#include "imaging/vePNG.h"

namespace img {
namespace {

using test::Bytes;

struct Combination {
  int colorType;
  int bitDepth;
};
constexpr Combination kCombinations[] = {{0, 1}, {0, 2},  {0, 4},  {0, 8}, {0, 16},
                                         {2, 8}, {2, 16}, {3, 1},  {3, 2}, {3, 4},
                                         {3, 8}, {4, 8},  {4, 16}, {6, 8}, {6, 16}};
constexpr int kFilterChoices[] = {PNG_FILTER_NONE, PNG_FILTER_SUB,   PNG_FILTER_UP,
                                  PNG_FILTER_AVG,  PNG_FILTER_PAETH, PNG_ALL_FILTERS};

void ExpectSameAsLibpng(const Bytes& file, const std::string& what) {
  const RGBAImage expected = test::ExpectedRGBA(test::ReadPng(file));
  TPNGGraphic png;
  png.LoadFromMemory(file);
  const RGBAImage ours = ToRGBA(png.Image());
  ASSERT_EQ(ours.width, expected.width) << what;
  ASSERT_EQ(ours.height, expected.height) << what;
  for (size_t i = 0; i < ours.bytes.size(); ++i)
    ASSERT_EQ(ours.bytes[i], expected.bytes[i]) << what << ": pixel " << i / 4 % ours.width << ","
                                                << i / 4 / ours.width << " channel " << i % 4;
}

TEST(PngReference, EveryCombinationInterlaceAndFilter) {
  int count = 0;
  for (const Combination& c : kCombinations)
    for (bool interlaced : {false, true})
      for (int filters : kFilterChoices)
        for (auto [w, h] : {std::pair{37, 29}, {1, 1}, {3, 9}, {9, 2}}) {
          test::ImageSpec shape;
          shape.width = w, shape.height = h;
          shape.colorType = c.colorType, shape.bitDepth = c.bitDepth;
          shape.interlaced = interlaced;
          shape.filters = filters;
          shape.seed = uint32_t(++count);
          // Half the images carry a gamma and a tRNS chunk as well.
          if (count % 2) shape.gamma = 100000, shape.transparency = true;
          if (count % 3 == 0) shape.content = test::Content::Smooth;
          ExpectSameAsLibpng(test::WritePng(shape),
                             "type " + std::to_string(c.colorType) + " depth " +
                                 std::to_string(c.bitDepth) + (interlaced ? " interlaced" : "") +
                                 " filters " + std::to_string(filters) + " size " +
                                 std::to_string(w) + "x" + std::to_string(h));
        }
}

TEST(PngReference, ImagesLargerThanOneInflateSlice) {
  for (const Combination c : {Combination{6, 16}, {2, 8}, {3, 1}, {0, 16}})
    for (bool interlaced : {false, true}) {
      test::ImageSpec shape;
      shape.width = 700, shape.height = 300;
      shape.colorType = c.colorType, shape.bitDepth = c.bitDepth;
      shape.interlaced = interlaced;
      shape.content = test::Content::Smooth;
      ExpectSameAsLibpng(test::WritePng(shape), "large type " + std::to_string(c.colorType) +
                                                    (interlaced ? " interlaced" : ""));
    }
}

TEST(PngReference, PaletteTransparencyMatchesLibpng) {
  test::ImageSpec shape;
  shape.colorType = 3, shape.bitDepth = 4, shape.transparency = true;
  const Bytes file = test::WritePng(shape);
  TPNGGraphic png;
  png.LoadFromMemory(file);
  const Bytes alpha = test::ReadPng(file).paletteAlpha;
  const Transparency& t = png.Image().transparency;
  ASSERT_TRUE(t.hasPaletteAlpha);
  for (size_t i = 0; i < 256; ++i)
    EXPECT_EQ(t.paletteAlpha[i], i < alpha.size() ? alpha[i] : 255) << i;
}

TEST(PngReference, PngSuite) {
  const std::filesystem::path dir = DK_PNGSUITE_DIR;
  if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << "no PngSuite at " << dir;
  int count = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
    if (entry.path().extension() != ".png") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const Bytes file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ExpectSameAsLibpng(file, entry.path().filename().string());
    ++count;
  }
  EXPECT_GT(count, 50);
}

}  // namespace
}  // namespace img
