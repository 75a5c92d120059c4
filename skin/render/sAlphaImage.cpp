#include "skin/render/sAlphaImage.h"

#include <algorithm>

namespace {

using img::TRGBAPixel;

// The block both rectangles share once clipped: its corner in the target and in the picture.
struct TBlock {
  int DX = 0, DY = 0, SX = 0, SY = 0, W = 0, H = 0;
  bool Empty() const { return W <= 0 || H <= 0; }
};

// One axis: a negative start moves both starts on by the same amount, then the length is cut to
// what remains of the target and the picture. 64-bit so that extreme rectangles cannot overflow.
void ClipAxis(int& d, int& s, int& length, int64_t dStart, int64_t sStart, int64_t len, int dLimit,
              int sLimit) {
  if (dStart < 0) sStart -= dStart, len += dStart, dStart = 0;
  if (sStart < 0) dStart -= sStart, len += sStart, sStart = 0;
  len = std::min({len, dLimit - dStart, sLimit - sStart});
  d = int(std::min<int64_t>(dStart, dLimit));
  s = int(std::min<int64_t>(sStart, sLimit));
  length = int(std::max<int64_t>(len, 0));
}

TBlock ClipBlock(TRect dest, TRect source, const img::Bitmap32& target,
                 const img::Bitmap32& picture) {
  TBlock b;
  const int64_t w = std::min(int64_t(dest.Right) - dest.Left, int64_t(source.Right) - source.Left);
  const int64_t h = std::min(int64_t(dest.Bottom) - dest.Top, int64_t(source.Bottom) - source.Top);
  ClipAxis(b.DX, b.SX, b.W, dest.Left, source.Left, w, target.Width(), picture.Width());
  ClipAxis(b.DY, b.SY, b.H, dest.Top, source.Top, h, target.Height(), picture.Height());
  return b;
}

bool IsKey(TRGBAPixel p) {
  return p.B == 255 && p.G == 0 && p.R == 255 && p.A == 0;
}

// The background's pixel behind target (x, y); null when the background has none there.
const TRGBAPixel* BgPixel(const TsBgSource& bg, int x, int y) {
  const int64_t bx = int64_t(x) + bg.OffsetX, by = int64_t(y) + bg.OffsetY;
  if (bx < 0 || by < 0 || bx >= bg.Bitmap->Width() || by >= bg.Bitmap->Height()) return nullptr;
  return &bg.Bitmap->Pixel(int(bx), int(by));
}

// Key pixels of the picture row take the colour of the background behind them; the target's
// alpha becomes 255 when opaque is set and stays otherwise.
void KeysFromBg(TRGBAPixel* d, const TRGBAPixel* s, int w, const TsBgSource& bg, int x, int y,
                bool opaque) {
  for (int i = 0; i < w; ++i) {
    if (!IsKey(s[i])) continue;
    const TRGBAPixel* q = BgPixel(bg, x + i, y);
    if (q) d[i] = {q->B, q->G, q->R, opaque ? uint8_t(255) : d[i].A};
  }
}

// An opaque pixel replaces the target's exactly: the weighted sum alone would leave a lighter
// picture one level short (white over black giving 254).
inline uint8_t Mix(int s, int d, int e) {
  return uint8_t(e == 255 ? s : ((s - d) * e + d * 256) >> 8);
}

// The per-pixel rule of the fuller drawing, shared by the picture and its mirror image.
class TRowPainter {
 public:
  TRowPainter(int translucency, int32_t tint) : a_(std::clamp(translucency, 0, 100)) {
    tinted_ = tint != kNoTint;
    red_ = tint & 0xFF, green_ = (tint >> 8) & 0xFF, blue_ = (tint >> 16) & 0xFF;
  }

  // Lays w picture pixels over the target's, each with weight(Sa) as its alpha before the
  // translucency is taken away.
  template <typename Weight>
  void Row(TRGBAPixel* d, const TRGBAPixel* s, int w, Weight weight) const {
    for (int i = 0; i < w; ++i) {
      const TRGBAPixel p = s[i];
      int e = weight(p.A);
      if (a_ != 0) e = (100 - a_) * e / 100;
      if (e == 0) continue;
      TRGBAPixel& t = d[i];
      if (tinted_) {
        const int g = (p.R + p.G + p.B) / 3;
        t.B = Toward(t.B, Tinted(g, blue_), e);
        t.G = Toward(t.G, Tinted(g, green_), e);
        t.R = Toward(t.R, Tinted(g, red_), e);
        continue;
      }
      t.B = Mix(p.B, t.B, e), t.G = Mix(p.G, t.G, e), t.R = Mix(p.R, t.R, e);
      if (a_ == 0) t.A = std::max<uint8_t>(t.A, uint8_t(e));
    }
  }

 private:
  // round(g * c / 255): an exact half cannot occur, 255 being odd.
  static int Tinted(int g, int c) { return (2 * g * c + 255) / 510; }
  // The right shift of a negative step floors, as the darkening needs.
  static uint8_t Toward(int d, int t, int e) {
    return uint8_t(e == 255 ? t : d + (((t - d) * e) >> 8));
  }

  int a_;
  bool tinted_;
  int red_ = 0, green_ = 0, blue_ = 0;
};

}  // namespace

void BlendAlphaImage(TRect dest, TRect source, img::Bitmap32& target, bool keyFromBg,
                     const TsBgSource& bg, const img::Bitmap32* picture) {
  if (picture == nullptr) return;
  const TBlock b = ClipBlock(dest, source, target, *picture);
  if (b.Empty()) return;
  const bool keys = keyFromBg && bg.Valid && bg.Bitmap != nullptr;
  for (int y = 0; y < b.H; ++y) {
    const TRGBAPixel* s = picture->Row(b.SY + y) + b.SX;
    TRGBAPixel* d = target.Row(b.DY + y) + b.DX;
    for (int i = 0; i < b.W; ++i) {
      const int sa = s[i].A;
      if (sa == 0) continue;
      TRGBAPixel& t = d[i];
      t.B = Mix(s[i].B, t.B, sa), t.G = Mix(s[i].G, t.G, sa), t.R = Mix(s[i].R, t.R, sa);
      t.A = uint8_t(t.A + sa * (255 - t.A) / 255);
    }
    if (keys) KeysFromBg(d, s, b.W, bg, b.DX, b.DY + y, true);
  }
}

void DrawAlphaImage(TRect dest, TRect source, img::Bitmap32& target, bool reflection,
                    int translucency, int32_t tint, bool keyFromBg, const TsBgSource& bg,
                    const img::Bitmap32* picture) {
  if (picture == nullptr) return;
  const TBlock b = ClipBlock(dest, source, target, *picture);
  if (b.Empty()) return;
  const TRowPainter painter(translucency, tint);
  const bool keys = keyFromBg && bg.Valid && bg.Bitmap != nullptr;
  for (int y = 0; y < b.H; ++y) {
    const TRGBAPixel* s = picture->Row(b.SY + y) + b.SX;
    TRGBAPixel* d = target.Row(b.DY + y) + b.DX;
    painter.Row(d, s, b.W, [](int sa) { return sa; });
    if (keys) KeysFromBg(d, s, b.W, bg, b.DX, b.DY + y, false);
  }
  if (!reflection) return;

  // The mirror image: at most a quarter of the picture's opacity, fading to nothing within half
  // the picture's height or at the target's bottom, whichever comes first.
  const int half = picture->Height() / 2;
  const int64_t rows = std::min<int64_t>(half - 1, int64_t(target.Height()) - dest.Bottom - 1);
  if (rows < 1) return;
  const int n = int(rows), drop = 255 / half;
  // Only rows of the source rectangle are mirrored: a picture holding several images (an image
  // list's strip) must not lend the neighbouring image's rows.
  const int64_t top = std::max(source.Top, 0), bottom = std::min(source.Bottom, picture->Height());
  int level = 255;
  for (int k = 1; k <= n; ++k, level -= drop) {
    const int64_t ty = int64_t(dest.Bottom) + k, sy = int64_t(source.Bottom) - k - 1;
    if (ty < 0 || sy < top || sy >= bottom) continue;
    painter.Row(target.Row(int(ty)) + b.DX, picture->Row(int(sy)) + b.SX, b.W,
                [n, k, level](int sa) { return (sa * (n - k) / n * level) >> 10; });
  }
}
