// Without the system's fill: a plain rasteriser. A pixel belongs to a triangle when its centre
// lies inside or on an edge; its colour is the vertices' colours weighted by the centre's
// barycentric coordinates, rounded to nearest, then the high byte of each 16-bit channel.
#include <algorithm>
#include <cmath>

#include "platform/GradientFill.h"

namespace platform {
namespace {

uint8_t Channel(double w0, double w1, double w2, uint16_t c0, uint16_t c1, uint16_t c2) {
  double v = std::nearbyint(w0 * c0 + w1 * c1 + w2 * c2);
  return static_cast<uint8_t>(int(std::clamp(v, 0.0, 65535.0)) >> 8);
}

void FillTriangle(img::Bitmap32& target, const TGradientVertex& a, const TGradientVertex& b,
                  const TGradientVertex& c) {
  const double area = double(b.X - a.X) * (c.Y - a.Y) - double(c.X - a.X) * (b.Y - a.Y);
  if (area == 0) return;
  const int left = std::max(0, std::min({a.X, b.X, c.X}));
  const int right = std::min(target.Width(), std::max({a.X, b.X, c.X}) + 1);
  const int top = std::max(0, std::min({a.Y, b.Y, c.Y}));
  const int bottom = std::min(target.Height(), std::max({a.Y, b.Y, c.Y}) + 1);
  auto edge = [](const TGradientVertex& p, const TGradientVertex& q, double x, double y) {
    return (q.X - p.X) * (y - p.Y) - (q.Y - p.Y) * (x - p.X);
  };
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      const double w0 = edge(b, c, px, py) / area, w1 = edge(c, a, px, py) / area,
                   w2 = edge(a, b, px, py) / area;
      if (w0 < 0 || w1 < 0 || w2 < 0) continue;
      target.Pixel(x, y) = {Channel(w0, w1, w2, a.Blue, b.Blue, c.Blue),
                            Channel(w0, w1, w2, a.Green, b.Green, c.Green),
                            Channel(w0, w1, w2, a.Red, b.Red, c.Red),
                            Channel(w0, w1, w2, a.Alpha, b.Alpha, c.Alpha)};
    }
}

class SoftwareGradientFill final : public GradientFill {
 public:
  bool Triangles(img::Bitmap32& target, std::span<const TGradientVertex> vertices,
                 std::span<const TGradientTriangle> triangles) override {
    for (const TGradientTriangle& t : triangles)
      if (t.V1 < vertices.size() && t.V2 < vertices.size() && t.V3 < vertices.size())
        FillTriangle(target, vertices[t.V1], vertices[t.V2], vertices[t.V3]);
    return true;
  }
};

}  // namespace

GradientFill& GradientFill::Default() {
  static SoftwareGradientFill fill;
  return fill;
}

}  // namespace platform
