// What a control's skin state answers about its background: its plain colour, whether it
// varies, and what its children see behind them.
#include <algorithm>

#include "skin/data/SkinSystem.h"
#include "skin/data/sSkinCommands.h"
#include "skin/render/sBlend.h"
#include "skin/render/sCommonData.h"
#include "skin/render/sControlBg.h"
#include "skin/render/sManagerLink.h"

namespace {

int32_t ButtonFace() {
  return skin::SysColor(skin::kColorBtnFace);
}

// The plain colour behind the control: its parent's (as the parent answers it), else the
// control's own; without a host, the answer of the window's parent, else the button face.
int32_t ParentColor(fw::TControl* host, HWND window) {
  if (host) {
    fw::TWinControl* parent = host->Parent();
    return parent ? GetControlBgColor(parent) : skin::ColorToRGB(host->Color());
  }
  HWND parent = GetParent(window);
  return parent ? GetWindowBgColor(parent) : ButtonFace();
}

POINT PositionInParent(HWND window, HWND parent) {
  RECT r{};
  GetWindowRect(window, &r);
  POINT p{r.left, r.top};
  ScreenToClient(parent, &p);
  return p;
}

bool IsBitmapAnswer(const TsBgQuery& query) {
  return query.Kind == bgkBitmap && query.Bitmap;
}

void FillDrawRect(const TsBgQuery& query, int32_t color) {
  if (!query.DrawDC) return;
  const TRect& r = query.DrawRect;
  const RECT rect{r.Left, r.Top, r.Right, r.Bottom};
  HBRUSH brush = CreateSolidBrush(COLORREF(skin::ColorToRGB(color)));
  FillRect(static_cast<HDC>(query.DrawDC), &rect, brush);
  DeleteObject(brush);
}

}  // namespace

int32_t TsCommonData::GetBgColor(int state, HWND window) const {
  if (!IsSkinned() || CustomColor)
    return HostControl ? skin::ColorToRGB(HostControl->Color()) : ButtonFace();
  const TsGeneralData& section = *Section();
  const TsGenState& look = section.States[state > 0 && section.StateCount > 1 ? 1 : 0];
  if (look.Transparency == 0) return look.Color;
  if (!HostControl && !window) return ButtonFace();
  const int32_t parent = ParentColor(HostControl, window);
  if (look.Transparency >= 100) return parent;
  return MixColors(parent, look.Color, look.Transparency / 100.0);
}

bool TsCommonData::AnswerBgComplex(fw::TMessage& message) const {
  const TsGeneralData* section = Section();
  if (!section) return false;
  const TsGenState& normal = section->States[0];
  fw::TWinControl* parent = HostControl ? HostControl->Parent() : nullptr;
  if (normal.Transparency > 0 && parent) {
    message.Result = SendSkinCommand(parent, CmdIsBgComplex, message.LParam) & 0x7F;
  } else if (normal.GradientPercent + normal.ImagePercent > 0 || NeedsParentRepaint()) {
    message.Result = 1;
  } else {
    const TsMaskData* border = BorderEntry();
    message.Result = border && border->PaintFlags & 4 ? 1 : 0;
  }
  return true;
}

void TsCommonData::AnswerWithCache(TsBgQuery& query) {
  query.Kind = bgkBitmap;
  if (!query.PleaseDraw) {
    query.Bitmap = CacheBitmap.get();
    query.OffsetX = query.OffsetY = 0;
    return;
  }
  if (!query.DrawDC) return;
  const TRect& r = query.DrawRect;
  BitBlt(static_cast<HDC>(query.DrawDC), r.Left, r.Top, r.Width(), r.Height(), CacheBitmap->DC(),
         r.Left + query.OffsetX, r.Top + query.OffsetY, SRCCOPY);
}

// A see-through control whose background is plain passes the question to what lies behind it;
// a picture from there is moved by where the control sits.
void TsCommonData::PassBgQueryOn(TsBgQuery& query, HWND window) {
  const bool draw = query.PleaseDraw;
  fw::TWinControl* parent = HostControl ? HostControl->Parent() : nullptr;
  POINT at{};
  if (parent) {
    at = {HostControl->Left(), HostControl->Top()};
  } else if (window && GetParent(window)) {
    at = PositionInParent(window, GetParent(window));
  } else {
    const TsSkinModel* fallback = ResolveManager(nullptr);
    query.Kind = bgkColor;
    query.Color = fallback ? fallback->Palette[0] : ButtonFace();
    return;
  }
  if (draw) {
    query.OffsetX += at.x;
    query.OffsetY += at.y;
  }
  if (parent)
    QueryParentBg(query, parent, draw);
  else
    QueryParentWindowBg(query, GetParent(window), draw, GetSkinManager());
  if (!draw && IsBitmapAnswer(query)) {
    query.OffsetX += at.x;
    query.OffsetY += at.y;
  }
}

void TsCommonData::GetBgQuery(TsBgQuery& query, int state, HWND window) {
  query.Bitmap = nullptr;
  if (!IsSkinned() || CustomColor) {
    query.Kind = bgkColor;
    query.Color = GetBgColor(0, window);
    return;
  }
  const TsGeneralData& section = *Section();
  const int s = std::max(0, std::min({state, section.StateCount - 1, 1}));
  const TsGenState& look = section.States[size_t(s)];
  const TsSkinModel& manager = *PaintSkin();
  if (look.Transparency == 0) {
    const bool corners = std::any_of(section.CornerIndex.begin(), section.CornerIndex.end(),
                                     [&manager](int i) { return manager.IsValidImageIndex(i); });
    if (look.GradientPercent <= 0 && look.ImagePercent < 1 && !corners) {
      query.Kind = bgkColor;
      query.Color = GetBgColor(state, window);
      const TsMaskData* border = BorderEntry();
      if (border && !(border->PaintFlags & 2)) {
        query.BorderRect = {border->MarginLeft, border->MarginTop, border->MarginRight,
                            border->MarginBottom};
        query.Bitmap = CacheBitmap.get();
        query.OffsetX = query.OffsetY = 0;
      }
      if (query.PleaseDraw) FillDrawRect(query, query.Color);
      return;
    }
    query.Color = manager.Palette[0];
    const bool ready = CacheBitmap && !CacheBitmap->Empty() && HostControl &&
                       CacheBitmap->Width() == HostControl->Width() &&
                       CacheBitmap->Height() == HostControl->Height();
    if (!ready) {
      query.Kind = bgkNotReady;
      return;
    }
    AnswerWithCache(query);
    return;
  }
  if (look.Transparency >= 100) {
    if (SkinStateFlags & kStateUniformBg || !CacheBitmap) {
      PassBgQueryOn(query, window);
      return;
    }
    if (BgDirty && HostControl) SendSkinCommand(HostControl, CmdBgRepainted, 0);
    // An emptied picture (hidden, cleared, skin removed) has nothing to show yet.
    if (CacheBitmap->Empty()) {
      Deferred = true;
      query.Kind = bgkNotReady;
      return;
    }
    AnswerWithCache(query);
    return;
  }
  if (!CacheBitmap) {
    query.Kind = bgkColor;
    query.Color = kKeyColor;
  } else if (CacheBitmap->Empty()) {
    Deferred = true;
    query.Kind = bgkNotReady;
  } else {
    AnswerWithCache(query);
  }
}

void TsCommonData::GetBgSource(TsBgSource& source) const {
  fw::TWinControl* parent = HostControl ? HostControl->Parent() : nullptr;
  HWND parentWindow = !parent && HostWindow() ? GetParent(HostWindow()) : nullptr;
  if (IsSkinned() && (parent || parentWindow)) {
    TsBgQuery query;
    if (parent)
      QueryParentBg(query, parent, false);
    else
      QueryParentWindowBg(query, parentWindow, false, GetSkinManager());
    source = BgQueryToSource(query);
    if (query.Kind == bgkNotReady) {
      source.Valid = false;
      source.BgColor = kKeyColor;
    }
    return;
  }
  source = EmptyBgSource;
  source.BgColor = GetBgColor(0, nullptr);
}

void GetWindowBgSource(HWND window, TsBgSource& source) {
  HWND parent = GetParent(window);
  if (!parent) {
    source = EmptyBgSource;
    return;
  }
  TsBgQuery query;
  QueryParentWindowBg(query, parent, false, ResolveManager(nullptr));
  source = BgQueryToSource(query);
}
