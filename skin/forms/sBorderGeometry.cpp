#include "skin/forms/sBorderGeometry.h"

namespace {

// The top band of the sizing zones is thinner than the others: below it the caption begins.
constexpr int kTopZone = 4;

bool Inside(const TRect& r, TPoint p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

bool Within(int v, int from, int to) {
  return v >= from && v < to;
}

}  // namespace

int HorizontalExtra(const TsBorderFrame& b) {
  return b.SkinBorder - b.NativeFrame;
}

int TopExtra(const TsBorderFrame& b) {
  if (b.NativeCaption <= 0) return HorizontalExtra(b);
  return b.SkinTitle - b.NativeCaption - b.NativeFrame;
}

TPoint SkinnedOffset(const TsBorderFrame& b) {
  return {HorizontalExtra(b), TopExtra(b)};
}

TPoint BorderOffset(const TsBorderFrame& b) {
  return {HorizontalExtra(b) + b.Extent.Left, TopExtra(b) + b.Extent.Top};
}

TPoint SkinnedSize(const TsBorderFrame& b, int formWidth, int formHeight) {
  return {formWidth + 2 * HorizontalExtra(b), formHeight + TopExtra(b) + HorizontalExtra(b)};
}

TPoint BorderSize(const TsBorderFrame& b, int formWidth, int formHeight) {
  TPoint s = SkinnedSize(b, formWidth, formHeight);
  return {s.X + b.Extent.Left + b.Extent.Right, s.Y + b.Extent.Top + b.Extent.Bottom};
}

TsFormShape SkinnedShape(const TsFormShape& form, const TsBorderFrame& b) {
  TsFormShape s = form;
  TPoint size = SkinnedSize(b, form.Width, form.Height);
  s.Width = size.X;
  s.Height = size.Y;
  s.ThickFrame = true;  // the frame width is the skin's, whatever the style
  s.SkinnedFrame = true;
  return s;
}

TsSystemMetrics SkinnedMetrics(const TsSystemMetrics& metrics, const TsBorderFrame& b) {
  TsSystemMetrics m = metrics;
  m.CxFrame = m.CxDlgFrame = b.SkinBorder;
  m.CyCaption = m.CySmCaption = b.SkinTitle;
  return m;
}

TRect MaximizedBorderRect(const TsBorderFrame& b, int width, int height) {
  int side = b.NativeFrame + HorizontalExtra(b);
  return {side + b.Extent.Left, b.Extent.Top + kMaximizedTitleCut, width - side - b.Extent.Right,
          height - side - b.Extent.Bottom};
}

TsRegion BorderRegion(const TRect& outer, const TRect& client) {
  // A difference, never an exclusive-or: a client rectangle reaching beyond the outer one (a
  // maximised form's) must not add its overhang to the shape.
  TsRegion region(outer);
  region.Subtract(client);
  return region;
}

int BorderHitTest(const TsBorderHit& h, TPoint p) {
  const TsBorderFrame& b = h.Frame;
  const TsExtentMargins& e = b.Extent;
  int a = b.AlignOffset, f = b.NativeFrame;
  TRect inner = {e.Left - a, e.Top - a, h.Width + a - e.Right, h.Height + a - e.Bottom};
  if (!Inside(inner, p)) return kHitShadow;
  if (h.Sizeable) {
    bool top = Within(p.Y, e.Top - a, e.Top - a + kTopZone);
    bool bottom = Within(p.Y, h.Height + a - f - e.Bottom, h.Height + a - e.Bottom);
    bool left = Within(p.X, e.Left - a, f + e.Left - a);
    bool right = Within(p.X, h.Width + a - f - e.Right, h.Width + a - e.Right);
    // Rows: top zone, bottom zone; columns: left, right, neither.
    static constexpr int kCorners[2][3] = {{kHitTopLeft, kHitTopRight, kHitTop},
                                           {kHitBottomLeft, kHitBottomRight, kHitBottom}};
    int column = left ? 0 : right ? 1 : 2;
    if (top || bottom) return kCorners[bottom ? 1 : 0][column];
    if (left) return kHitLeft;
    if (right) return kHitRight;
  }
  if (p.Y < h.TitleBottom) return Inside(h.IconRect, p) ? kHitSysMenu : kHitCaption;
  if (p.Y < h.MenuBottom) return kHitMenu;
  if (Inside(h.Grip, p)) return kHitBottomRight;
  return kHitBorder;
}

TRect StretchedBounds(const TsBorderFrame& b, const TRect& form, const TRect& work, int code) {
  int side = HorizontalExtra(b);
  TRect r = form;
  if (code == kHitLeft || code == kHitRight) {
    r.Left = work.Left + side;
    r.Right = work.Right - side;
  } else if (code == kHitTop || code == kHitBottom) {
    r.Top = work.Top + TopExtra(b);
    r.Bottom = work.Bottom - side;
  }
  return r;
}
