// The pixel side of text in pictures whose alpha matters: a text mask and a glow composed in a
// colour with worked numbers, the dotted focus frame pixel by pixel, and a text cut to a width.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "BitmapCheck.h"
#include "skin/render/sTextCompose.h"

namespace {

using img::TRGBAPixel;
using render_test::Filled;

TEST(TextComposeTest, TheMaskMovesEachChannelByItsOwnCoverageAndMakesItOpaque) {
  // Red (0x0000FF) over a pixel {B 100, G 50, R 200, A 7}; mask channels are 255 where the text
  // does not cover.
  const TRGBAPixel under{100, 50, 200, 7};
  struct Row {
    const char* what;
    TRGBAPixel mask, expected;
  } rows[] = {
      {"no coverage", {255, 255, 255, 0}, under},
      {"no coverage, opaque white", {255, 255, 255, 255}, under},
      {"full coverage", {0, 0, 0, 0}, {0, 0, 255, 255}},
      // B: 100 * 128 >> 8; G: 0; R: ((200 - 255) * 255 + 255 * 256) >> 8 = 200.
      {"per channel", {128, 0, 255, 0}, {50, 0, 200, 255}},
      // Any coverage composes the whole pixel: 255 takes the channel 255/256 of the way.
      {"one channel only", {255, 255, 254, 0}, {99, 49, 200, 255}},
  };
  for (const Row& r : rows) {
    img::Bitmap32 target = Filled(1, 1, under);
    ComposeTextMask(target, 0, 0, Filled(1, 1, r.mask), 0x0000FF);
    EXPECT_EQ(target.Pixel(0, 0), r.expected) << r.what;
  }

  // A mask reaching past every edge of the target lands only where the target is.
  img::Bitmap32 mask = Filled(3, 3, {0, 0, 0, 0});
  for (auto [left, top] : {std::pair{-2, -2}, {1, 1}, {-2, 1}, {1, -2}}) {
    img::Bitmap32 target = Filled(2, 2, under);
    ComposeTextMask(target, left, top, mask, 0x0000FF);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 2; ++x) {
        const bool covered = x - left <= 2 && y - top <= 2 && x >= left && y >= top;
        EXPECT_EQ(target.Pixel(x, y), covered ? TRGBAPixel({0, 0, 255, 255}) : under)
            << left << "," << top << " at " << x << "," << y;
      }
  }
}

TEST(TextComposeTest, TheGlowTintsTowardsItsColourAndRaisesAlphaTruncatingTowardsZero) {
  const TRGBAPixel under{100, 50, 200, 100};
  struct Row {
    uint8_t glow;
    TRGBAPixel expected;
  } rows[] = {
      {255, under},               // no glow
      {0, {0, 0, 255, 255}},      // full glow: the colour, opaque
      {128, {50, 25, 228, 177}},  // R: 255 + (-55 * 128 / 255 = -27.6 -> -27); A: 100 + 77
      {254, {99, 49, 201, 100}},  // R: 255 - 54.8 -> 201; A: 155 / 255 -> 0
  };
  for (const Row& r : rows) {
    img::Bitmap32 target = Filled(1, 1, under);
    ComposeGlow(target, 0, 0, {1, 1, {r.glow}}, 0x0000FF);
    EXPECT_EQ(target.Pixel(0, 0), r.expected) << int(r.glow);
  }

  // Placed one up and one left of a 2 x 2 target, a 2 x 2 glow (rows 0 10 / 20 255) reaches only
  // the target's first pixel, with its last, unglowing, pixel.
  img::Bitmap32 target = Filled(2, 2, under);
  ComposeGlow(target, -1, -1, {2, 2, {0, 10, 20, 255}}, 0x0000FF);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(target.Pixel(x, y), under) << x << "," << y;
  ComposeGlow(target, 1, 1, {2, 2, {0, 10, 20, 255}}, 0x0000FF);
  EXPECT_EQ(target.Pixel(1, 1), (TRGBAPixel{0, 0, 255, 255}));
  EXPECT_EQ(target.Pixel(0, 1), under);
  EXPECT_EQ(target.Pixel(1, 0), under);
}

TEST(TextComposeTest, TheFocusFrameDotsEveryThirdPixelWithTheSecondColourBeforeIt) {
  // A 7 x 5 frame at (1, 1) of a 9 x 7 picture: D dot, S second colour, . untouched.
  const std::vector<std::string> expected = {
      ".S.....S.", "SD.SD.SD.", ".........", ".S.....S.", ".D.....D.", "SD.SD.SD.", ".........",
  };
  const TRGBAPixel back{9, 9, 9, 9}, dot{0, 0, 0, 255}, second{10, 20, 30, 255};
  img::Bitmap32 target = Filled(9, 7, back);
  PaintFocusFrame(target, {1, 1, 8, 6}, 0x0A141E, 0x000000);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x) {
      const char c = expected[size_t(y)][size_t(x)];
      EXPECT_EQ(target.Pixel(x, y), c == 'D' ? dot : c == 'S' ? second : back) << x << "," << y;
    }
  // A frame at the picture's corner leaves out the second colour that would fall outside it.
  img::Bitmap32 corner = Filled(4, 4, back);
  PaintFocusFrame(corner, {0, 0, 4, 4}, 0x0A141E, 0x000000);
  EXPECT_EQ(corner.Pixel(0, 0), dot);
  EXPECT_EQ(corner.Pixel(3, 3), dot);
  EXPECT_EQ(corner.Pixel(2, 0), second);
}

TEST(TextComposeTest, CuttingATextToAWidthKeepsWhatFitsWithTheEllipsis) {
  // Every character, dots included, is 5 pixels wide: "..." takes 15.
  const auto measure = [](const std::string& s) { return int(s.size()) * 5; };
  struct Row {
    std::string text;
    int width;
    std::string expected;
  } rows[] = {
      {"abcdef", 30, "abcdef"},  // fits exactly: not cut
      {"abcdef", 31, "abcdef"},
      {"abcdef", 29, "ab..."},  // two letters and the ellipsis fit, three
                                // do not
      {"abcdef", 25, "ab..."},  // exactly two letters and the ellipsis
      {"abcdef", 24, "a..."},
      {"abcdef", 20, "a..."},
      {"abcdef", 19, ""},  // not one letter with
                           // the ellipsis: no
                           // lone "..."
      {"abcdef", 0, ""},
      {"abcdef", -5, ""},
      {"", 10, ""},
      {"ab", 10, "ab"},
  };
  for (const Row& r : rows)
    EXPECT_EQ(CutTextToWidth(r.text, r.width, measure), r.expected) << r.text << " in " << r.width;
}

}  // namespace
