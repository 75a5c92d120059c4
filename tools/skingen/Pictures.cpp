#include "tools/skingen/Pictures.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace skingen {

namespace {

uint32_t Hash(uint32_t x, uint32_t y, uint32_t seed) {
  uint32_t h = x * 0x8DA6B343u ^ y * 0xD8163841u ^ seed * 0xCB1AB31Fu;
  h ^= h >> 13;
  h *= 0x5BD1E995u;
  h ^= h >> 15;
  return h;
}

// Value noise on a lattice that repeats every cellsX x cellsY cells, so that tiles are seamless.
float PeriodicNoise(float x, float y, int cellSize, int cellsX, int cellsY, uint32_t seed) {
  float fx = x / cellSize, fy = y / cellSize;
  int ix = int(std::floor(fx)), iy = int(std::floor(fy));
  float tx = fx - ix, ty = fy - iy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  auto at = [&](int cx, int cy) {
    uint32_t wx = uint32_t((cx % cellsX + cellsX) % cellsX);
    uint32_t wy = uint32_t((cy % cellsY + cellsY) % cellsY);
    return (Hash(wx, wy, seed) & 0xFFFF) / 65535.0f;
  };
  float top = at(ix, iy) + (at(ix + 1, iy) - at(ix, iy)) * tx;
  float bottom = at(ix, iy + 1) + (at(ix + 1, iy + 1) - at(ix, iy + 1)) * tx;
  return top + (bottom - top) * ty;
}

Color Offset(Color base, float delta) {
  return delta >= 0 ? Lighten(base, delta) : Darken(base, -delta);
}

Rgba Opaque(Color c) {
  return Premultiplied(c, 1);
}

}  // namespace

Layer Join(const std::vector<Layer>& frames) {
  int w = 0, h = 0;
  for (const Layer& f : frames) w += f.Width(), h = std::max(h, f.Height());
  Layer out(w, h);
  int x = 0;
  for (const Layer& f : frames) {
    out.Draw(f, x, 0);
    x += f.Width();
  }
  return out;
}

Layer Rotate(const Layer& layer, int quarterTurns) {
  quarterTurns &= 3;
  if (quarterTurns == 0) return layer;
  int w = layer.Width(), h = layer.Height();
  bool swap = quarterTurns % 2 == 1;
  Layer out(swap ? h : w, swap ? w : h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const Rgba& p = layer.At(x, y);
      switch (quarterTurns) {
        case 1:
          out.At(h - 1 - y, x) = p;
          break;
        case 2:
          out.At(w - 1 - x, h - 1 - y) = p;
          break;
        default:
          out.At(y, w - 1 - x) = p;
          break;
      }
    }
  return out;
}

Layer FlipVertical(const Layer& layer) {
  Layer out(layer.Width(), layer.Height());
  for (int y = 0; y < layer.Height(); ++y)
    for (int x = 0; x < layer.Width(); ++x) out.At(x, layer.Height() - 1 - y) = layer.At(x, y);
  return out;
}

int RimMargin(float radius) {
  return int(std::ceil(radius)) + 2;
}

Layer RimFrame(const Rim& rim, float radius, int margin, int size) {
  float s = float(size > 0 ? size : 2 * margin + 2);
  Layer l{int(s), int(s)};
  Shape outer = RoundRect(0, 0, s, s, radius);
  Shape inner = RoundRect(1, 1, s - 1, s - 1, std::max(0.0f, radius - 1));
  if (rim.inset > 0) l.Fill(Outline(inner, 3), Fade(kBlack, rim.inset, 0, 1, 4));
  if (rim.highlight > 0)
    l.Fill(Outline(inner, 1), Fade(kWhite, rim.highlight, rim.highlight * 0.3f, 1, s - 1));
  l.Fill(Outline(outer, 1), Solid(rim.line, rim.lineAlpha));
  l.Veil(outer);
  return l;
}

Layer WindowFrame(Color band, Color line, int width, int margin) {
  float s = float(2 * margin + 2);
  Layer l{int(s), int(s)};
  Shape outer = RoundRect(0, 0, s, s, 3);
  l.Fill(Outline(outer, float(width)), Solid(band));
  l.Fill(Outline(outer, 1), Solid(line));
  // A faint line where the frame meets the client area.
  l.Fill(Outline(RoundRect(float(width - 1), float(width - 1), s - width + 1, s - width + 1, 0), 1),
         Solid(line, 0.35f));
  l.Veil(outer);
  return l;
}

Layer TitleFrame(Color band, Color line, Color separator, int width, int margin, float radius,
                 float gloss) {
  int w = 2 * margin + 2, h = margin + 4;
  Layer l(w, h);
  // The rim runs past the bottom of the picture, so only the top corners are round.
  Shape outer = RoundRect(0, 0, float(w), float(h + 2 * margin), radius);
  l.Fill(Outline(outer, float(std::max(1, width / 2))), Solid(band, 0.55f));
  if (gloss > 0)
    l.Fill(Outline(RoundRect(1, 1, w - 1.0f, h + 2.0f * margin, radius - 1), 1),
           Solid(kWhite, 0.45f * float(gloss)));
  l.Fill(Outline(outer, 1), Solid(line));
  l.Fill(RoundRect(0, h - 1.0f, float(w), float(h), 0), Solid(separator));
  l.Veil(outer);
  return l;
}

Layer TitleButton(const Theme& t, TitleGlyph glyph, int width, int height, int state) {
  Layer l(width, height);
  float r = std::min<float>(float(t.radius), height / 2.0f);
  Shape plate = RoundRect(0.5f, 0.5f, width - 0.5f, height - 0.5f, r);
  bool close = glyph == TitleGlyph::Close;
  bool darkTitle = IsDark(t.title);
  Color ink = t.titleActive.text;
  if (state > 0) {
    if (close) {
      Color red = state == 2 ? Darken(t.closeHot, 0.2) : t.closeHot;
      l.Fill(plate,
             t.gloss > 0
                 ? VerticalStops(
                       {{0, Lighten(red, 0.3)}, {0.5f, red}, {0.51f, Darken(red, 0.1)}, {1, red}},
                       0, float(height))
                 : Solid(red));
      ink = kWhite;
    } else {
      float a = state == 2 ? 0.32f : 0.2f;
      l.Fill(plate, Solid(darkTitle ? kWhite : kBlack, darkTitle ? a : a * 0.6f));
    }
  } else if (t.gloss > 0) {
    l.Fill(plate, Fade(kWhite, 0.28f * float(t.gloss), 0.05f, 0, float(height)));
    l.Fill(Outline(plate, 1), Solid(darkTitle ? kBlack : t.border, 0.25f));
  }
  if (t.gloss > 0 && state > 0)
    l.Fill(RoundRect(1.5f, 1.5f, width - 1.5f, height / 2.0f, std::max(0.0f, r - 1)),
           Solid(kWhite, 0.22f * float(t.gloss)));
  float cx = width / 2.0f, cy = height / 2.0f + (state == 2 ? 0.5f : 0);
  float s = height * 0.2f, w = std::max(1.3f, height / 13.0f);
  Shape shape;
  switch (glyph) {
    case TitleGlyph::Close:
      shape = CloseGlyph(cx, cy, s, w * 1.1f);
      break;
    case TitleGlyph::Maximise:
      shape = MaximiseGlyph(cx, cy, s, w);
      break;
    case TitleGlyph::Restore:
      shape = RestoreGlyph(cx, cy, s, w);
      break;
    case TitleGlyph::Minimise:
      shape = MinimiseGlyph(cx, cy, s, w);
      break;
    case TitleGlyph::Help:
      shape = HelpGlyph(cx, cy, s * 1.1f, w);
      break;
    case TitleGlyph::None:
      return l;
  }
  // Light glyphs get a faint dark edge, so that they still show on the pale title of an
  // inactive window, which uses the same pictures.
  if (Luminance(ink) > 0.5) l.Fill(Grow(shape, 1), Solid(kBlack, 0.22f));
  l.Fill(shape, Solid(ink));
  return l;
}

Layer CheckBox(const Theme& t, BoxKind kind, BoxMark mark, int size, int state) {
  Layer l(size, size);
  float s = float(size), c = s / 2;
  Shape box = kind == BoxKind::Radio ? Circle(c, c, s / 2 - 0.5f)
                                     : RoundRect(0.5f, 0.5f, s - 0.5f, s - 0.5f,
                                                 std::min<float>(float(t.radius), 3.0f));
  bool filled = mark == BoxMark::Checked && kind == BoxKind::Check;
  Color face = filled ? t.accent : Mix(t.edit, t.accent, state == 0 ? 0 : state == 1 ? 0.08 : 0.2);
  if (filled && state > 0) face = state == 1 ? Lighten(t.accent, 0.12) : Darken(t.accent, 0.15);
  l.Fill(box, Solid(face));
  if (t.gloss > 0) l.Fill(box, Fade(kWhite, 0.35f * float(t.gloss), 0, 0, s * 0.6f));
  Color line = filled ? Darken(t.accent, 0.2) : state > 0 ? t.accent : t.border;
  l.Fill(Outline(box, 1), Solid(line));
  if (mark == BoxMark::Checked) {
    if (kind == BoxKind::Check)
      l.Fill(CheckGlyph(c, c, s * 0.28f, std::max(1.4f, s / 8)), Solid(t.selectionText));
    else
      l.Fill(DotGlyph(c, c, s * 0.22f), Solid(t.accent));
  } else if (mark == BoxMark::Grayed) {
    l.Fill(DashGlyph(c, c, s * 0.42f, std::max(1.6f, s / 7)), Solid(t.accent));
  }
  return l;
}

Layer GlyphFrame(int width, int height, Color c, float alpha, const Shape& shape) {
  Layer l(width, height);
  l.Fill(shape, Solid(c, alpha));
  return l;
}

Layer Glow(Color c, int margin, float radius, float strength) {
  int s = 2 * margin + 2;
  Layer l(s, s);
  float m = float(margin);
  l.Fill(RoundRect(m - 2, m - 2, m + 4, m + 4, radius), Solid(c));
  l.Blur(std::max(1, margin / 3));
  float peak = 0;
  for (int y = 0; y < s; ++y)
    for (int x = 0; x < s; ++x) peak = std::max(peak, l.At(x, y).a);
  if (peak > 0) l.Scale(strength / peak);
  return l;
}

Layer WindowShadow(int size, float radius, bool strong) {
  int s = 2 * size + 4;
  Layer l(s, s);
  float off = size / 5.0f, e = float(size);
  l.Fill(RoundRect(e - 1, e - 1 + off, s - e + 1, s - e + 1 + off, radius),
         Solid(kBlack, strong ? 0.55f : 0.3f));
  l.Blur(std::max(1, size / 3));
  // The window covers the middle; keeping it clear keeps the corners of the hole clean.
  for (int y = size; y < s - size; ++y)
    for (int x = size; x < s - size; ++x) l.At(x, y) = {};
  return l;
}

Layer NoiseTile(Color base, int size, float amount, uint32_t seed) {
  Layer l(size, size);
  int cells = std::max(1, size / 8);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      float n = 0.65f * PeriodicNoise(float(x), float(y), size / cells, cells, cells, seed) +
                0.35f * (Hash(uint32_t(x), uint32_t(y), seed + 1) & 0xFF) / 255.0f;
      l.At(x, y) = Opaque(Offset(base, (n - 0.5f) * 2 * amount));
    }
  return l;
}

Layer LinenTile(Color base, int size, float amount) {
  Layer l(size, size);
  constexpr float kTwoPi = 2 * std::numbers::pi_v<float>;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      float warp = std::sin(kTwoPi * x * 8 / size), weft = std::sin(kTwoPi * y * 8 / size);
      float fibre = ((Hash(uint32_t(x), uint32_t(y / 2), 7) & 0xFF) / 255.0f - 0.5f) * 0.6f;
      l.At(x, y) = Opaque(Offset(base, (0.35f * warp + 0.35f * weft + fibre) * amount));
    }
  return l;
}

img::Bitmap32 PaperPicture(Color base, int width, int height, uint32_t seed) {
  img::Bitmap32 bmp(width, height);
  // Lattice cells that divide the picture exactly, so that it tiles without seams.
  auto octave = [&](float x, float y, int cell, uint32_t s) {
    return PeriodicNoise(x, y, cell, width / cell, height / cell, s);
  };
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      float n = 0.55f * octave(float(x), float(y), 100, seed) +
                0.3f * octave(float(x), float(y), 50, seed + 1) +
                0.15f * octave(float(x), float(y), 20, seed + 2);
      Color c = Offset(base, (n - 0.5f) * 0.16f);
      bmp.Pixel(x, y) = {c.b, c.g, c.r, 0xFF};
    }
  return bmp;
}

}  // namespace skingen
