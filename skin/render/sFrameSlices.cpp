#include "skin/render/sFrameSlices.h"

#include <algorithm>

#include "skin/render/sDcHelpers.h"

namespace {

enum : int { kTile = 0, kStretch = 1 };

// One edge or the centre: dest gets the sw x sh block at (sx, sy), tiled in blocks of that size
// or stretched onto it.
void PaintSpan(img::Bitmap32& target, TRect dest, int mode, const img::Bitmap32& source, int sx,
               int sy, int sw, int sh) {
  if (mode == kTile)
    TileBlock(target, dest, source, sx, sy, sw, sh);
  else if (mode == kStretch)
    StretchBlock(target, dest.Left, dest.Top, dest.Width(), dest.Height(), source, sx, sy, sw, sh);
}

}  // namespace

void PaintFrameSlices(img::Bitmap32& target, const img::Bitmap32& source, TRect dest,
                      bool paintCentre, int centreMode, TRect edgeModes, TRect limits,
                      TRect margins, TRect sourceRect) {
  const TRect& d = dest;
  const TRect& b = sourceRect;
  const TRect& m = margins;
  const int cl = std::min(m.Left, limits.Left), cr = std::min(m.Right, limits.Right);
  const int ct = std::min(m.Top, limits.Top), cb = std::min(m.Bottom, limits.Bottom);
  const int cw = std::max(0, b.Width() - m.Left - m.Right);
  const int ch = std::max(0, b.Height() - m.Top - m.Bottom);
  auto copy = [&](int x, int y, int w, int h, int sx, int sy) {
    CopyBlock(target, x, y, w, h, source, sx, sy);
  };

  // Corners: the full-width band of the limited depth, then the narrower rest of the L.
  copy(d.Left, d.Top, m.Left, ct, b.Left, b.Top);
  if (ct != m.Top) copy(d.Left, d.Top + ct, cl, m.Top - ct, b.Left, b.Top + ct);
  copy(d.Left, d.Bottom - cb, m.Left, cb, b.Left, b.Bottom - cb);
  if (cb != m.Bottom)
    copy(d.Left, d.Bottom - m.Bottom, cl, m.Bottom - cb, b.Left, b.Bottom - m.Bottom);
  copy(d.Right - m.Right, d.Top, m.Right, ct, b.Right - m.Right, b.Top);
  if (ct != m.Top) copy(d.Right - cr, d.Top + ct, cr, m.Top - ct, b.Right - cr, b.Top + ct);
  copy(d.Right - m.Right, d.Bottom - cb, m.Right, cb, b.Right - m.Right, b.Bottom - cb);
  if (cb != m.Bottom)
    copy(d.Right - cr, d.Bottom - m.Bottom, cr, m.Bottom - cb, b.Right - cr, b.Bottom - m.Bottom);

  const int innerTop = d.Top + m.Top, innerBottom = d.Bottom - m.Bottom;
  const int innerLeft = d.Left + m.Left, innerRight = d.Right - m.Right;
  if (ch > 0) {
    PaintSpan(target, {d.Left, innerTop, d.Left + cl, innerBottom}, edgeModes.Left, source, b.Left,
              b.Top + m.Top, cl, ch);
  }
  if (cw > 0) {
    PaintSpan(target, {innerLeft, d.Top, innerRight, d.Top + ct}, edgeModes.Top, source,
              b.Left + m.Left, b.Top, cw, ct);
  }
  if (ch > 0) {
    PaintSpan(target, {d.Right - cr, innerTop, d.Right, innerBottom}, edgeModes.Right, source,
              b.Right - cr, b.Top + m.Top, cr, ch);
  }
  if (cw > 0) {
    PaintSpan(target, {innerLeft, d.Bottom - cb, innerRight, d.Bottom}, edgeModes.Bottom, source,
              b.Left + m.Left, b.Bottom - cb, cw, cb);
  }
  if (paintCentre && cw > 0 && ch > 0) {
    PaintSpan(target, {innerLeft, innerTop, innerRight, innerBottom}, centreMode, source,
              b.Left + m.Left, b.Top + m.Top, cw, ch);
  }
}
