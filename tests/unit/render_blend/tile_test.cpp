// Tiling a block: both tilers against one block copy per tile, over tiles from one pixel wide up,
// destinations cut by the target and sources cut by their bitmap.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "BitmapCheck.h"
#include "skin/render/sDcHelpers.h"
#include "skin/render/sSliceCopy.h"
#include "skin/render/sSliceTile.h"

namespace {

using render_test::SameBitmap;

img::Bitmap32 Numbered(int width, int height, uint8_t alpha) {
  img::Bitmap32 b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b.Pixel(x, y) = {uint8_t(x), uint8_t(y), uint8_t(x ^ y), alpha};
  return b;
}

// Tiles laid one block copy at a time: whole tiles from dest's corner, the last ones cut.
void ReferenceTile(img::Bitmap32& target, TRect dest, const img::Bitmap32& source, TRect src) {
  for (int x = dest.Left; x < dest.Right; x += src.Width())
    for (int y = dest.Top; y < dest.Bottom; y += src.Height())
      CopyBlock(target, x, y, source,
                {src.Left, src.Top, src.Left + std::min(src.Width(), dest.Right - x),
                 src.Top + std::min(src.Height(), dest.Bottom - y)});
}

TEST(TileBlockTest, TilersMatchOneBlockCopyPerTile) {
  const img::Bitmap32 source = Numbered(20, 12, 200);
  const TRect sources[] = {{0, 0, 1, 1},    {3, 2, 5, 5},   {0, 0, 20, 12},
                           {17, 9, 24, 15}, {-2, -1, 3, 4}, {6, 1, 13, 11}};
  const TRect dests[] = {{0, 0, 40, 30}, {-7, -5, 33, 27}, {5, 3, 38, 29},
                         {2, 2, 4, 3},   {30, 20, 60, 50}, {-40, -40, -1, -1}};
  for (const TRect& src : sources)
    for (const TRect& dest : dests) {
      const std::string name = "tile_" + std::to_string(src.Left) + "_" + std::to_string(dest.Left);
      img::Bitmap32 expected = Numbered(40, 30, 9);
      ReferenceTile(expected, dest, source, src);
      img::Bitmap32 sliced = Numbered(40, 30, 9);
      TileBlock(sliced, dest, source, src, 0, TTileMix::Plain);
      ASSERT_TRUE(SameBitmap(sliced, expected, name));
      img::Bitmap32 helper = Numbered(40, 30, 9);
      TileBlock(helper, dest, source, src.Left, src.Top, src.Width(), src.Height());
      ASSERT_TRUE(SameBitmap(helper, expected, name));
    }
}

}  // namespace
