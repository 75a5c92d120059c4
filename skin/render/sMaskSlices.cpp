#include "skin/render/sMaskSlices.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "skin/data/MaskGeometry.h"
#include "skin/data/sSkinModel.h"
#include "skin/render/sRegion.h"
#include "skin/render/sSliceCopy.h"
#include "skin/render/sSliceStretch.h"
#include "skin/render/sSliceTile.h"

namespace {

// How the odd pixel of a border excess is found: from the excess itself, or (for shaped windows)
// from the size of the target.
enum class OddPixel { FromExcess, FromSize };

// Where the nine slices of one state frame come from and where they go.
struct TSliceLayout {
  const img::Bitmap32* Source = nullptr;
  TRect D;
  int X0 = 0, Y0 = 0;  // the frame's top-left in Source
  int FW = 0, FH = 0, MO = 0;
  int WL = 0, WT = 0, WR = 0, WB = 0;
  int CW = 0, CH = 0;  // the centre slice in Source
  bool Stretch = false, Centre = false;
};

// When the destination is smaller than both borders, the excess comes off them: half each, and
// the odd pixel off the second (right or bottom) one.
void ShrinkBorders(int& first, int& second, int size, OddPixel odd) {
  if (size >= first + second) return;
  const int excess = first + second - size;
  const int half = excess / 2;
  const int extra = (odd == OddPixel::FromExcess ? excess : size) % 2;
  first = std::max(0, first - half);
  second = std::max(0, second - half - extra);
}

std::optional<TSliceLayout> LayoutFor(TRect d, const TsMaskData& e, int state, OddPixel odd) {
  if (e.Owner == nullptr || (state == 0 && (e.PaintFlags & 2) != 0)) return std::nullopt;
  const int64_t width = int64_t(d.Right) - d.Left, height = int64_t(d.Bottom) - d.Top;
  if (width < 2 || height < 2 || width > INT32_MAX || height > INT32_MAX) return std::nullopt;
  if (e.MarginLeft < 0 || e.MarginTop < 0 || e.MarginRight < 0 || e.MarginBottom < 0)
    return std::nullopt;
  TSliceLayout l;
  l.Source = e.Image ? e.Image.get() : &e.Owner->MasterImage;
  if (l.Source->Empty()) return std::nullopt;
  l.D = d;
  l.FW = FrameWidth(e);
  l.FH = FrameHeight(e);
  l.MO = e.MaskRows != 0 ? l.FH : 0;
  l.WL = e.MarginLeft, l.WT = e.MarginTop, l.WR = e.MarginRight, l.WB = e.MarginBottom;
  ShrinkBorders(l.WL, l.WR, int(width), odd);
  ShrinkBorders(l.WT, l.WB, int(height), odd);
  const int frame = std::clamp(state, 0, std::max(e.StateCount - 1, 0));
  l.X0 = e.SrcRect.Left + l.FW * frame;
  l.Y0 = e.SrcRect.Top;
  l.CW = l.FW - l.WL - l.WR;
  l.CH = l.FH - l.WT - l.WB;
  if (l.CW < 0 || l.CH < 0) return std::nullopt;
  l.Stretch = (e.PaintFlags & 1) != 0;
  l.Centre = (e.PaintFlags & 4) != 0;
  return l;
}

TRect Block(int x, int y, int w, int h) {
  return {x, y, x + w, y + h};
}

// Lays the slices of l in their painting order through painter p, which provides Corner(x, y,
// src), Tiles(dest, src) and Stretch(dest, src, centre).
template <typename Painter>
void PaintSlices(const TSliceLayout& l, Painter& p) {
  const TRect& d = l.D;
  const int xl = l.X0, xm = l.X0 + l.WL, xr = l.X0 + l.FW - l.WR;
  const int yt = l.Y0, ym = l.Y0 + l.WT, yb = l.Y0 + l.FH - l.WB;
  const int innerTop = d.Top + l.WT, innerBottom = d.Bottom - l.WB;
  const int innerLeft = d.Left + l.WL, innerRight = d.Right - l.WR;
  auto span = [&](TRect dest, TRect src, bool centre) {
    if (l.Stretch)
      p.Stretch(dest, src, centre);
    else
      p.Tiles(dest, src);
  };

  p.Corner(d.Left, d.Top, Block(xl, yt, l.WL, l.WT));
  span({d.Left, innerTop, innerLeft, innerBottom}, Block(xl, ym, l.WL, l.CH), false);
  span({innerLeft, d.Top, innerRight, innerTop}, Block(xm, yt, l.CW, l.WT), false);
  p.Corner(d.Left, innerBottom, Block(xl, yb, l.WL, l.WB));
  span({innerLeft, innerBottom, innerRight, d.Bottom}, Block(xm, yb, l.CW, l.WB), false);
  p.Corner(innerRight, innerBottom, Block(xr, yb, l.WR, l.WB));
  p.Corner(innerRight, d.Top, Block(xr, yt, l.WR, l.WT));
  span({innerRight, innerTop, d.Right, innerBottom}, Block(xr, ym, l.WR, l.CH), false);
  if (l.Centre)
    span({innerLeft, innerTop, innerRight, innerBottom}, Block(xm, ym, l.CW, l.CH), true);
}

// Element painting. Opaque targets mix masks and give touched pixels alpha 255 over a valid
// background; alpha targets (Alpha) let masks raise the alpha and clear it under key pixels of
// the tiles. Corners show bg through their key pixels when Fill is set.
template <bool Alpha>
struct TElementPainter {
  img::Bitmap32& Target;
  const TSliceLayout& L;
  const TsBgSource& Bg;
  bool Fill;

  bool Masked() const { return L.MO != 0; }
  void Corner(int x, int y, TRect src) {
    if (!Masked())
      CopyKeyed(Target, x, y, *L.Source, src, Bg, Fill);
    else if (Alpha)
      CopyMaskedAlpha(Target, x, y, *L.Source, src, L.MO, Bg);
    else
      CopyMaskedOpaque(Target, x, y, *L.Source, src, L.MO, Bg, Fill);
  }
  void Tiles(TRect dest, TRect src) {
    const TTileMix mix = !Masked() ? TTileMix::Plain
                         : Alpha   ? TTileMix::MaskedAlpha
                                   : TTileMix::MaskedOpaque;
    TileBlock(Target, dest, *L.Source, src, L.MO, mix);
  }
  void Stretch(TRect dest, TRect src, bool centre) {
    if (!Masked())
      StretchBlock(Target, dest, *L.Source, src);
    else if (Alpha)
      StretchMaskedAlpha(Target, dest, *L.Source, src, L.MO, centre);
    else
      StretchMaskedOpaque(Target, dest, *L.Source, src, L.MO, centre);
  }
};

// Shaped windows: corners leave their key pixels unpainted and cut them out of the region.
struct TRegionPainter : TElementPainter<false> {
  TsRegion* Region;

  void Corner(int x, int y, TRect src) {
    TElementPainter::Corner(x, y, src);
    if (Region == nullptr) return;
    const TSliceBlock b = ClipSliceBlock(Target, x, y, *L.Source, src);
    for (int j = 0; j < b.H; ++j) {
      const img::TRGBAPixel* s = L.Source->Row(b.SY + j) + b.SX;
      for (int i = 0; i < b.W;) {
        if (!IsKeyPixel(s[i])) {
          ++i;
          continue;
        }
        const int first = i;
        while (i < b.W && IsKeyPixel(s[i])) ++i;
        Region->Subtract({b.TX + first, b.TY + j, b.TX + i, b.TY + j + 1});
      }
    }
  }
};

}  // namespace

void PaintMaskSlices(img::Bitmap32& target, TRect rect, const TsMaskData& entry, int state,
                     const TsBgSource& bg, bool fillCorners) {
  const auto layout = LayoutFor(rect, entry, state, OddPixel::FromExcess);
  if (!layout) return;
  TElementPainter<false> painter{target, *layout, bg, fillCorners && entry.CornerTransparency > 0};
  PaintSlices(*layout, painter);
}

void PaintMaskSlicesAlpha(img::Bitmap32& target, TRect rect, const TsMaskData& entry, int state,
                          const TsBgSource& bg) {
  const auto layout = LayoutFor(rect, entry, state, OddPixel::FromExcess);
  if (!layout) return;
  TElementPainter<true> painter{target, *layout, bg, true};
  PaintSlices(*layout, painter);
}

void PaintMaskSlicesRegion(img::Bitmap32& target, TsRegion* region, int state,
                           const TsMaskData& entry) {
  const TRect whole{0, 0, target.Width(), target.Height()};
  std::optional<TSliceLayout> layout;
  if (entry.Image && entry.StateCount < 1) {
    // A picture of its own without frames is one frame as large as the picture.
    TsMaskData single = entry;
    single.StateCount = 1;
    single.SrcRect = {0, 0, entry.Image->Width(), entry.Image->Height()};
    layout = LayoutFor(whole, single, state, OddPixel::FromSize);
  } else {
    layout = LayoutFor(whole, entry, state, OddPixel::FromSize);
  }
  if (!layout) return;
  TRegionPainter painter{{target, *layout, kNoBackground, false}, region};
  PaintSlices(*layout, painter);
}
