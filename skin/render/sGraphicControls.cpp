#include "skin/render/sGraphicControls.h"

#include <vector>

#include "platform/GdiScopes.h"
#include "skin/data/SkinSystem.h"
#include "skin/data/sSkinCommands.h"
#include "skin/render/sControlBg.h"
#include "skin/render/sCtrlUtils.h"
#include "skin/render/sPaintFlags.h"

namespace {

struct TBusyGuard {
  TBusyGuard() { GraphicPaintBusy = true; }
  ~TBusyGuard() { GraphicPaintBusy = false; }
};

void Fill(HDC dc, const RECT& r, int32_t color) {
  HBRUSH brush = CreateSolidBrush(COLORREF(skin::ColorToRGB(color)));
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

void CopyFrom(HDC dc, const RECT& r, const img::Bitmap32& from, int offsetX, int offsetY) {
  BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, from.DC(), r.left + offsetX,
         r.top + offsetY, SRCCOPY);
}

// What lies behind a child in the off-screen picture, from the container's answer.
void PrepareBackground(HDC dc, fw::TControl& child, const TsBgQuery& bg) {
  const RECT r = child.BoundsRect();
  if (child.ControlStyle() & fw::csOpaque) {
    Fill(dc, r, GetControlBgColor(&child));
  } else if (bg.Kind == bgkBitmap && bg.Bitmap) {
    CopyFrom(dc, r, *bg.Bitmap, bg.OffsetX, bg.OffsetY);
  } else {
    Fill(dc, r, bg.Color);
    if (!bg.Bitmap) return;
    // Only the container's border bands are real in its picture; the rest is its colour.
    const TRect& b = bg.BorderRect;
    const int w = bg.Bitmap->Width(), h = bg.Bitmap->Height();
    RECT bands[] = {
        {0, 0, b.Left, h}, {0, 0, w, b.Top}, {w - b.Right, 0, w, h}, {0, h - b.Bottom, w, h}};
    for (RECT& band : bands) {
      OffsetRect(&band, -bg.OffsetX, -bg.OffsetY);
      RECT part;
      if (IntersectRect(&part, &band, &r)) CopyFrom(dc, part, *bg.Bitmap, bg.OffsetX, bg.OffsetY);
    }
  }
}

void PaintChild(HDC dc, fw::TControl& child, const RECT& clip, unsigned paintCopy) {
  const RECT r = child.BoundsRect();
  const int saved = SaveDC(dc);
  RECT inside;
  if (!IntersectRect(&inside, &r, &clip) || !EqualRect(&inside, &r))
    SendSkinCommand(&child, CmdSetPartlyVisible, 0);
  SetViewportOrgEx(dc, r.left, r.top, nullptr);
  IntersectClipRect(dc, 0, 0, r.right - r.left, r.bottom - r.top);
  const unsigned state = child.ControlState();
  child.SetControlState(state | paintCopy);
  try {
    child.Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  } catch (...) {
    // One child failing to paint must not keep the others from the screen.
  }
  child.SetControlState(state);
  RestoreDC(dc, saved);
}

}  // namespace

void PaintGraphicControls(HDC dc, fw::TWinControl& container, bool onlyVisible) {
  if (GraphicPaintBusy) return;
  TBusyGuard busy;
  const bool designing = container.ComponentState() & fw::csDesigning;
  if (!(container.Visible() || designing || !onlyVisible) || container.ControlCount() == 0) return;
  RECT clip{};
  const int region = GetClipBox(dc, &clip);
  if (region == NULLREGION || region == ERROR || IsRectEmpty(&clip)) {
    SendSkinCommand(&container, CmdSetPartlyVisible, 0);
    return;
  }
  TsBgQuery bg;
  QueryParentBg(bg, &container, false);
  std::vector<fw::TControl*> children;
  for (int i = 0; i < container.ControlCount(); ++i) {
    fw::TControl* child = container.Controls(i);
    const RECT r = child->BoundsRect();
    if ((child->Visible() || designing) && !child->IsWindowed() && child->Width() > 0 &&
        child->Height() > 0 && !(child->ControlStyle() & fw::csNoDesignVisible) &&
        !child->Destroying() && RectVisible(dc, &r))
      children.push_back(child);
  }
  if (children.empty()) return;
  platform::WindowDC screen(nullptr);
  platform::MemoryDC offscreen(screen);
  platform::Owned<HBITMAP> picture(
      CreateCompatibleBitmap(screen, container.Width(), container.Height()));
  platform::Selection selected(offscreen, picture);
  for (fw::TControl* child : children) PrepareBackground(offscreen, *child, bg);
  const unsigned paintCopy = container.ControlState() & fw::csPaintCopy;
  for (fw::TControl* child : children) PaintChild(offscreen, *child, clip, paintCopy);
  for (fw::TControl* child : children) {
    const RECT r = child->BoundsRect();
    // A child that left its corner in the key colour asked to stay unseen.
    if (GetPixel(offscreen, r.left, r.top) == COLORREF(kKeyColor)) continue;
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, offscreen, r.left, r.top,
           SRCCOPY);
  }
}

void ExcludeControls(HDC dc, fw::TWinControl& container, int offsetY, int offsetX,
                     const std::function<bool(fw::TControl&)>& which) {
  for (int i = 0; i < container.ControlCount(); ++i) {
    fw::TControl& child = *container.Controls(i);
    if (!which(child)) continue;
    const RECT r = child.BoundsRect();
    ExcludeClipRect(dc, r.left + offsetX, r.top + offsetY, r.right + offsetX, r.bottom + offsetY);
  }
}

void ExcludeGraphicControls(HDC dc, fw::TWinControl& container, int offsetY, int offsetX) {
  ExcludeControls(dc, container, offsetY, offsetX,
                  [](fw::TControl& child) { return child.Visible() && !child.IsWindowed(); });
}

void PaintBevelFrame(HDC dc, RECT rect, int32_t topLeft, int& width, int32_t bottomRight) {
  platform::Owned<HPEN> light(CreatePen(PS_SOLID, 1, COLORREF(skin::ColorToRGB(topLeft))));
  platform::Owned<HPEN> dark(CreatePen(PS_SOLID, 1, COLORREF(skin::ColorToRGB(bottomRight))));
  platform::Selection pen(dc, light);
  --rect.right;
  --rect.bottom;
  for (; width > 0; --width) {
    pen.Select(light);
    MoveToEx(dc, rect.left, rect.bottom, nullptr);
    LineTo(dc, rect.left, rect.top);
    LineTo(dc, rect.right, rect.top);
    pen.Select(dark);
    LineTo(dc, rect.right, rect.bottom);
    LineTo(dc, rect.left - 1, rect.bottom);
    InflateRect(&rect, -1, -1);
  }
}
