#include "skin/render/sControlBg.h"

#include "skin/data/SkinSystem.h"
#include "skin/data/sSkinCommands.h"
#include "skin/render/sCtrlUtils.h"
#include "skin/render/sParentBg.h"

namespace {

void StartQuery(TsBgQuery& query, bool pleaseDraw) {
  query.Bitmap = nullptr;
  query.Kind = bgkNone;
  query.PleaseDraw = pleaseDraw;
  query.BorderRect = {};
}

// Has the parent erase and paint itself into the asker's surface: the surface's origin is moved
// to where the asker sits in the parent, and only the asker's DrawRect is let through.
template <typename Send>
void DrawParentInto(const TsBgQuery& query, Send send) {
  HDC dc = static_cast<HDC>(query.DrawDC);
  if (!dc) return;
  const int saved = SaveDC(dc);
  OffsetViewportOrgEx(dc, -query.OffsetX, -query.OffsetY, nullptr);
  const TRect& r = query.DrawRect;
  IntersectClipRect(dc, r.Left + query.OffsetX, r.Top + query.OffsetY, r.Right + query.OffsetX,
                    r.Bottom + query.OffsetY);
  send(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
  send(WM_PAINT, reinterpret_cast<WPARAM>(dc));
  RestoreDC(dc, saved);
  // The asker reads the pixels next.
  GdiFlush();
}

TsMaskData const* BorderEntry(const TsCommonData& skinData) {
  const TsSkinModel* manager = skinData.PaintSkin();
  if (!manager || !manager->IsValidImageIndex(skinData.BorderMaskIndex)) return nullptr;
  return &manager->ImageTable[size_t(skinData.BorderMaskIndex)];
}

TRect Bounds(const fw::TControl& control) {
  const RECT r = control.BoundsRect();
  return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

bool QueryParentBg(TsBgQuery& query, fw::TControl* control, bool pleaseDraw) {
  StartQuery(query, pleaseDraw);
  if (!control) return false;
  SendSkinCommand(control, CmdGetBg, reinterpret_cast<LPARAM>(&query));
  if (query.Kind != bgkNone) return true;
  if (pleaseDraw) {
    DrawParentInto(query, [control](UINT msg, WPARAM dc) { SendToControl(control, msg, dc, 0); });
  } else {
    query.Kind = bgkColor;
    const LRESULT color = SendSkinCommand(control, CmdGetBgColor, 0);
    query.Color = color ? int32_t(color) : control->Color();
  }
  return true;
}

bool QueryParentWindowBg(TsBgQuery& query, HWND window, bool pleaseDraw,
                         const TsSkinModel* manager) {
  StartQuery(query, pleaseDraw);
  SendSkinCommand(window, CmdGetBg, reinterpret_cast<LPARAM>(&query));
  if (query.Kind != bgkNone) return true;
  if (pleaseDraw) {
    DrawParentInto(query, [window](UINT msg, WPARAM dc) { SendMessageA(window, msg, dc, 0); });
  } else {
    query.Kind = bgkColor;
    query.Color = manager ? manager->Palette[0] : skin::SysColor(skin::kColorBtnFace);
  }
  return false;
}

bool QueryBgBehind(TsBgQuery& query, TsCommonData& skinData, HWND window, POINT at) {
  HWND parent = GetParent(window);
  if (!parent) return false;
  // The parent adds where its client lies in its picture to the asker's place.
  ScreenToClient(parent, &at);
  query.OffsetX = at.x;
  query.OffsetY = at.y;
  if (skinData.HostControl && skinData.HostControl->Parent())
    QueryParentBg(query, skinData.HostControl->Parent(), false);
  else
    QueryParentWindowBg(query, parent, false, skinData.GetSkinManager());
  return true;
}

void FillCornersFromParent(TsCommonData& skinData, int state, int corners) {
  const TsMaskData* entry = BorderEntry(skinData);
  fw::TControl* host = skinData.HostControl;
  if (!entry || entry->CornerTransparency <= 0 || !skinData.CacheBitmap || !host) return;
  TsBgQuery answer;
  if (host->Parent()) {
    QueryParentBg(answer, host->Parent(), false);
  } else if (host->IsWindowed() && static_cast<fw::TWinControl*>(host)->HandleAllocated()) {
    HWND window = static_cast<fw::TWinControl*>(host)->Handle();
    QueryParentWindowBg(answer, GetParent(window), false, skinData.GetSkinManager());
  } else {
    return;
  }
  FillCornersFromParentBg(*skinData.CacheBitmap, *entry, state, corners, Bounds(*host), answer);
}

void PaintControlBorder(img::Bitmap32& target, TRect rect, int extra, TRect& clientRect, int state,
                        TsCommonData& skinData) {
  const int32_t plainColor = skinData.GetBgColor(state, nullptr);
  fw::TControl* host = skinData.HostControl;
  TsBgQuery answer;
  if (host && host->Parent()) QueryParentBg(answer, host->Parent(), false);
  const TsMaskData* border = BorderEntry(skinData);
  if (border) skinData.PrepareCache();
  img::Bitmap32& cache = border ? *skinData.CacheBitmap : target;
  const TPoint hostPos = host ? TPoint{host->Left(), host->Top()} : TPoint{};
  PaintBorderOverParentBg(cache, target, rect, extra, clientRect, state, border, plainColor,
                          hostPos, answer);
}
