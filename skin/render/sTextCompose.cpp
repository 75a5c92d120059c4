#include "skin/render/sTextCompose.h"

namespace {

uint8_t Channel(int32_t color, int shift) {
  return uint8_t((color >> shift) & 0xFF);
}

img::TRGBAPixel Opaque(int32_t color) {
  return {Channel(color, 16), Channel(color, 8), Channel(color, 0), 255};
}

void Put(img::Bitmap32& target, int x, int y, img::TRGBAPixel pixel) {
  if (x >= 0 && y >= 0 && x < target.Width() && y < target.Height()) target.Pixel(x, y) = pixel;
}

}  // namespace

void ComposeTextMask(img::Bitmap32& target, int left, int top, const img::Bitmap32& mask,
                     int32_t color) {
  const int kb = Channel(color, 16), kg = Channel(color, 8), kr = Channel(color, 0);
  for (int y = 0; y < mask.Height(); ++y) {
    int ty = top + y;
    if (ty < 0 || ty >= target.Height()) continue;
    const img::TRGBAPixel* m = mask.Row(y);
    img::TRGBAPixel* d = target.Row(ty);
    for (int x = 0; x < mask.Width(); ++x) {
      int tx = left + x;
      if (tx < 0 || tx >= target.Width()) continue;
      if (m[x].B == 255 && m[x].G == 255 && m[x].R == 255) continue;
      img::TRGBAPixel& p = d[tx];
      p.B = uint8_t(((p.B - kb) * m[x].B + kb * 256) >> 8);
      p.G = uint8_t(((p.G - kg) * m[x].G + kg * 256) >> 8);
      p.R = uint8_t(((p.R - kr) * m[x].R + kr * 256) >> 8);
      p.A = 255;
    }
  }
}

void ComposeGlow(img::Bitmap32& target, int left, int top, const TsGlowImage& glow, int32_t color) {
  const int kb = Channel(color, 16), kg = Channel(color, 8), kr = Channel(color, 0);
  for (int j = 0; j < glow.Height; ++j) {
    int ty = top + j;
    if (ty < 0 || ty >= target.Height()) continue;
    for (int i = 0; i < glow.Width; ++i) {
      int tx = left + i;
      int v = glow.Pixels[size_t(j) * size_t(glow.Width) + size_t(i)];
      if (v == 255 || tx < 0 || tx >= target.Width()) continue;
      img::TRGBAPixel& p = target.Pixel(tx, ty);
      p.B = uint8_t(kb + (p.B - kb) * v / 255);
      p.G = uint8_t(kg + (p.G - kg) * v / 255);
      p.R = uint8_t(kr + (p.R - kr) * v / 255);
      p.A = uint8_t(p.A + (255 - p.A) * (255 - v) / 255);
    }
  }
}

void PaintFocusFrame(img::Bitmap32& target, TRect rect, int32_t secondColor, int32_t dotColor) {
  const img::TRGBAPixel dot = Opaque(dotColor), second = Opaque(secondColor);
  const int right = rect.Right - 1, bottom = rect.Bottom - 1;
  for (int i = 0; i <= rect.Width() / 3; ++i) {
    int x = rect.Left + 3 * i;
    for (int y : {rect.Top, bottom}) {
      Put(target, x, y, dot);
      Put(target, x - 1, y, second);
    }
  }
  for (int j = 0; j <= rect.Height() / 3; ++j) {
    int y = rect.Top + 3 * j;
    for (int x : {rect.Left, right}) {
      Put(target, x, y, dot);
      Put(target, x, y - 1, second);
    }
  }
}

std::string CutTextToWidth(const std::string& text, int width,
                           const std::function<int(const std::string&)>& measure) {
  if (width <= 0) return {};
  std::string result = text;
  if (measure(result) <= width) return result;
  while (!result.empty() && measure(result + "...") > width) result.pop_back();
  return result.empty() ? result : result + "...";
}
