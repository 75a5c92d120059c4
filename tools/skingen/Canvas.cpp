#include "tools/skingen/Canvas.h"

#include <algorithm>
#include <cmath>

namespace skingen {

namespace {

float Clamp01(float v) {
  return std::clamp(v, 0.0f, 1.0f);
}

Rgba Over(Rgba dst, Rgba src) {
  float k = 1 - src.a;
  return {src.r + dst.r * k, src.g + dst.g * k, src.b + dst.b * k, src.a + dst.a * k};
}

// One horizontal box blur pass of radius r over rows; vertical passes transpose the indexing.
void BoxPass(std::vector<Rgba>& px, int count, int length, int stride, int step, int r) {
  std::vector<Rgba> line(length);
  for (int i = 0; i < count; ++i) {
    Rgba* base = px.data() + size_t(i) * stride;
    for (int j = 0; j < length; ++j) line[j] = base[size_t(j) * step];
    Rgba sum;
    auto add = [&](int j, float sign) {
      if (j < 0 || j >= length) return;
      sum.r += sign * line[j].r, sum.g += sign * line[j].g;
      sum.b += sign * line[j].b, sum.a += sign * line[j].a;
    };
    for (int j = -r; j <= r; ++j) add(j, 1);
    float n = float(2 * r + 1);
    for (int j = 0; j < length; ++j) {
      base[size_t(j) * step] = {sum.r / n, sum.g / n, sum.b / n, sum.a / n};
      add(j + r + 1, 1);
      add(j - r, -1);
    }
  }
}

}  // namespace

Rgba Premultiplied(Color c, float alpha) {
  return {c.r / 255.0f * alpha, c.g / 255.0f * alpha, c.b / 255.0f * alpha, alpha};
}

Shape RoundRect(float left, float top, float right, float bottom, float radius) {
  float cx = (left + right) / 2, cy = (top + bottom) / 2;
  float hx = (right - left) / 2, hy = (bottom - top) / 2;
  radius = std::min({radius, hx, hy});
  return [=](float x, float y) {
    float qx = std::abs(x - cx) - hx + radius, qy = std::abs(y - cy) - hy + radius;
    float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
  };
}

Shape Circle(float cx, float cy, float radius) {
  return [=](float x, float y) { return std::hypot(x - cx, y - cy) - radius; };
}

Shape Polyline(std::vector<float> points, float width) {
  return [points = std::move(points), half = width / 2](float x, float y) {
    float best = 1e9f;
    for (size_t i = 0; i + 3 < points.size(); i += 2) {
      float ax = points[i], ay = points[i + 1], bx = points[i + 2], by = points[i + 3];
      float dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy;
      float t = len2 > 0 ? Clamp01(((x - ax) * dx + (y - ay) * dy) / len2) : 0;
      best = std::min(best, std::hypot(x - ax - t * dx, y - ay - t * dy));
    }
    return best - half;
  };
}

Shape Outline(Shape shape, float width) {
  return [shape = std::move(shape), width](float x, float y) {
    float d = shape(x, y);
    return std::max(d, -d - width);
  };
}

Shape Union(Shape a, Shape b) {
  return
      [a = std::move(a), b = std::move(b)](float x, float y) { return std::min(a(x, y), b(x, y)); };
}

Shape Grow(Shape shape, float by) {
  return [shape = std::move(shape), by](float x, float y) { return shape(x, y) - by; };
}

Shape Subtract(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](float x, float y) {
    return std::max(a(x, y), -b(x, y));
  };
}

Paint Solid(Color c, float alpha) {
  Rgba p = Premultiplied(c, alpha);
  return [p](float, float) { return p; };
}

Paint VerticalStops(std::vector<std::pair<float, Color>> stops, float y0, float y1, float alpha) {
  return [stops = std::move(stops), y0, y1, alpha](float, float y) {
    float t = y1 > y0 ? Clamp01((y - y0) / (y1 - y0)) : 0;
    size_t i = 1;
    while (i + 1 < stops.size() && t > stops[i].first) ++i;
    const auto& [p0, c0] = stops[i - 1];
    const auto& [p1, c1] = stops[i];
    float f = p1 > p0 ? Clamp01((t - p0) / (p1 - p0)) : 1;
    return Premultiplied(Mix(c0, c1, f), alpha);
  };
}

Paint Fade(Color c, float alpha0, float alpha1, float y0, float y1) {
  return [=](float, float y) {
    float t = y1 > y0 ? Clamp01((y - y0) / (y1 - y0)) : 0;
    return Premultiplied(c, alpha0 + (alpha1 - alpha0) * t);
  };
}

void Layer::Fill(const Shape& shape, const Paint& paint) {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      float px = x + 0.5f, py = y + 0.5f;
      float coverage = Clamp01(0.5f - shape(px, py));
      if (coverage <= 0) continue;
      Rgba src = paint(px, py);
      src = {src.r * coverage, src.g * coverage, src.b * coverage, src.a * coverage};
      At(x, y) = Over(At(x, y), src);
    }
}

void Layer::Draw(const Layer& other, int x, int y, float opacity) {
  for (int j = std::max(0, -y); j < other.height_ && y + j < height_; ++j)
    for (int i = std::max(0, -x); i < other.width_ && x + i < width_; ++i) {
      Rgba s = other.At(i, j);
      s = {s.r * opacity, s.g * opacity, s.b * opacity, s.a * opacity};
      At(x + i, y + j) = Over(At(x + i, y + j), s);
    }
}

void Layer::Blur(int radius) {
  if (radius <= 0) return;
  for (int pass = 0; pass < 3; ++pass) {
    BoxPass(pixels_, height_, width_, width_, 1, radius);
    BoxPass(pixels_, width_, height_, 1, width_, radius);
  }
}

void Layer::Veil(const Shape& shape) {
  const Rgba faint = Premultiplied(Color{128, 128, 128}, 1.0f / 255);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      if (At(x, y).a < faint.a && shape(x + 0.5f, y + 0.5f) <= 0) At(x, y) = faint;
}

void Layer::Scale(float f) {
  for (Rgba& p : pixels_) p = {p.r * f, p.g * f, p.b * f, p.a * f};
}

img::Bitmap32 Layer::ToBitmap() const {
  img::Bitmap32 bmp(width_, height_);
  auto channel = [](float v, float a) {
    return static_cast<uint8_t>(std::lround(Clamp01(a > 0 ? v / a : 0) * 255));
  };
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      const Rgba& p = At(x, y);
      bmp.Pixel(x, y) = {channel(p.b, p.a), channel(p.g, p.a), channel(p.r, p.a),
                         static_cast<uint8_t>(std::lround(Clamp01(p.a) * 255))};
    }
  return bmp;
}

}  // namespace skingen
