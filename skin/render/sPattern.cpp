#include "skin/render/sPattern.h"

#include <algorithm>
#include <cstring>

#include "skin/data/MaskGeometry.h"
#include "skin/data/sSkinModel.h"
#include "skin/render/sBlend.h"
#include "skin/render/sDcHelpers.h"

namespace {

using img::TRGBAPixel;

constexpr uint32_t kKeyPixel = 0x00FF00FF;

int Mod(int a, int b) {
  const int m = a % b;
  return m < 0 ? m + b : m;
}

const img::Bitmap32* EntryBitmap(const TsMaskData& entry) {
  if (entry.Image) return entry.Image.get();
  return entry.Owner ? &entry.Owner->MasterImage : nullptr;
}

// What is left of a painted rectangle, or kAllCovered when nothing is.
TRect Remainder(TRect r) {
  return r.Width() > 0 && r.Height() > 0 ? r : kAllCovered;
}

// Fills area with copies of tile (a rectangle inside source) laid edge to edge from anchor: the
// pixel at (x, y) is the tile's pixel ((x - anchor.X) mod width, (y - anchor.Y) mod height). The
// first tile row of the area is built from the source and then doubled in place; every later
// row repeats the row one tile height above it, so a row costs one memcpy.
void TileArea(img::Bitmap32& target, TRect area, TPoint anchor, const img::Bitmap32& source,
              TRect tile) {
  const TRect a = ClipToBitmap(area, target);
  const int tw = tile.Width(), th = tile.Height(), w = a.Width();
  if (w <= 0 || tw <= 0 || th <= 0) return;
  const size_t rowBytes = size_t(w) * sizeof(TRGBAPixel);
  const int phase = Mod(a.Left - anchor.X, tw);
  for (int y = a.Top; y < a.Bottom; ++y) {
    TRGBAPixel* out = target.Row(y) + a.Left;
    if (y - th >= a.Top) {
      std::memcpy(out, target.Row(y - th) + a.Left, rowBytes);
      continue;
    }
    const TRGBAPixel* in = source.Row(tile.Top + Mod(y - anchor.Y, th)) + tile.Left;
    const int head = std::min(tw - phase, w);
    std::memcpy(out, in + phase, size_t(head) * sizeof(TRGBAPixel));
    if (head < w) {
      std::memcpy(out + head, in, size_t(std::min(tw, w - head)) * sizeof(TRGBAPixel));
      RepeatPixels(out + head, size_t(tw), size_t(w - head));
    }
  }
}

// The first whole-tile position at or past which a loop "while p < end - size: p += size" stops.
int StopOfWholeTiles(int start, int end, int size) {
  if (start >= end - size) return start;
  return start + (end - size - start + size - 1) / size * size;
}

// One pixel of a masked tile: s is the picture's pixel, k its mask's.
struct MaskedBlend {
  const TsBgSource& bg;
  bool keyFromBitmap;  // key pixels take the background bitmap's pixel
  bool keyFromColor;   // key pixels take keyPixel
  TRGBAPixel keyPixel;

  void operator()(TRGBAPixel& d, TRGBAPixel s, TRGBAPixel k, int x, int y) const {
    if (PixelValue(s) == kKeyPixel) {
      if (keyFromBitmap) {
        const int bx = x + bg.OffsetX, by = y + bg.OffsetY;
        if (bx >= 0 && by >= 0 && bx < bg.Bitmap->Width() && by < bg.Bitmap->Height())
          d = bg.Bitmap->Pixel(bx, by);
      } else if (keyFromColor) {
        d = keyPixel;
      }
      return;
    }
    d.B = uint8_t(((d.B - s.B) * k.B + s.B * 256) >> 8);
    d.G = uint8_t(((d.G - s.G) * k.G + s.G * 256) >> 8);
    d.R = uint8_t(((d.R - s.R) * k.R + s.R * 256) >> 8);
    if (bg.Valid) d.A = 255;
  }
};

MaskedBlend MakeMaskedBlend(const TsBgSource& bg) {
  const bool hasColor = bg.BgColor != kKeyColor;
  if (bg.Valid && !hasColor) return {bg, bg.Bitmap != nullptr, false, {}};
  if (bg.Valid) return {bg, false, true, ColorPixel(bg.BgColor, 255)};
  return {bg, false, hasColor, ColorPixel(bg.BgColor, uint8_t(uint32_t(bg.BgColor) >> 24))};
}

// Fills band with what lies behind it: the background's bitmap at the same place moved by the
// offsets when bg is valid, else its colour; nothing when bg has neither.
void FillWithBackground(img::Bitmap32& target, TRect band, const TsBgSource& bg) {
  if (band.Width() <= 0 || band.Height() <= 0) return;
  if (bg.Valid) {
    if (bg.Bitmap && bg.Bitmap != &target)
      CopyBlock(target, band.Left, band.Top, band.Width(), band.Height(), *bg.Bitmap,
                band.Left + bg.OffsetX, band.Top + bg.OffsetY);
  } else if (bg.BgColor != kKeyColor) {
    FillRectAlpha(target, band, bg.BgColor, 255);
  }
}

}  // namespace

void PaintPattern(img::Bitmap32& target, TRect& rect, const img::Bitmap32* pattern, int fillMode,
                  const TsMaskData* entry) {
  const TRect r = rect;
  if (r.Width() <= 0 || r.Height() <= 0) return;
  const TPoint topLeft{r.Left, r.Top};
  if (pattern && !pattern->Empty()) {
    TileArea(target, r, topLeft, *pattern, {0, 0, pattern->Width(), pattern->Height()});
    rect = kAllCovered;
    return;
  }
  const img::Bitmap32* source = entry ? EntryBitmap(*entry) : nullptr;
  if (!source) return;
  const TRect tile = ClipToBitmap(entry->SrcRect, *source);
  const int tw = tile.Width(), th = tile.Height();
  if (tw <= 0 || th <= 0) return;
  // Stretches keep to rect: a strip at its own size is cut where rect ends.
  const int stripH = std::min(th, r.Height()), stripW = std::min(tw, r.Width());
  switch (fillMode) {
    case fmTile:
      TileArea(target, r, topLeft, *source, tile);
      rect = kAllCovered;
      break;
    case fmStretch:
      StretchBlock(target, r.Left, r.Top, r.Width(), r.Height(), *source, tile.Left, tile.Top, tw,
                   th);
      rect = kAllCovered;
      break;
    case fmTileTop:
      TileArea(target, {r.Left, r.Top, r.Right, r.Top + stripH}, topLeft, *source, tile);
      rect = Remainder({r.Left, r.Top + th, r.Right, r.Bottom});
      break;
    case fmTileLeft:
      TileArea(target, {r.Left, r.Top, r.Left + stripW, r.Bottom}, topLeft, *source, tile);
      rect = Remainder({r.Left + tw, r.Top, r.Right, r.Bottom});
      break;
    case fmStretchTop:
      StretchBlock(target, r.Left, r.Top, r.Width(), stripH, *source, tile.Left, tile.Top, tw,
                   stripH);
      rect = Remainder({r.Left, r.Top + th, r.Right, r.Bottom});
      break;
    case fmStretchLeft:
      StretchBlock(target, r.Left, r.Top, stripW, r.Height(), *source, tile.Left, tile.Top, stripW,
                   th);
      rect = Remainder({r.Left + tw, r.Top, r.Right, r.Bottom});
      break;
    case fmTileBottom:
      // Anchored so that the image's bottom edge meets the rectangle's.
      TileArea(target, {r.Left, r.Bottom - stripH, r.Right, r.Bottom}, {r.Left, r.Bottom - th},
               *source, tile);
      rect = Remainder({r.Left, r.Top, r.Right, r.Bottom - th});
      break;
    case fmTileFull: {
      // Whole rows of tiles; the band below them is handed back uncovered.
      const int stopY = StopOfWholeTiles(r.Top, r.Bottom, th);
      TileArea(target, {r.Left, r.Top, r.Right, stopY}, topLeft, *source, tile);
      rect = Remainder({r.Left, stopY, r.Right, r.Bottom});
      break;
    }
    case fmTileRight:
    case 8:
    case 9:
    case 11:
    case 12:
    case 13:
    case 14: {
      const TRect column{r.Right - stripW, r.Top, r.Right, r.Bottom};
      TileArea(target, column, {r.Right - tw, r.Top}, *source, tile);
      // The values beyond the named modes hand their column back to the colour fill.
      rect = fillMode == fmTileRight ? Remainder({r.Left, r.Top, r.Right - tw, r.Bottom}) : column;
      break;
    }
    default:
      break;
  }
}

void PaintMaskedPattern(img::Bitmap32& target, TRect& rect, const TsBgSource& bg, int fillMode,
                        const TsMaskData& entry) {
  const TRect r = rect;
  if (fillMode != fmTile && fillMode != fmTileFull) return;
  if (r.Width() <= 0 || r.Height() <= 0) return;
  const img::Bitmap32* source = EntryBitmap(entry);
  if (!source || entry.SrcRect.Left < 0 || entry.SrcRect.Top < 0) return;
  // The tile is the first frame of the upper half; its mask lies th rows below it.
  const int tw = FrameWidth(entry), th = entry.SrcRect.Height() / 2;
  if (tw <= 0 || th <= 0) return;
  // Only the part of the tile whose picture and mask are both inside the source is copied.
  const int cw = std::min(tw, source->Width() - entry.SrcRect.Left);
  const int ch = std::min(th, source->Height() - entry.SrcRect.Top - th);
  const int stopX = StopOfWholeTiles(r.Left, r.Right, tw);
  const int stopY = StopOfWholeTiles(r.Top, r.Bottom, th);
  if (cw > 0 && ch > 0) {
    const MaskedBlend blend = MakeMaskedBlend(bg);
    const TRect a = ClipToBitmap({r.Left, r.Top, r.Right, stopY}, target);
    for (int y = a.Top; y < a.Bottom; ++y) {
      const int ty = (y - r.Top) % th;
      if (ty >= ch) continue;
      const TRGBAPixel* picture = source->Row(entry.SrcRect.Top + ty) + entry.SrcRect.Left;
      const TRGBAPixel* mask = source->Row(entry.SrcRect.Top + ty + th) + entry.SrcRect.Left;
      TRGBAPixel* out = target.Row(y);
      for (int x0 = r.Left + (a.Left - r.Left) / tw * tw; x0 < a.Right; x0 += tw) {
        const int from = std::max(x0, a.Left), to = std::min(x0 + cw, a.Right);
        for (int x = from; x < to; ++x) blend(out[x], picture[x - x0], mask[x - x0], x, y);
      }
    }
  }
  if (fillMode == fmTileFull) {
    FillWithBackground(target, {r.Left, stopY, r.Right, r.Bottom}, bg);
    FillWithBackground(target, {stopX, r.Top, r.Right, stopY}, bg);
    rect = kAllCovered;
  } else {
    // Whole rows of tiles only: the band below them is handed back uncovered.
    rect = Remainder({r.Left, stopY, r.Right, r.Bottom});
  }
}
