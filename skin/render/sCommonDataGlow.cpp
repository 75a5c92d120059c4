// The glow around a hovered control: shown when the mouse comes over it, hidden when it leaves,
// is disabled or moves, and when the skin goes.
#include "platform/GdiScopes.h"
#include "skin/render/sCommonData.h"
#include "skin/render/sFadeTimer.h"
#include "skin/render/sGlow.h"
#include "skin/render/sManagerLink.h"

namespace {

// The visible part of a window, relative to its window rectangle; empty when none shows.
RECT VisiblePart(HWND window) {
  RECT box{};
  platform::WindowDC dc(window, true);
  if (!dc) return box;
  if (GetClipBox(dc, &box) == NULLREGION) box = {};
  return box;
}

struct TsGlowTarget {
  RECT Rect{};     // screen coordinates
  RECT Visible{};  // relative to Rect
  HWND TopLevel = nullptr;
};

TsGlowTarget WindowTarget(HWND window) {
  TsGlowTarget t;
  GetWindowRect(window, &t.Rect);
  t.Visible = VisiblePart(window);
  t.TopLevel = GetAncestor(window, GA_ROOT);
  return t;
}

// A windowless control: its place on the screen, and the part of it inside what its parent
// shows.
TsGlowTarget WindowlessTarget(fw::TControl& control) {
  TsGlowTarget t;
  fw::TWinControl* parent = control.Parent();
  if (!parent || !parent->HandleAllocated()) return t;
  HWND parentWindow = parent->Handle();
  RECT bounds = control.BoundsRect();
  RECT shown{};
  if (platform::WindowDC dc(parentWindow); dc) {
    RECT clip{};
    if (GetClipBox(dc, &clip) != NULLREGION) IntersectRect(&shown, &bounds, &clip);
  }
  t.Rect = bounds;
  MapWindowPoints(parentWindow, nullptr, reinterpret_cast<POINT*>(&t.Rect), 2);
  if (!IsRectEmpty(&shown))
    t.Visible = {shown.left - bounds.left, shown.top - bounds.top, shown.right - bounds.left,
                 shown.bottom - bounds.top};
  t.TopLevel = GetAncestor(parentWindow, GA_ROOT);
  return t;
}

}  // namespace

TsCommonData::~TsCommonData() {
  HideGlow(GlowHandle);
  StopFade(*this);
}

void TsCommonData::ShowGlowFor(bool hiding, HWND window) {
  const TsSkinModel* manager = GetSkinManager();
  const TsGeneralData* section = Section();
  if (!manager || !section || section->Glow < 1 || !ManagerAllowsGlowing(*manager)) return;
  const bool shown = GlowWindow(GlowHandle) != nullptr;
  const bool creating = HostControl && HostControl->ControlState() & fw::csCreating;
  if (!IsMouseOver || creating || (hiding && shown)) {
    HideGlow(GlowHandle);
    return;
  }
  if (shown) return;
  TsGlowTarget target;
  if (HostControl) {
    fw::TWinControl* windowed = WindowedHost();
    if (windowed && !windowed->HandleAllocated()) return;
    target = windowed ? WindowTarget(windowed->Handle()) : WindowlessTarget(*HostControl);
  } else {
    if (!window) return;
    target = WindowTarget(window);
  }
  // A handle that went stale when every glow was hidden is dropped here.
  GlowHandle = ShowGlow(target.Rect, target.Visible, SkinSection, manager, target.TopLevel,
                        section->GlowMargin, "GLOW");
}
