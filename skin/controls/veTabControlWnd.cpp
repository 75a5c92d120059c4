#include "skin/controls/veTabControlWnd.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <array>

#include "platform/GdiScopes.h"
#include "skin/data/sSkinCommands.h"
#include "skin/render/sBgQuery.h"
#include "skin/render/sControlBg.h"
#include "skin/render/sControlSection.h"
#include "skin/render/sCtrlUtils.h"
#include "skin/render/sDcHelpers.h"
#include "skin/render/sGraphicControls.h"
#include "skin/render/sSection.h"
#include "skin/render/sSkinText.h"

namespace {

// By the side the tabs are on: top, bottom, left, right (the order of the tab sections).
constexpr std::array<const char*, 4> kPageSections = {"PAGECONTROL", "PAGECONTROLBOTTOM",
                                                      "PAGECONTROLLEFT", "PAGECONTROLRIGHT"};

int SideOf(LONG style) {
  if (style & TCS_VERTICAL) return (style & TCS_RIGHT) ? 3 : 2;
  return (style & TCS_BOTTOM) ? 1 : 0;
}

std::string PageSection(HWND handle, const std::string& given) {
  return given.empty() ? kPageSections[size_t(SideOf(GetWindowLongA(handle, GWL_STYLE)))] : given;
}

// What the parent shows behind the window, copied into the picture; false while not ready.
bool FillWithParent(TveMainWnd& adapter, img::Bitmap32& picture) {
  TsBgQuery query;
  query.OffsetX = adapter.PosInParent.x;
  query.OffsetY = adapter.PosInParent.y;
  if (adapter.SkinData->HostControl && adapter.SkinData->HostControl->Parent())
    QueryParentBg(query, adapter.SkinData->HostControl->Parent(), false);
  else
    QueryParentWindowBg(query, adapter.ParentWnd, false, adapter.SkinManager);
  if (query.Kind == bgkNotReady) return false;
  const TsBgSource bg = BgQueryToSource(query);
  const int w = picture.Width(), h = picture.Height();
  const int x = bg.OffsetX, y = bg.OffsetY;
  if (bg.Valid && bg.Bitmap && x >= 0 && y >= 0 && x + w <= bg.Bitmap->Width() &&
      y + h <= bg.Bitmap->Height())
    CopyBlock(picture, 0, 0, w, h, *bg.Bitmap, x, y);
  else
    FillRectSolid(picture, {0, 0, w, h},
                  bg.BgColor == kKeyColor ? GetWindowBgColor(adapter.ParentWnd) : bg.BgColor);
  return true;
}

// Answers a child's question about its background with the picture; the child's place in it is
// already in the query.
void AnswerWithPicture(TsBgQuery& query, img::Bitmap32& picture) {
  query.Kind = bgkBitmap;
  query.Bitmap = &picture;
  if (!query.PleaseDraw || !query.DrawDC) return;
  const TRect& r = query.DrawRect;
  BitBlt(static_cast<HDC>(query.DrawDC), r.Left, r.Top, r.Width(), r.Height(), picture.DC(),
         query.OffsetX, query.OffsetY, SRCCOPY);
}

// A font turned by angle (tenths of a degree); raster fonts cannot turn and give way to Arial.
HFONT TurnedFont(HFONT font, int angle) {
  LOGFONTA log{};
  GetObjectA(font, sizeof log, &log);
  if (lstrcmpiA(log.lfFaceName, "MS Sans Serif") == 0 || lstrcmpiA(log.lfFaceName, "System") == 0)
    lstrcpyA(log.lfFaceName, "Arial");
  log.lfEscapement = log.lfOrientation = angle;
  log.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  return CreateFontIndirectA(&log);
}

}  // namespace

TveTabControlWnd::TveTabControlWnd(HWND handle, bool repaint, const std::string& skinSection,
                                   TsSkinManager* manager, TsCommonData* skinData)
    : TvePressWnd(handle, false, PageSection(handle, skinSection), manager, skinData) {
  if (SkinManager && SkinManager->FindSection(SkinData->SkinSection) < 0)
    SkinData->SetSkinSection("PAGECONTROL");
  SkinData->UpdateIndexes();
  // Pages and the tab scroller are painted by themselves, never under the control's picture.
  const LONG style = GetWindowLongA(handle, GWL_STYLE);
  clipAdded_ = !(style & WS_CLIPCHILDREN);
  SetWindowLongA(handle, GWL_STYLE, style | WS_CLIPCHILDREN);
  AdoptScroller();
  if (repaint && IsWindowVisible(handle)) Redraw();
}

TveTabControlWnd::~TveTabControlWnd() {
  scroller_.reset();
  if (clipAdded_ && IsWindow(Handle))
    SetWindowLongA(Handle, GWL_STYLE, GetWindowLongA(Handle, GWL_STYLE) & ~WS_CLIPCHILDREN);
}

void TveTabControlWnd::AdoptScroller() {
  HWND scroller = FindWindowExA(Handle, nullptr, UPDOWN_CLASSA, nullptr);
  if (!scroller || (scroller_ && scroller_->Handle == scroller) ||
      TveMainWnd::AdapterFromHandle(scroller))
    return;
  scroller_ = std::make_unique<TveSpinWnd>(scroller, true, "UPDOWNBTN", SkinManager, nullptr);
}

int TveTabControlWnd::TabSide() const {
  return SideOf(GetWindowLongA(Handle, GWL_STYLE));
}

bool TveTabControlWnd::Buttons() const {
  return GetWindowLongA(Handle, GWL_STYLE) & TCS_BUTTONS;
}

RECT TveTabControlWnd::PageRect() const {
  RECT page;
  GetClientRect(Handle, &page);
  if (Buttons()) return {0, 0, 0, 0};
  const int count = int(SendMessageA(Handle, TCM_GETITEMCOUNT, 0, 0));
  RECT strip{};
  for (int tab = 0; tab < count; ++tab) {
    RECT r{};
    SendMessageA(Handle, TCM_GETITEMRECT, WPARAM(tab), reinterpret_cast<LPARAM>(&r));
    UnionRect(&strip, &strip, &r);
  }
  if (IsRectEmpty(&strip)) return page;
  switch (TabSide()) {
    case 0:
      page.top = strip.bottom;
      break;
    case 1:
      page.bottom = strip.top;
      break;
    case 2:
      page.left = strip.right;
      break;
    default:
      page.right = strip.left;
      break;
  }
  return page;
}

int TveTabControlWnd::TabState(int tab) const {
  if (tab == int(SendMessageA(Handle, TCM_GETCURSEL, 0, 0))) return 2;
  return tab == hot_ && IsWindowEnabled(Handle) ? 1 : 0;
}

void TveTabControlWnd::PaintTabText(int tab, RECT rect, int state, int section) {
  char text[256] = "";
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(Handle, TCM_GETITEMA, WPARAM(tab), reinterpret_cast<LPARAM>(&item));
  // The control may answer with its own copy of the text rather than fill the buffer.
  const char* caption = item.pszText ? item.pszText : "";
  if (!caption[0]) return;
  HDC dc = SkinData->CacheBitmap->DC();
  SetBkMode(dc, TRANSPARENT);
  const int side = TabSide();
  const bool enabled = IsWindowEnabled(Handle);
  if (side < 2) {
    platform::Selection font(dc, ControlFont());
    PaintSkinText(dc, caption, enabled, &Skin(), state > 0 ? 1 : 0, section,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, rect);
    return;
  }
  // Side tabs: the caption reads upwards on the left, downwards on the right.
  platform::Owned<HFONT> turned(TurnedFont(ControlFont(), side == 2 ? 900 : 2700));
  platform::Selection font(dc, ControlFont());
  SIZE size{};
  GetTextExtentPoint32A(dc, caption, lstrlenA(caption), &size);
  font.Select(turned);
  const TsGenState& look = Skin().SectionTable[size_t(section)].States[state > 0 ? 1 : 0];
  SetTextColor(dc, COLORREF(look.FontColor));
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (side == 2)
    TextOutA(dc, rect.left + (w - size.cy) / 2, rect.bottom - (h - size.cx) / 2, caption,
             lstrlenA(caption));
  else
    TextOutA(dc, rect.right - (w - size.cy) / 2, rect.top + (h - size.cx) / 2, caption,
             lstrlenA(caption));
}

void TveTabControlWnd::PaintTab(int tab, RECT rect, int state) {
  const char* name = "TOOLBUTTON";
  TsPartIndexes part{};
  if (Buttons()) {
    if (SkinManager->FindSection(name) < 0) name = "BUTTON";
    part.Section = SkinManager->FindSection(name);
  } else {
    name = kTabSections[size_t(TabSide())].data();
    part = Skin().QuickIndexes.Tabs[size_t(TabSide())];
  }
  if (!Skin().IsValidSectionIndex(part.Section)) return;
  img::Bitmap32& cache = *SkinData->CacheBitmap;
  ::PaintSection(&Skin(), part.Section, name, MakeBgSource(&cache, 0, 0), part.PatternIndex,
                 part.HotPatternIndex, cache, {0, 0},
                 {rect.left, rect.top, rect.right, rect.bottom}, state);
  GdiFlush();
  PaintTabText(tab, rect, state, part.Section);
  GdiFlush();
}

bool TveTabControlWnd::RenderCache() {
  UpdateGeometry();
  GdiFlush();  // the last copy to the screen may still read the cache
  if (!SkinData->CacheBitmap) SkinData->CacheBitmap = std::make_unique<img::Bitmap32>();
  img::Bitmap32& cache = *SkinData->CacheBitmap;
  const int w = WindowSize.cx, h = WindowSize.cy;
  if (cache.Width() != w || cache.Height() != h) cache.Resize(w, h);
  if (w <= 0 || h <= 0) return false;
  if (!FillWithParent(*this, cache)) {
    SkinData->Deferred = true;
    return false;
  }
  const RECT page = PageRect();
  if (!IsRectEmpty(&page))
    PaintControlSection(*SkinData, MakeBgSource(&cache, 0, 0), true, cache, {0, 0},
                        {page.left, page.top, page.right, page.bottom}, 0);
  // The selected tab last: it reaches over its neighbours and the frame's edge.
  const int count = int(SendMessageA(Handle, TCM_GETITEMCOUNT, 0, 0));
  const int selected = int(SendMessageA(Handle, TCM_GETCURSEL, 0, 0));
  for (int tab = 0; tab < count; ++tab) {
    if (tab == selected) continue;
    RECT r{};
    SendMessageA(Handle, TCM_GETITEMRECT, WPARAM(tab), reinterpret_cast<LPARAM>(&r));
    PaintTab(tab, r, TabState(tab));
  }
  if (selected >= 0 && selected < count) {
    RECT r{};
    SendMessageA(Handle, TCM_GETITEMRECT, WPARAM(selected), reinterpret_cast<LPARAM>(&r));
    if (!Buttons()) {
      const int side = TabSide();
      InflateRect(&r, side < 2 ? 2 : 0, side < 2 ? 0 : 2);
      if (side == 0) r.top -= 2, r.bottom += 1;
      if (side == 1) r.top -= 1, r.bottom += 2;
      if (side == 2) r.left -= 2, r.right += 1;
      if (side == 3) r.left -= 1, r.right += 2;
    }
    PaintTab(selected, r, 2);
  }
  FadeIfDisabled();
  return true;
}

void TveTabControlWnd::HandleMessage(fw::TMessage& message) {
  if (!Painting()) {
    TvePressWnd::HandleMessage(message);
    return;
  }
  switch (message.Msg) {
    case WM_MOUSEMOVE: {
      TCHITTESTINFO hit{{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)}, 0};
      const int tab = int(SendMessageA(Handle, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
      if (tab != hot_) {
        hot_ = tab;
        Redraw();
      }
      break;
    }
    case WM_MOUSELEAVE:
      hot_ = -1;
      break;
    case WM_LBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SIZE:
    case TCM_SETCURSEL:
    case TCM_INSERTITEMA:
    case TCM_INSERTITEMW:
    case TCM_DELETEITEM:
    case TCM_SETITEMA:
    case TCM_SETITEMW:
    case fw::CN_NOTIFY:
      // The selection, the tabs or their places changed: the platform drew its own look.
      TvePressWnd::HandleMessage(message);
      if (message.Msg != WM_LBUTTONDOWN || IsWindow(Handle)) {
        AdoptScroller();
        Redraw();
      }
      return;
    default:
      break;
  }
  if (message.Msg == SkinCommandMsg && HIWORD(message.WParam) == CmdGetBg && message.LParam) {
    if (!SkinData->CacheBitmap || SkinData->CacheBitmap->Empty()) RenderCache();
    if (SkinData->CacheBitmap && !SkinData->CacheBitmap->Empty()) {
      AnswerWithPicture(*reinterpret_cast<TsBgQuery*>(message.LParam), *SkinData->CacheBitmap);
      message.Result = 1;
      return;
    }
  }
  TvePressWnd::HandleMessage(message);
}

TvePageControlWnd::TvePageControlWnd(HWND handle, bool repaint, const std::string& skinSection,
                                     TsSkinManager* manager, TsCommonData* skinData)
    : TveTabControlWnd(handle, repaint, skinSection, manager, skinData) {
  AdoptPages();
}

TvePageControlWnd::~TvePageControlWnd() {
  pages_.clear();
}

void TvePageControlWnd::AdoptPages() {
  // Pages come and go: the adapters of the gone ones are dropped before new ones are made.
  std::erase_if(pages_, [](const std::unique_ptr<TvePageWnd>& page) { return page->Destroyed; });
  for (HWND child = GetWindow(Handle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[32] = "";
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, UPDOWN_CLASSA) == 0 || TveMainWnd::AdapterFromHandle(child)) continue;
    pages_.push_back(std::make_unique<TvePageWnd>(child, true, "", SkinManager, nullptr));
  }
}

void TvePageControlWnd::HandleMessage(fw::TMessage& message) {
  TveTabControlWnd::HandleMessage(message);
  if (message.Msg == WM_PARENTNOTIFY && LOWORD(message.WParam) == WM_CREATE) AdoptPages();
}

TvePageWnd::TvePageWnd(HWND handle, bool repaint, const std::string& skinSection,
                       TsSkinManager* manager, TsCommonData* skinData)
    : TveMainWnd(handle, false, skinSection, manager, skinData) {
  if (repaint && IsWindowVisible(handle))
    RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TvePageWnd::PaintTo(HDC dc) {
  UpdateGeometry();
  TsBgQuery query;
  query.OffsetX = PosInParent.x;
  query.OffsetY = PosInParent.y;
  QueryParentWindowBg(query, ParentWnd, false, SkinManager);
  RECT client;
  GetClientRect(Handle, &client);
  const TsBgSource bg = BgQueryToSource(query);
  const int x = bg.OffsetX, y = bg.OffsetY;
  if (bg.Valid && bg.Bitmap && x >= 0 && y >= 0) {
    BitBlt(dc, 0, 0, client.right, client.bottom, bg.Bitmap->DC(), x, y, SRCCOPY);
  } else {
    HBRUSH brush = CreateSolidBrush(
        COLORREF(bg.BgColor == kKeyColor ? GetWindowBgColor(ParentWnd) : bg.BgColor));
    FillRect(dc, &client, brush);
    DeleteObject(brush);
  }
  if (fw::TWinControl* control = OwnerControl()) PaintGraphicControls(dc, *control, true);
}

void TvePageWnd::HandleMessage(fw::TMessage& message) {
  if (Destroyed || !Skinned()) {
    TveMainWnd::HandleMessage(message);
    return;
  }
  if (message.Msg == SkinCommandMsg) {
    switch (HIWORD(message.WParam)) {
      case CmdGetBg:
        // The tab control's picture, from where the page lies on it.
        if (auto* query = reinterpret_cast<TsBgQuery*>(message.LParam)) {
          UpdateGeometry();
          query->OffsetX += PosInParent.x;
          query->OffsetY += PosInParent.y;
          QueryParentWindowBg(*query, ParentWnd, query->PleaseDraw, SkinManager);
        }
        message.Result = 1;
        return;
      case CmdEndUpdate:
        if (SkinData->Deferred) {
          SkinData->Deferred = false;
          InvalidateRect(Handle, nullptr, TRUE);
        }
        return;
      case CmdIsSkinned:
        message.Result = 1;
        return;
      default:
        break;
    }
  }
  switch (message.Msg) {
    case WM_PAINT: {
      AnswerPaint(message, [this](HDC dc) { PaintTo(dc); });
      return;
    }
    case WM_ERASEBKGND:
      PaintTo(reinterpret_cast<HDC>(message.WParam));
      message.Result = 1;
      return;
    case WM_NCPAINT:
      return;
    case WM_PRINT:
      PaintTo(reinterpret_cast<HDC>(message.WParam));
      return;
    case WM_PARENTNOTIFY:
      PassOn(message);
      if (LOWORD(message.WParam) == WM_CREATE)
        SendSkinCommand(GetAncestor(Handle, GA_ROOT), CmdAdoptAgain, 0);
      return;
    default:
      TveMainWnd::HandleMessage(message);
      return;
  }
}
