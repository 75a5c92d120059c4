#include "skin/controls/vePanelWnd.h"

#include "platform/GdiScopes.h"
#include "skin/data/sSkinCommands.h"
#include "skin/render/sControlText.h"
#include "skin/render/sCtrlUtils.h"
#include "skin/render/sGraphicControls.h"

namespace {

std::string ClassSection(HWND handle) {
  char name[16] = "";
  GetClassNameA(handle, name, sizeof name);
  return PanelSectionFor(GetWindowLongA(handle, GWL_STYLE), GetWindowLongA(handle, GWL_EXSTYLE),
                         lstrcmpiA(name, "Static") == 0);
}

}  // namespace

std::string PanelSectionFor(LONG style, LONG exStyle, bool staticClass) {
  const LONG kind = style & SS_TYPEMASK;
  if (exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE) || (staticClass && kind == SS_SUNKEN))
    return "PANEL_LOW";
  if (staticClass && kind == SS_ETCHEDFRAME) return "GROUPBOX";
  if (exStyle & (WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME) || style & (WS_BORDER | WS_DLGFRAME))
    return "PANEL";
  return "CHECKBOX";
}

TvePanelWnd::TvePanelWnd(HWND handle, bool repaint, const std::string& skinSection,
                         TsSkinManager* manager, TsCommonData* skinData)
    : TveBaseWnd(handle, false, skinSection.empty() ? ClassSection(handle) : skinSection, manager,
                 skinData) {
  SkinData->UpdateIndexes();
  // The children are painted over the container's picture, never under it.
  const LONG style = GetWindowLongA(handle, GWL_STYLE);
  clipAdded_ = !(style & WS_CLIPCHILDREN);
  SetWindowLongA(handle, GWL_STYLE, style | WS_CLIPCHILDREN);
  if (repaint && IsWindowVisible(handle)) Repaint();
}

TvePanelWnd::~TvePanelWnd() {
  if (clipAdded_ && IsWindow(Handle))
    SetWindowLongA(Handle, GWL_STYLE, GetWindowLongA(Handle, GWL_STYLE) & ~WS_CLIPCHILDREN);
}

bool TvePanelWnd::SectionSkinned() const {
  return !Destroyed && Skinned() && SkinManager->IsValidSectionIndex(SkinData->SectionIndex);
}

void TvePanelWnd::Repaint() {
  SkinData->SetBgDirty(true);
  RedrawWindow(Handle, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

bool TvePanelWnd::RenderCache() {
  if (!SkinData->BgDirty && SkinData->CacheBitmap) return true;
  UpdateGeometry();
  RenderFrameCache(*SkinData, Handle);
  if (SkinData->BgDirty || !SkinData->CacheBitmap) return false;
  if (ShowsCaption()) PaintCaption();
  GdiFlush();
  return true;
}

void TvePanelWnd::PaintCaption() {
  if (Caption.empty()) return;
  const RECT client = ClientRectInWindow(Handle);
  HDC dc = SkinData->CacheBitmap->DC();
  platform::Selection font(dc, ControlFont());
  SetBkMode(dc, TRANSPARENT);
  // Centred by the height of a capital, so captions of any letters stand on one line.
  SIZE letter{};
  GetTextExtentPoint32A(dc, "W", 1, &letter);
  const int top = client.top + (client.bottom - client.top - letter.cy) / 2;
  RECT area{client.left + 2, top, client.right - 2, top + letter.cy};
  UINT align = DT_CENTER;
  if (GetWindowLongA(Handle, GWL_STYLE) & SS_RIGHT) align = DT_RIGHT;
  PaintControlText(dc, Caption, IsWindowEnabled(Handle), false, *SkinData,
                   align | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS, area);
}

void TvePanelWnd::PaintClient(HDC dc) {
  if (!RenderCache()) return;
  const RECT client = ClientRectInWindow(Handle);
  const img::Bitmap32& cache = *SkinData->CacheBitmap;
  BitBlt(dc, 0, 0, client.right - client.left, client.bottom - client.top, cache.DC(), client.left,
         client.top, SRCCOPY);
}

void TvePanelWnd::PaintFrame() {
  const RECT client = ClientRectInWindow(Handle);
  if (client.top <= 0 || !RenderCache()) return;
  CopyFrameFromCache(platform::WindowDC(Handle, true), *SkinData->CacheBitmap, client.top);
}

void TvePanelWnd::HandleMessage(fw::TMessage& message) {
  if (!SectionSkinned()) {
    TveBaseWnd::HandleMessage(message);
    return;
  }
  switch (message.Msg) {
    case WM_ERASEBKGND:
      PaintClient(reinterpret_cast<HDC>(message.WParam));
      message.Result = 1;
      return;
    case WM_PAINT: {
      // The platform's class never paints over the picture; a framework container's windowless
      // children are painted over it.
      AnswerPaint(message, [this](HDC dc) {
        PaintClient(dc);
        if (fw::TWinControl* control = OwnerControl()) PaintGraphicControls(dc, *control, true);
      });
      return;
    }
    case WM_PRINT: {
      HDC dc = reinterpret_cast<HDC>(message.WParam);
      SkinData->SetBgDirty(true);
      if (!RenderCache()) return;
      const img::Bitmap32& cache = *SkinData->CacheBitmap;
      BitBlt(dc, 0, 0, cache.Width(), cache.Height(), cache.DC(), 0, 0, SRCCOPY);
      PaintScrollBars(dc);
      return;
    }
    case WM_NCPAINT:
      TveBaseWnd::HandleMessage(message);
      PaintFrame();
      return;
    case WM_SETTEXT:
    case WM_ENABLE:
    case WM_WINDOWPOSCHANGED:
    case fw::CM_TEXTCHANGED:
    case fw::CM_SHOWINGCHANGED: {
      const RECT before = WindowRect;
      TveBaseWnd::HandleMessage(message);
      UpdateGeometry();
      const bool moved = !EqualRect(&before, &WindowRect);
      if (message.Msg != WM_WINDOWPOSCHANGED || moved) Repaint();
      return;
    }
    case WM_PARENTNOTIFY:
      TveBaseWnd::HandleMessage(message);
      if (LOWORD(message.WParam) == WM_CREATE) NotifyAdoptNewChild(OwnerControl(), Handle);
      return;
    default:
      break;
  }
  if (message.Msg == SkinCommandMsg) {
    const uint16_t command = HIWORD(message.WParam);
    const bool ours = reinterpret_cast<TsSkinManager*>(message.LParam) == SkinManager;
    if (command == CmdBgRepainted || (command == CmdSkinRefresh && ours)) {
      TveBaseWnd::HandleMessage(message);
      Repaint();
      return;
    }
  }
  TveBaseWnd::HandleMessage(message);
}

void TveMDIWnd::HandleMessage(fw::TMessage& message) {
  TvePanelWnd::HandleMessage(message);
  switch (message.Msg) {
    case WM_MDICREATE:
    case WM_MDIDESTROY:
    case WM_MDITILE:
    case WM_MDICASCADE:
    case WM_MDIICONARRANGE:
    case WM_MDISETMENU:
    case WM_MDIREFRESHMENU:
      if (!Destroyed && Skinned()) UpdateScrollInfo(true);
      break;
    default:
      break;
  }
}
