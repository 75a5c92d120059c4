#include "tools/skingen/Glyphs.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace skingen {

namespace {

// The unit direction a glyph points to, and its perpendicular.
void Axes(Direction d, float& fx, float& fy) {
  fx = d == Direction::Left ? -1.0f : d == Direction::Right ? 1.0f : 0.0f;
  fy = d == Direction::Up ? -1.0f : d == Direction::Down ? 1.0f : 0.0f;
}

Shape Square(float left, float top, float size, float w) {
  return Union(Outline(RoundRect(left, top, left + size, top + size, 0.5f), w),
               RoundRect(left, top, left + size, top + std::max(w * 1.8f, 2.0f), 0.5f));
}

}  // namespace

Shape CloseGlyph(float cx, float cy, float s, float w) {
  return Union(Polyline({cx - s, cy - s, cx + s, cy + s}, w),
               Polyline({cx + s, cy - s, cx - s, cy + s}, w));
}

Shape MaximiseGlyph(float cx, float cy, float s, float w) {
  return Square(cx - s, cy - s, 2 * s, w);
}

Shape RestoreGlyph(float cx, float cy, float s, float w) {
  float size = 1.45f * s, shift = 2 * s - size;
  Shape front = Square(cx - s, cy - s + shift, size, w);
  Shape back = Square(cx - s + shift, cy - s, size, w);
  Shape frontArea =
      RoundRect(cx - s - w, cy - s + shift - w, cx - s + size + w, cy - s + shift + size + w, 0.5f);
  return Union(front, Subtract(back, frontArea));
}

Shape MinimiseGlyph(float cx, float cy, float s, float w) {
  float y = cy + s * 0.55f;
  return Polyline({cx - s, y, cx + s, y}, w * 1.2f);
}

Shape HelpGlyph(float cx, float cy, float s, float w) {
  // The hook: an arc over the top that turns down into the stem.
  std::vector<float> points;
  float r = s * 0.55f, acy = cy - s * 0.38f;
  for (int i = 0; i <= 12; ++i) {
    float angle = std::numbers::pi_v<float> * (1.0f + 1.35f * i / 12);
    points.push_back(cx + r * std::cos(angle));
    points.push_back(acy + r * std::sin(angle));
  }
  points.insert(points.end(), {cx, cy + s * 0.05f, cx, cy + s * 0.3f});
  return Union(Polyline(std::move(points), w), Circle(cx, cy + s * 0.8f, w * 0.75f));
}

Shape CheckGlyph(float cx, float cy, float s, float w) {
  return Polyline({cx - s, cy + s * 0.05f, cx - s * 0.3f, cy + s * 0.7f, cx + s, cy - s * 0.7f}, w);
}

Shape DashGlyph(float cx, float cy, float s, float w) {
  return Polyline({cx - s * 0.7f, cy, cx + s * 0.7f, cy}, w);
}

Shape DotGlyph(float cx, float cy, float s) {
  return Circle(cx, cy, s);
}

Shape ChevronGlyph(float cx, float cy, float s, float w, Direction d) {
  float fx, fy;
  Axes(d, fx, fy);
  float px = -fy, py = fx, h = s * 0.5f;
  return Polyline({cx - fx * h + px * s, cy - fy * h + py * s, cx + fx * h, cy + fy * h,
                   cx - fx * h - px * s, cy - fy * h - py * s},
                  w);
}

Shape TriangleGlyph(float cx, float cy, float s, Direction d) {
  float fx, fy;
  Axes(d, fx, fy);
  float px = -fy, py = fx, h = s * 0.55f;
  float ax = cx + fx * h, ay = cy + fy * h;                    // tip
  float bx = cx - fx * h + px * s, by = cy - fy * h + py * s;  // base ends
  float qx = cx - fx * h - px * s, qy = cy - fy * h - py * s;
  return [=](float x, float y) {
    // Distance to a convex triangle: the largest signed distance to its three edges.
    auto edge = [&](float x0, float y0, float x1, float y1) {
      float ex = x1 - x0, ey = y1 - y0, len = std::hypot(ex, ey);
      return ((x - x0) * ey - (y - y0) * ex) / len;
    };
    // Inside lies on the same side of all three edges; orient them so that side is negative.
    float sign = (bx - ax) * (qy - ay) - (by - ay) * (qx - ax) > 0 ? 1.0f : -1.0f;
    return std::max(
        {sign * edge(ax, ay, bx, by), sign * edge(bx, by, qx, qy), sign * edge(qx, qy, ax, ay)});
  };
}

Shape SizeGripGlyph(float cx, float cy, float s) {
  float step = s * 0.8f, r = std::max(0.9f, s * 0.22f);
  Shape dots;
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col) {
      if (row + col < 2) continue;
      Shape dot = Circle(cx + (col - 1) * step, cy + (row - 1) * step, r);
      dots = dots ? Union(std::move(dots), std::move(dot)) : std::move(dot);
    }
  return dots;
}

Shape GripBarsGlyph(float cx, float cy, float s, float w, bool vertical) {
  Shape bars;
  for (int i = -1; i <= 1; ++i) {
    float o = i * (w + 1.5f);
    Shape bar = vertical ? Polyline({cx + o, cy - s, cx + o, cy + s}, w)
                         : Polyline({cx - s, cy + o, cx + s, cy + o}, w);
    bars = bars ? Union(std::move(bars), std::move(bar)) : std::move(bar);
  }
  return bars;
}

}  // namespace skingen
