// The pixel copies that lay slices of an image entry's picture into a target bitmap. Each takes
// the block src of source (half-open) and lays its top-left corner at (x, y) of target. Blocks are
// clipped against both bitmaps: only pixels present in both are touched, and a cut at the left or
// top moves the source start by the same amount.
//
// Key pixels are source pixels whose whole value is 0x00FF00FF (fuchsia with alpha 0). For the
// masked copies the mask of a pixel lies maskOffset rows below it in the same bitmap; K is the
// mask's byte of the channel being mixed.
#pragma once

#include <algorithm>
#include <cstdint>

#include "imaging/Bitmap32.h"
#include "skin/data/sSkinData.h"
#include "skin/render/sBgSource.h"

inline constexpr uint32_t kKeyPixel = 0x00FF00FF;

inline bool IsKeyPixel(img::TRGBAPixel p) {
  return p.B == 0xFF && p.G == 0 && p.R == 0xFF && p.A == 0;
}

// The masked mix of one channel: K of the target's D against 256 - K of the source's S, that is
// ((D - S) * K + S * 256) >> 8.
inline uint8_t MaskMix(int d, int s, int k) {
  return uint8_t((d * k + s * (256 - k)) >> 8);
}

// A picture pixel s with its mask k over a target whose alpha is ignored: each channel by its own
// mask channel, alpha kept.
inline void MixMaskedOpaque(img::TRGBAPixel& d, img::TRGBAPixel s, img::TRGBAPixel k) {
  d.B = MaskMix(d.B, s.B, k.B);
  d.G = MaskMix(d.G, s.G, k.G);
  d.R = MaskMix(d.R, s.R, k.R);
}

// The same over a target whose alpha matters, by the mask's red byte r: D := (D * r + S * (255 -
// r)) >> 8 and A := max(A, 255 - r).
inline void MixMaskedAlpha(img::TRGBAPixel& d, img::TRGBAPixel s, img::TRGBAPixel k) {
  const int r = k.R;
  d.B = uint8_t((d.B * r + s.B * (255 - r)) >> 8);
  d.G = uint8_t((d.G * r + s.G * (255 - r)) >> 8);
  d.R = uint8_t((d.R * r + s.R * (255 - r)) >> 8);
  d.A = uint8_t(d.A > 255 - r ? d.A : 255 - r);
}

// A background that neither holds a picture nor a colour: key pixels are left as they were.
inline constexpr TsBgSource kNoBackground{nullptr, 0, 0, kKeyColor, {}, false};

// One side of a block copy: N pixels from source position S to target position T, after cutting
// what lies outside either bitmap. Whatever is cut at the start moves both starts.
struct TSliceSpan {
  int64_t T = 0, S = 0, N = 0;
};
TSliceSpan ClipSliceSpan(int64_t t, int64_t s, int64_t n, int sourceSize, int targetSize);

// The part of a block copy that both bitmaps hold: W x H pixels from (SX, SY) to (TX, TY).
struct TSliceBlock {
  int TX = 0, TY = 0, SX = 0, SY = 0, W = 0, H = 0;
  bool Empty() const { return W <= 0 || H <= 0; }
};
TSliceBlock ClipSliceBlock(const img::Bitmap32& target, int x, int y, const img::Bitmap32& source,
                           TRect src);

// The first mask row of a clipped block of h rows starting at source row sy, held inside the
// source so that a block near its bottom still reads pixels.
inline int MaskRow(int sy, int h, int maskOffset, const img::Bitmap32& source) {
  const int64_t row = int64_t(sy) + maskOffset;
  return int(std::clamp<int64_t>(row, 0, source.Height() - h));
}

// All four bytes of every pixel, key pixels included.
void CopyBlock(img::Bitmap32& target, int x, int y, const img::Bitmap32& source, TRect src);

// Non-key pixels are copied whole. Key pixels:
// - bg valid with a bitmap and fill set: take the whole pixel of bg.Bitmap behind them (target
//   pixel + bg offset; left when that lies outside it). When target is bg.Bitmap itself, key pixels
//   are left and the others are copied with alpha 255.
// - bg valid otherwise: left.
// - bg not valid: become bg.BgColor with alpha 0, or are left when that is kKeyColor (no colour).
void CopyKeyed(img::Bitmap32& target, int x, int y, const img::Bitmap32& source, TRect src,
               const TsBgSource& bg, bool fill);

// Mixes image and mask into a target whose alpha is ignored: D := (D * K + S * (256 - K)) >> 8.
// The mask rows are held inside the source bitmap. With bg valid every touched pixel gets alpha
// 255; with fill, key pixels take the colour of bg.Bitmap behind them (left outside it), without
// fill they are mixed like the others. With bg not valid alpha is kept; with fill key pixels
// become bg.BgColor (none for kKeyColor), without fill they are skipped.
void CopyMaskedOpaque(img::Bitmap32& target, int x, int y, const img::Bitmap32& source, TRect src,
                      int maskOffset, const TsBgSource& bg, bool fill);

// The same for targets whose alpha matters, with r the mask's red byte: D := (D * r + S * (255 -
// r)) >> 8 and A := max(A, 255 - r). Key pixels take the whole pixel of bg.Bitmap behind them when
// bg is valid and has one (left outside it), else only their alpha becomes 0.
void CopyMaskedAlpha(img::Bitmap32& target, int x, int y, const img::Bitmap32& source, TRect src,
                     int maskOffset, const TsBgSource& bg);

// A state glyph over a 32-bit target. Pixels that are not key and whose mask red r is not 255:
// D := ((D - S) * K + S * 256) >> 8 with mode 1; other modes draw fainter with min(K + 100, 255)
// in place of K; then A := A + (((255 - A) * (255 - r)) >> 8). Without a mask (maskOffset 0) the
// glyph is copied with CopyKeyed and no background.
void CopyGlyphMasked(img::Bitmap32& target, int x, int y, const img::Bitmap32& source, TRect src,
                     int maskOffset, int mode);
