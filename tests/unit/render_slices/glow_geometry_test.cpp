#include <gtest/gtest.h>

#include "skin/render/sGlowGeometry.h"

namespace {

struct GlowCase {
  const char* what;
  TRect visible;  // relative to a 100 x 30 control at (200, 300)
  TRect margins;
  int inset;
  TRect window;  // expected, screen coordinates
  int cropLeft, cropTop;
};

TEST(GlowGeometryTest, SizesPlacesAndCropsToTheVisiblePart) {
  const TRect control{200, 300, 300, 330};
  const TRect borders{18, 18, 18, 18};
  const GlowCase cases[] = {
      {"fully visible: 116 x 46, 8 left of and above",
       {0, 0, 100, 30},
       borders,
       10,
       {192, 292, 308, 338},
       0,
       0},
      {"left 20 clipped: cut by 18 + 20 - 10",
       {20, 0, 100, 30},
       borders,
       10,
       {220, 292, 308, 338},
       28,
       0},
      {"right 20 clipped", {0, 0, 80, 30}, borders, 10, {192, 292, 280, 338}, 0, 0},
      {"top 5 and bottom 5 clipped", {0, 5, 100, 25}, borders, 10, {192, 305, 308, 325}, 0, 13},
      {"both sides clipped: only the visible width",
       {20, 0, 80, 30},
       borders,
       10,
       {220, 292, 280, 338},
       28,
       0},
      {"uneven margins, no inset", {0, 0, 100, 30}, {4, 6, 8, 10}, 0, {196, 294, 308, 340}, 0, 0},
      {"nothing visible", {0, 0, 0, 0}, borders, 10, {}, 0, 0},
      {"inset deeper than the margins on a tiny control",
       {0, 0, 100, 30},
       {2, 2, 2, 2},
       20,
       {},
       0,
       0},
  };
  for (const GlowCase& c : cases) {
    SCOPED_TRACE(c.what);
    const TsGlowPlacement p = GlowPlacement(control, c.visible, c.margins, c.inset);
    EXPECT_EQ(p.Window, c.window);
    if (c.window.Width() == 0) continue;
    EXPECT_EQ(p.CropLeft, c.cropLeft);
    EXPECT_EQ(p.CropTop, c.cropTop);
    // The shown part lies inside the whole picture.
    EXPECT_LE(p.CropLeft + p.Window.Width(), p.FullWidth);
    EXPECT_LE(p.CropTop + p.Window.Height(), p.FullHeight);
  }
}

}  // namespace
