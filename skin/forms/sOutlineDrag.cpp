#include "skin/forms/sOutlineDrag.h"

#include <algorithm>

#include "skin/forms/sTitleLayout.h"

TRect DraggedRect(const TRect& start, int hitCode, TPoint delta, TPoint minSize) {
  TRect r = start;
  if (hitCode == kHitCaption)
    return {r.Left + delta.X, r.Top + delta.Y, r.Right + delta.X, r.Bottom + delta.Y};
  bool left = hitCode == kHitLeft || hitCode == kHitTopLeft || hitCode == kHitBottomLeft;
  bool right = hitCode == kHitRight || hitCode == kHitTopRight || hitCode == kHitBottomRight;
  bool top = hitCode == kHitTop || hitCode == kHitTopLeft || hitCode == kHitTopRight;
  bool bottom = hitCode == kHitBottom || hitCode == kHitBottomLeft || hitCode == kHitBottomRight;
  if (left) r.Left = std::min(r.Left + delta.X, r.Right - minSize.X);
  if (right) r.Right = std::max(r.Right + delta.X, r.Left + minSize.X);
  if (top) r.Top = std::min(r.Top + delta.Y, r.Bottom - minSize.Y);
  if (bottom) r.Bottom = std::max(r.Bottom + delta.Y, r.Top + minSize.Y);
  return r;
}
