// A small vector drawing library for skin pictures: shapes are signed distance functions,
// coverage is taken at pixel centres (antialiased by the distance), and layers hold
// premultiplied colour so that shapes, highlights and shadows compose with "over".
#pragma once

#include <functional>
#include <vector>

#include "imaging/Bitmap32.h"
#include "tools/skingen/Color.h"

namespace skingen {

// Premultiplied colour, each channel 0..1.
struct Rgba {
  float r = 0, g = 0, b = 0, a = 0;
};

Rgba Premultiplied(Color c, float alpha = 1);

// Distance from a point to a shape's outline: negative inside.
using Shape = std::function<float(float x, float y)>;
// The straight colour and opacity at a point.
using Paint = std::function<Rgba(float x, float y)>;

Shape RoundRect(float left, float top, float right, float bottom, float radius);
Shape Circle(float cx, float cy, float radius);
// A stroke of the given width along straight segments through the points (x0, y0, x1, y1, ...).
Shape Polyline(std::vector<float> points, float width);
// The band of the given width just inside a shape's outline.
Shape Outline(Shape shape, float width);
Shape Union(Shape a, Shape b);
// The shape grown by a distance on every side.
Shape Grow(Shape shape, float by);
Shape Subtract(Shape a, Shape b);

Paint Solid(Color c, float alpha = 1);
// Bands of colour stops at relative heights of [y0, y1]: {position 0..1, colour} pairs.
Paint VerticalStops(std::vector<std::pair<float, Color>> stops, float y0, float y1,
                    float alpha = 1);
// Opacity that fades from alpha0 at y0 to alpha1 at y1, in one colour.
Paint Fade(Color c, float alpha0, float alpha1, float y0, float y1);

class Layer {
 public:
  Layer(int width, int height) : width_(width), height_(height), pixels_(size_t(width) * height) {}
  int Width() const { return width_; }
  int Height() const { return height_; }
  Rgba& At(int x, int y) { return pixels_[size_t(y) * width_ + x]; }
  const Rgba& At(int x, int y) const { return pixels_[size_t(y) * width_ + x]; }

  // Paints the shape over what is there.
  void Fill(const Shape& shape, const Paint& paint);
  // Composes another layer over this one with its top-left at (x, y).
  void Draw(const Layer& other, int x, int y, float opacity = 1);
  // Three box blurs of the given radius: close to a Gaussian soft edge.
  void Blur(int radius);
  // Gives the fully transparent pixels inside the shape the least opacity there is. Skins keep
  // such pixels as see-through picture; only pixels left fully transparent become the key
  // colour, which must lie outside a control's outline: there the painters show the parent.
  void Veil(const Shape& shape);
  // Every pixel's opacity times f (colour stays premultiplied).
  void Scale(float f);

  // Straight 8-bit colour with alpha, the form PNG files and the packers take.
  img::Bitmap32 ToBitmap() const;

 private:
  int width_, height_;
  std::vector<Rgba> pixels_;
};

}  // namespace skingen
