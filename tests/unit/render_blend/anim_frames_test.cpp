// Window animation frames: the alphas of shows, dialog shows, hides and skin changes, the zoom
// rectangles, and the frame buffers made from them.
#include <gtest/gtest.h>

#include <vector>

#include "skin/render/sAnimFrames.h"

namespace {

std::vector<int> Alphas(const std::vector<TsAnimFrame>& frames) {
  std::vector<int> alphas;
  for (const TsAnimFrame& f : frames) alphas.push_back(f.Alpha);
  return alphas;
}

TEST(AnimFramesTest, AlphaSequences) {
  struct Case {
    const char* name;
    std::vector<TsAnimFrame> frames;
    std::vector<int> alphas;
  } cases[] = {
      {"show 70 ms",
       ShowFrames(70, 255, false, TsAnimKind::Form, 10, 10),
       {51, 102, 153, 204, 255, 255}},
      // Steps of 42.5: halves go to the even neighbour.
      {"dialog 70 ms",
       ShowFrames(70, 255, false, TsAnimKind::Dialog, 10, 10),
       {42, 85, 128, 170, 212, 255}},
      {"show to a form's own alpha",
       ShowFrames(36, 200, true, TsAnimKind::Form, 10, 10),
       {67, 133, 200, 200}},
      {"show 11 ms", ShowFrames(11, 255, false, TsAnimKind::Form, 10, 10), {}},
      {"negative time", ShowFrames(-24, 255, false, TsAnimKind::Form, 10, 10), {}},
      {"hide 60 ms", HideFrames(60, 255, false, 10, 10), {204, 153, 102, 51, 0, 0}},
      {"hide 11 ms", HideFrames(11, 255, true, 10, 10), {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Alphas(c.frames), c.alphas) << c.name;
}

TEST(AnimFramesTest, ZoomRectanglesGrowAboutTheCentreToTheWholePicture) {
  std::vector<TsAnimFrame> show = ShowFrames(60, 255, true, TsAnimKind::Form, 400, 240);
  ASSERT_EQ(show.size(), 6u);
  for (int k = 0; k < 6; ++k) {
    TRect expected{50 - 10 * k, 30 - 6 * k, 350 + 10 * k, 210 + 6 * k};
    EXPECT_EQ(show[k].Rect, expected) << k;
  }
  EXPECT_EQ(show[0].Fill, TsFrameFill::ClearAndStretch);
  EXPECT_EQ(show[4].Fill, TsFrameFill::Stretch);
  // The hide runs the mirror image and clears every frame, ending at three quarters.
  std::vector<TsAnimFrame> hide = HideFrames(60, 255, true, 400, 240);
  ASSERT_EQ(hide.size(), 6u);
  EXPECT_EQ(hide[0].Rect, (TRect{0, 0, 400, 240}));
  EXPECT_EQ(hide[5].Rect, (TRect{50, 30, 350, 210}));
  for (const TsAnimFrame& f : hide) EXPECT_EQ(f.Fill, TsFrameFill::ClearAndStretch);
  // Fades copy the picture once and then change only the alpha.
  std::vector<TsAnimFrame> fade = ShowFrames(36, 255, false, TsAnimKind::Form, 400, 240);
  EXPECT_EQ(fade[0].Fill, TsFrameFill::Copy);
  EXPECT_EQ(fade[1].Fill, TsFrameFill::Keep);
}

TEST(AnimFramesTest, SkinChangeKeepsTheOldLookUntilTheNewOneIsPastTwoThirds) {
  std::vector<TsAnimFrame> frames = ShowFrames(120, 255, false, TsAnimKind::Form, 10, 10);
  ASSERT_EQ(frames.size(), 11u);
  for (const TsAnimFrame& f : frames)
    EXPECT_EQ(OldLookAlpha(255, f.Alpha) == 255, f.Alpha <= 170) << int(f.Alpha);
  EXPECT_EQ(OldLookAlpha(255, 178), 231);
  EXPECT_EQ(OldLookAlpha(255, 255), 0);
  // Without layered windows: the old look's weight per frame, and the final look at once when
  // there is no time for a fade.
  EXPECT_EQ(CrossFadeWeight(0, 8), 255);
  EXPECT_EQ(CrossFadeWeight(3, 8), 162);
  EXPECT_EQ(CrossFadeWeight(8, 8), 7);
  EXPECT_EQ(CrossFadeWeight(0, 0), 0);
  EXPECT_EQ(CrossFadeWeight(5, 0), 0);
}

TEST(AnimFramesTest, FrameBuffersStretchOverAClearedBufferOrCopy) {
  // A 4 x 2 picture of distinct pixels.
  img::Bitmap32 picture(4, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) picture.Pixel(x, y) = {uint8_t(x), uint8_t(y), 9, 255};
  img::Bitmap32 buffer(4, 2);
  buffer.Fill({1, 1, 1, 1});
  PrepareFrame(picture, buffer, {0, TsFrameFill::ClearAndStretch, {1, 0, 3, 1}});
  // Two columns and one row: source columns 0 and 2, row 0; the rest cleared.
  EXPECT_EQ(buffer.Pixel(0, 0), (img::TRGBAPixel{0, 0, 0, 0}));
  EXPECT_EQ(buffer.Pixel(1, 0), (img::TRGBAPixel{0, 0, 9, 255}));
  EXPECT_EQ(buffer.Pixel(2, 0), (img::TRGBAPixel{2, 0, 9, 255}));
  EXPECT_EQ(buffer.Pixel(2, 1), (img::TRGBAPixel{0, 0, 0, 0}));
  // A larger frame covers the smaller one; a rectangle past the buffer is clipped.
  PrepareFrame(picture, buffer, {0, TsFrameFill::Stretch, {-1, 0, 4, 2}});
  EXPECT_EQ(buffer.Pixel(0, 1), (img::TRGBAPixel{0, 1, 9, 255}));
  EXPECT_EQ(buffer.Pixel(3, 1), (img::TRGBAPixel{3, 1, 9, 255}));
  img::Bitmap32 copy(4, 2);
  PrepareFrame(picture, copy, {0, TsFrameFill::Copy, {}});
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(copy.Pixel(x, y), picture.Pixel(x, y));
  // A buffer of another size is left alone.
  img::Bitmap32 other(2, 2);
  PrepareFrame(picture, other, {0, TsFrameFill::Copy, {}});
  EXPECT_EQ(other.Pixel(1, 1), (img::TRGBAPixel{0, 0, 0, 0}));
}

}  // namespace
