// The skinned button's layout: where picture and caption go for every alignment, with margins,
// on a split button, pressed, and without a picture.
#include <gtest/gtest.h>

#include "skin/controls/sButtonLayout.h"

namespace {

using enum TImageAlignment;

std::string Show(TRect r) {
  return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) +
         "," + std::to_string(r.Bottom);
}

}  // namespace

TEST(ButtonLayout, PictureAndCaptionForEveryAlignment) {
  struct Row {
    const char* what;
    int width, height;
    bool split, hasImage, pressed;
    TImageAlignment alignment;
    TImageMargins margins;
    int captionWidth;
    TRect image, caption;
  } rows[] = {
      // The main window's 113 x 39 buttons with 32 x 32 pictures and a 60 x 13 caption.
      {"left", 113, 39, false, true, false, iaLeft, {}, 60, {6, 3, 38, 35}, {38, 13, 107, 26}},
      {"split", 113, 39, true, true, false, iaLeft, {}, 60, {6, 3, 38, 35}, {38, 13, 91, 26}},
      {"pressed", 113, 39, false, true, true, iaLeft, {}, 60, {7, 4, 39, 36}, {39, 14, 108, 27}},
      {"split pressed",
       113,
       39,
       true,
       true,
       true,
       iaLeft,
       {},
       60,
       {7, 4, 39, 36},
       {39, 14, 92, 27}},
      {"no image", 113, 39, false, false, false, iaLeft, {}, 60, {}, {25, 13, 87, 26}},
      {"no image split", 113, 39, true, false, false, iaLeft, {}, 60, {}, {17, 13, 79, 26}},
      // A caption wider than the button: the halving truncates toward zero.
      {"too wide", 113, 39, false, false, false, iaLeft, {}, 120, {}, {-4, 13, 118, 26}},
      {"centre", 113, 39, false, true, false, iaCenter, {}, 60, {40, 3, 72, 35}, {25, 13, 87, 26}},
      {"right", 113, 39, false, true, false, iaRight, {}, 60, {75, 3, 107, 35}, {6, 13, 75, 26}},
      {"right split",
       113,
       39,
       true,
       true,
       false,
       iaRight,
       {},
       60,
       {59, 3, 91, 35},
       {6, 13, 59, 26}},
      {"top", 113, 80, false, true, false, iaTop, {}, 60, {40, 6, 72, 38}, {6, 52, 107, 65}},
      {"bottom", 113, 80, false, true, false, iaBottom, {}, 60, {40, 42, 72, 74}, {6, 14, 107, 27}},
      {"left margins",
       113,
       39,
       false,
       true,
       false,
       iaLeft,
       {2, 1, 3, 0},
       60,
       {8, 3, 40, 35},
       {43, 13, 107, 26}},
      {"right margins",
       113,
       39,
       false,
       true,
       false,
       iaRight,
       {2, 1, 3, 0},
       60,
       {72, 3, 104, 35},
       {6, 13, 70, 26}},
      {"top margins",
       113,
       80,
       false,
       true,
       false,
       iaTop,
       {2, 4, 3, 1},
       60,
       {40, 10, 72, 42},
       {6, 54, 107, 67}},
      {"bottom margins",
       113,
       80,
       false,
       true,
       false,
       iaBottom,
       {2, 4, 3, 1},
       60,
       {40, 41, 72, 73},
       {6, 14, 107, 27}},
  };
  for (const Row& r : rows) {
    TsButtonLayout l;
    l.Width = r.width;
    l.Height = r.height;
    l.Split = r.split;
    l.HasImage = r.hasImage;
    l.ImageWidth = l.ImageHeight = 32;
    l.Alignment = r.alignment;
    l.Margins = r.margins;
    l.CaptionWidth = r.captionWidth;
    l.CaptionHeight = 13;
    l.Pressed = r.pressed;
    EXPECT_EQ(Show(ButtonImageRect(l)), Show(r.image)) << r.what;
    EXPECT_EQ(Show(ButtonCaptionRect(l)), Show(r.caption)) << r.what;
    // The caption is measured in the width it is drawn in (a centred one may use all but the
    // margins).
    if (r.hasImage && r.alignment != iaCenter)
      EXPECT_EQ(ButtonCaptionRoom(l), r.caption.Right - r.caption.Left) << r.what;
    else
      EXPECT_EQ(ButtonCaptionRoom(l), l.ContentWidth() - 12) << r.what;
  }
}
