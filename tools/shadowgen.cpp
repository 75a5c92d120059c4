// Draws the program's built-in window shadows: two symmetric 19 x 19 pictures of black with a
// soft falling alpha, for an active and an inactive form, cut by the border window at
// (width - 1) div 2 so that the 9-pixel sides and corners lie around the form and the middle
// pixel spans its inner edge. The pictures are stored beside the program's resources; run this
// again only to change their look:
//   shadowgen app/resources/shadow-active.png app/resources/shadow-inactive.png
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "imaging/PngWriter.h"

namespace {

constexpr int kMargin = 9;
constexpr int kSize = 2 * kMargin + 1;

// Alpha falls with the square of the distance from the form's edge; the corners round off.
img::Bitmap32 Shadow(double strength) {
  img::Bitmap32 picture(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      double d = std::hypot(x - kMargin, y - kMargin);
      double rest = std::clamp(1 - d / (kMargin + 1), 0.0, 1.0);
      picture.Pixel(x, y) = {0, 0, 0, uint8_t(std::lround(255 * strength * rest * rest))};
    }
  return picture;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: shadowgen ACTIVE.png INACTIVE.png\n");
    return 2;
  }
  img::SavePng(argv[1], Shadow(0.42));
  img::SavePng(argv[2], Shadow(0.22));
  return 0;
}
