#include "skin/controls/veEditWnd.h"

#include "framework/OnThrow.h"
#include "platform/GdiScopes.h"
#include "skin/data/sSkinCommands.h"
#include "skin/data/sSkinManager.h"
#include "skin/render/sControlKinds.h"
#include "skin/render/sPaintFlags.h"

namespace {

bool ClipEmpty(HDC dc) {
  RECT box;
  return GetClipBox(dc, &box) == NULLREGION;
}

}  // namespace

TveEditWnd::TveEditWnd(HWND handle, bool repaint, const std::string& skinSection,
                       TsSkinManager* manager, TsCommonData* skinData)
    : TveBaseWnd(handle, false, skinSection.empty() ? "EDIT" : skinSection, manager, skinData) {
  SkinData->SetSkinSection(skinSection.empty() ? "EDIT" : skinSection);
  SkinData->UpdateIndexes();
  if (SkinData->ControlKind == 0) SkinData->ControlKind = kAdaptedEditKind;
  SaveControlColors();
  char name[16] = {};
  GetClassNameA(handle, name, sizeof name);
  SingleLine = lstrcmpiA(name, "Edit") == 0 && !(GetWindowLongA(handle, GWL_STYLE) & ES_MULTILINE);
  if (fw::TWinControl* control = OwnerControl()) {
    savedStyle_ = control->ControlStyle();
    if (SkinData->ControlKind != kListViewKind)
      control->SetControlStyle(savedStyle_ | fw::csOpaque);
  }
  if (repaint && IsWindowVisible(handle))
    RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

TveEditWnd::~TveEditWnd() {
  if (!Destroyed && IsWindow(Handle)) LetGo();
}

void TveEditWnd::SaveControlColors() {
  auto* control = dynamic_cast<fw::TWinControl*>(SkinData->HostControl);
  if (!control) return;
  SavedColor = control->Color();
  SavedFontColor = control->Font().Color();
}

void TveEditWnd::RestoreControlColors() {
  ColorsApplied = false;
  if (IsWindowVisible(Handle))
    SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
  fw::TWinControl* control = OwnerControl();
  if (!control || control->Destroying()) return;
  control->SetControlStyle(savedStyle_);
  control->SetColor(SavedColor);
  control->Font().SetColor(SavedFontColor);
}

void TveEditWnd::ApplySkinColors() {
  if (StyleLock) return;
  ColorsApplied = true;
  if (!SectionSkinned()) return;
  SkinData->Deferred = true;
  StyleLock = true;
  const TsGeneralData& section = SkinManager->SectionTable[size_t(SkinData->SectionIndex)];
  int state = SkinData->IsHot() && HasHotState(*SkinData) ? 1 : 0;
  if (fw::TWinControl* control = OwnerControl()) {
    if (!SkinData->CustomColor) {
      BgColor = COLORREF(SkinData->GetBgColor(state, Handle));
      if (control->Color() != fw::TColor(BgColor)) control->SetColor(fw::TColor(BgColor));
    }
    if (!SkinData->CustomFont && SkinData->ControlKind != kListViewKind) {
      fw::TColor font = SkinData->Tone(section.States[size_t(state)].FontColor);
      if (control->Font().Color() != font) control->Font().SetColor(font);
    }
  } else if (!SkinData->CustomColor) {
    BgColor = DialogChild ? GetSysColor(COLOR_WINDOW) : COLORREF(SkinData->GetBgColor(0, Handle));
  }
  SkinData->SetBgDirty(true);
  SkinData->Deferred = false;
  StyleLock = false;
}

bool TveEditWnd::SectionSkinned() const {
  return Skinned() && SkinManager->IsValidSectionIndex(SkinData->SectionIndex);
}

int TveEditWnd::FrameWidth() {
  if (ClientOffset.top < 0) ClientOffset = ClientRectInWindow(Handle);
  return ClientOffset.top;
}

void TveEditWnd::PaintNonClient() {
  if (AnimationInProgress || SkinData->IsDeferred()) return;
  platform::WindowDC dc(Handle, true);
  if (!ClipEmpty(dc)) {
    if (SkinData->BgDirty) {
      if (!ColorsApplied) ApplySkinColors();
      RenderFrameCache(*SkinData, Handle);
    }
    if (!SkinData->BgDirty && SkinData->CacheBitmap) {
      UpdateScrollInfo(false);
      CopyFrameFromCache(dc, *SkinData->CacheBitmap, FrameWidth());
      PaintScrollBars(dc);
    }
  }
}

void TveEditWnd::Print(fw::TMessage& message) {
  // A control that prints itself is asked first; answering 2 it says that what it printed is
  // the whole picture. Its default handling would paint the client once more than needed (a
  // whole list view's rows, the larger part of a skin change's final look), so that paint is
  // left out; a control that then says its own picture is whole is asked again with it.
  passingPrintOn_ = true;
  clientPrintSkipped_ = false;
  {
    fw::TOnThrow stopSkipping([this] { passingPrintOn_ = false; });
    PassOn(message);
  }
  passingPrintOn_ = false;
  if (message.Result == 2 && clientPrintSkipped_) PassOn(message);
  if (message.Result == 2) return;
  HDC dc = reinterpret_cast<HDC>(message.WParam);
  UpdateGeometry();
  SkinData->Deferred = false;
  SkinData->SetBgDirty(true);
  if (!ColorsApplied) ApplySkinColors();
  RenderFrameCache(*SkinData, Handle);
  RepairCorners(*SkinData, 0, *this);
  int frame = FrameWidth();
  if ((message.LParam & PRF_NONCLIENT) && SkinData->CacheBitmap) {
    CopyFrameFromCache(dc, *SkinData->CacheBitmap, frame);
    PaintScrollBars(dc);
  }
  if (!(message.LParam & PRF_CLIENT)) return;
  int saved = SaveDC(dc);
  RECT client;
  GetClientRect(Handle, &client);
  OffsetViewportOrgEx(dc, ClientOffset.left, ClientOffset.top, nullptr);
  IntersectClipRect(dc, 0, 0, client.right, client.bottom);
  HBRUSH brush = CreateSolidBrush(BgColor);
  FillRect(dc, &client, brush);
  DeleteObject(brush);
  SendMessageA(Handle, WM_PRINTCLIENT, message.WParam, PRF_CLIENT | PRF_OWNED);
  RestoreDC(dc, saved);
}

bool TveEditWnd::HandleEditMessage(fw::TMessage& message) {
  bool visible = IsWindowVisible(Handle) && !StyleLock;
  if (message.Msg == SkinCommandMsg) {
    bool ours = reinterpret_cast<TsSkinManager*>(message.LParam) == SkinManager;
    switch (HIWORD(message.WParam)) {
      case CmdSkinLoaded:
        // The new skin's colours are taken at the refresh or the next paint.
        if (ours) {
          ColorsApplied = false;
          SkinData->SetBgDirty(true);
        }
        return false;
      case CmdSkinRefresh:
        if (!ours) return false;
        TveBaseWnd::HandleMessage(message);
        ApplySkinColors();
        return true;
      case CmdEndUpdate:
        if (SkinData->Deferred && !SkinData->ResetDeferred(true))
          RedrawWindow(Handle, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return false;
      case CmdIsSkinned:
        message.Result = 1;
        return true;
      case CmdBgRepainted:
        UpdateGeometry();
        RenderFrameCache(*SkinData, Handle);
        RepairCorners(*SkinData, 0, *this);
        return true;
      case CmdGetSectionIndex:
        if (message.LParam)
          reinterpret_cast<TveSectionInfo*>(message.LParam)->Index = SkinData->SectionIndex;
        message.Result = 1;
        return true;
      case CmdBeforeScroll:
      case CmdAfterScroll:
        if (!LeftScrollBar) return false;
        SendMessageA(Handle, WM_SETREDRAW, HIWORD(message.WParam) == CmdAfterScroll, 0);
        if (HIWORD(message.WParam) == CmdAfterScroll) InvalidateRect(Handle, nullptr, TRUE);
        return true;
      default:
        return false;
    }
  }
  switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      TveBaseWnd::HandleMessage(message);
      if (OwnerControl() && (GetWindowLongA(Handle, GWL_STYLE) & WS_TABSTOP) &&
          HasHotState(*SkinData)) {
        SkinData->SetBgDirty(true);
        SkinData->IsFocused = message.Msg == WM_SETFOCUS;
        SendMessageA(Handle, WM_NCPAINT, 0, 0);
      }
      return true;
    }
    case WM_SETREDRAW:
      if (message.WParam == 1 && ChildrenChanged) {
        ChildrenChanged = false;
        if (fw::TWinControl* control = OwnerControl()) NotifyFormAdopt(control);
      }
      return false;
    case WM_SETTEXT:
    case fw::CM_ENABLEDCHANGED:
    case fw::CM_FONTCHANGED:
      SkinData->SetBgDirty(true);
      if (!SkinData->Deferred)
        RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
      return false;
    case WM_PAINT: {
      if (!visible) return false;
      auto dc = reinterpret_cast<HDC>(message.WParam);
      if (dc && dc != SkinData->PrintTarget && ClipEmpty(dc)) return true;
      // A disabled single-line edit shows its cached picture, into the context the message
      // brings when it is being printed.
      if (SingleLine && !IsWindowEnabled(Handle) && SkinData->CacheBitmap) {
        platform::PaintScope paint(Handle, message.WParam);
        BitBlt(paint, -ClientOffset.left, -ClientOffset.top, SkinData->CacheBitmap->Width(),
               SkinData->CacheBitmap->Height(), SkinData->CacheBitmap->DC(), 0, 0, SRCCOPY);
        return true;
      }
      if (SkinData->Deferred || (AnimationInProgress && !SkinData->PrintTarget)) {
        platform::PaintScope paint(Handle, message.WParam);
        return true;
      }
      if (!ColorsApplied) ApplySkinColors();
      return false;
    }
    case WM_ERASEBKGND: {
      if (!visible) return false;
      auto dc = reinterpret_cast<HDC>(message.WParam);
      if ((dc != SkinData->PrintTarget && ClipEmpty(dc)) || SkinData->Deferred) {
        message.Result = 1;
        return true;
      }
      if (!ColorsApplied) ApplySkinColors();
      if ((SingleLine && !IsWindowEnabled(Handle)) ||
          (AnimationInProgress && dc != SkinData->PrintTarget)) {
        message.Result = 1;
        return true;
      }
      return false;
    }
    case WM_NCPAINT:
      if (!visible) return false;
      PaintNonClient();
      message.Result = 0;
      return true;
    case WM_PRINT:
      Print(message);
      return true;
    case WM_PRINTCLIENT:
      if (!passingPrintOn_) return false;
      clientPrintSkipped_ = true;
      message.Result = 0;
      return true;
    default:
      return false;
  }
}

void TveEditWnd::HandleMessage(fw::TMessage& message) {
  // Without its section in the skin the control keeps the platform's frame and colours; only
  // its scroll bars are the skin's.
  if (Destroyed || !SectionSkinned()) {
    TveBaseWnd::HandleMessage(message);
    return;
  }
  if (HandleEditMessage(message)) return;
  TveBaseWnd::HandleMessage(message);
  switch (message.Msg) {
    case WM_SIZE:
      if (IsWindowVisible(Handle)) SendMessageA(Handle, WM_NCPAINT, 0, 0);
      break;
    case WM_PARENTNOTIFY:
      if (LOWORD(message.WParam) == WM_CREATE && SkinManager &&
          (SkinManager->SkinningRules & srThirdParty))
        ChildrenChanged = true;
      break;
    case fw::CM_CONTROLLISTCHANGE:
      ChildrenChanged = true;
      break;
    default:
      break;
  }
}
