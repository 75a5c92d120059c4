#include "tools/skingen/Color.h"

#include <algorithm>
#include <cmath>

namespace skingen {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

double Linear(uint8_t channel) {
  double v = channel / 255.0;
  return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

uint8_t Lerp(uint8_t a, uint8_t b, double t) {
  return static_cast<uint8_t>(std::lround(a + (b - a) * std::clamp(t, 0.0, 1.0)));
}

double WorstContrast(Color text, std::initializer_list<Color> backgrounds) {
  double worst = 21;
  for (Color bg : backgrounds) worst = std::min(worst, Contrast(text, bg));
  return worst;
}

}  // namespace

std::optional<Color> ParseColor(std::string_view text) {
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  uint8_t bytes[3];
  for (int i = 0; i < 3; ++i) {
    int hi = HexDigit(text[1 + 2 * i]), lo = HexDigit(text[2 + 2 * i]);
    if (hi < 0 || lo < 0) return std::nullopt;
    bytes[i] = static_cast<uint8_t>(hi * 16 + lo);
  }
  return Color{bytes[0], bytes[1], bytes[2]};
}

int32_t SkinValue(Color c) {
  return int32_t(c.r) | int32_t(c.g) << 8 | int32_t(c.b) << 16;
}

Color Mix(Color a, Color b, double t) {
  return {Lerp(a.r, b.r, t), Lerp(a.g, b.g, t), Lerp(a.b, b.b, t)};
}

Color Shade(Color c, double t) {
  return IsDark(c) ? Lighten(c, t) : Darken(c, t);
}

double Luminance(Color c) {
  return 0.2126 * Linear(c.r) + 0.7152 * Linear(c.g) + 0.0722 * Linear(c.b);
}

double Contrast(Color a, Color b) {
  double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Color Readable(Color text, std::initializer_list<Color> backgrounds, double minRatio) {
  if (WorstContrast(text, backgrounds) >= minRatio) return text;
  Color best = text;
  double bestRatio = 0;
  // The smallest step towards black or white that reads well wins.
  for (int step = 1; step <= 20; ++step) {
    for (Color target : {kBlack, kWhite}) {
      Color candidate = Mix(text, target, step / 20.0);
      double ratio = WorstContrast(candidate, backgrounds);
      if (ratio >= minRatio) return candidate;
      if (ratio > bestRatio) bestRatio = ratio, best = candidate;
    }
  }
  return best;
}

}  // namespace skingen
