#include "skin/render/sCachePaint.h"

#include "skin/data/sSkinCommands.h"
#include "skin/render/sControlBg.h"
#include "skin/render/sGraphicControls.h"
#include "skin/render/sManagerLink.h"
#include "skin/render/sParentBg.h"

namespace {

bool Overlaps(const RECT& a, const RECT& b) {
  RECT common;
  return IntersectRect(&common, &a, &b);
}

// Starts the copy: corners filled when asked, state saved, clip limited to dest. Returns the
// saved state, or 0 when there is no picture.
int BeginCopy(TsCommonData& skinData, bool fillCorners, HDC dc, const RECT& dest) {
  if (!skinData.CacheBitmap || skinData.CacheBitmap->Empty()) return 0;
  if (fillCorners) FillCornersFromParent(skinData, 0, kAllCorners);
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, dest.left, dest.top, dest.right, dest.bottom);
  return saved;
}

void EndCopy(TsCommonData& skinData, POINT source, HDC dc, const RECT& dest, int saved) {
  BitBlt(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top,
         skinData.CacheBitmap->DC(), source.x, source.y, SRCCOPY);
  RestoreDC(dc, saved);
}

bool IsPlainGroupBox(HWND wnd) {
  char name[16] = {};
  GetClassNameA(wnd, name, sizeof name);
  return lstrcmpiA(name, "Button") == 0 && (GetWindowLongA(wnd, GWL_STYLE) & 0x0F) == BS_GROUPBOX &&
         !(GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

// The group box's caption band, and its left, right and bottom bands as wide as the skin's
// group-box border.
void ExcludeGroupBoxFrame(HDC dc, HWND box, const RECT& r) {
  const int caption =
      int(SendMessageA(box, SkinCommandMsg, SkinCommandParam(CmdGetCaptionHeight), 0));
  int left = 0, right = 0, bottom = 0;
  if (const TsSkinModel* manager = ResolveManager(nullptr)) {
    const int section = manager->FindSection("GROUPBOX");
    const int border = manager->IsValidSectionIndex(section)
                           ? manager->SectionTable[size_t(section)].BorderIndex
                           : -1;
    if (manager->IsValidImageIndex(border)) {
      const TsMaskData& entry = manager->ImageTable[size_t(border)];
      left = entry.MarginLeft;
      right = entry.MarginRight;
      bottom = entry.MarginBottom;
    }
  }
  ExcludeClipRect(dc, r.left, r.top, r.right, r.top + caption);
  ExcludeClipRect(dc, r.left, r.top, r.left + left, r.bottom);
  ExcludeClipRect(dc, r.right - right, r.top, r.right, r.bottom);
  ExcludeClipRect(dc, r.left, r.bottom - bottom, r.right, r.bottom);
}

}  // namespace

void PaintCacheToDC(fw::TWinControl& control, TsCommonData& skinData, POINT source, int offsetY,
                    int offsetX, bool fillCorners, HDC dc, RECT dest) {
  const int saved = BeginCopy(skinData, fillCorners, dc, dest);
  if (!saved) return;
  const bool designing = control.ComponentState() & fw::csDesigning;
  ExcludeControls(dc, control, offsetY, offsetX, [&](fw::TControl& child) {
    RECT r = child.BoundsRect();
    OffsetRect(&r, offsetX, offsetY);
    return child.Visible() && Overlaps(r, dest) &&
           (!child.IsWindowed() || child.ControlStyle() & fw::csOpaque || designing);
  });
  EndCopy(skinData, source, dc, dest, saved);
}

void PaintCacheToWindowDC(HWND window, TsCommonData& skinData, POINT source, int offsetY,
                          int offsetX, bool fillCorners, HDC dc, RECT dest) {
  const int saved = BeginCopy(skinData, fillCorners, dc, dest);
  if (!saved) return;
  RECT frame{};
  GetWindowRect(window, &frame);
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT r{};
    GetWindowRect(child, &r);
    OffsetRect(&r, offsetX - frame.left, offsetY - frame.top);
    if (IsPlainGroupBox(child))
      ExcludeGroupBoxFrame(dc, child, r);
    else
      ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
  }
  EndCopy(skinData, source, dc, dest, saved);
}
