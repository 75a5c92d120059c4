#include "skin/forms/veDialogWnd.h"

#include "platform/GdiScopes.h"
#include "skin/data/sSkinCommands.h"
#include "skin/forms/sFrameMetrics.h"
#include "skin/forms/sFrameWindow.h"
#include "skin/forms/veDialogSystemMenu.h"
#include "skin/forms/veProvider.h"
#include "skin/render/sBgQuery.h"
#include "skin/render/sPaintFlags.h"
#include "skin/render/sSection.h"
#include "skin/render/sSkinText.h"
#include "skin/render/sWindowRegion.h"

namespace {

// The platform's caption fonts, made once for the process: tool windows use the small one.
HFONT CaptionFont(bool small) {
  static const auto fonts = [] {
    std::pair<HFONT, HFONT> f{nullptr, nullptr};
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
      metrics.lfCaptionFont.lfCharSet = DEFAULT_CHARSET;
      f = {CreateFontIndirectA(&metrics.lfCaptionFont),
           CreateFontIndirectA(&metrics.lfSmCaptionFont)};
    }
    auto gui = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    return std::pair<HFONT, HFONT>{f.first ? f.first : gui, f.second ? f.second : gui};
  }();
  return small ? fonts.second : fonts.first;
}

}  // namespace

TveDialogWnd::TveDialogWnd(HWND handle, TsSkinManager* manager)
    : TveScrollWnd(handle, false, "DIALOG", manager, nullptr) {}

TveDialogWnd::~TveDialogWnd() {
  DropHideCover();
  LetGoOfDialog();
  if (brush_) DeleteObject(brush_);
  if (editBrush_) DeleteObject(editBrush_);
}

void TveDialogWnd::TFrameFacts::RepaintFrame(bool imageChanged) {
  if (imageChanged) d.SkinData->SetBgDirty(true);
  d.RepaintFrameNow();
}

void TveDialogWnd::TFrameFacts::PopupSystemMenu(int x, int y) {
  d.SystemMenu().Popup(x, y);
}

bool TveDialogWnd::TFrameFacts::AnswerBackground(fw::TMessage& message) {
  d.AnswerBackground(message);
  return true;
}

LRESULT TveDialogWnd::TFrameFacts::BackgroundColor() {
  return d.SkinData->GetBgColor(0, d.Handle);
}

void TveDialogWnd::GiveBack() {
  frame_.Buttons().Reset();
  if (sysMenuCleared_)
    SetWindowLongA(Handle, GWL_STYLE, GetWindowLongA(Handle, GWL_STYLE) | WS_SYSMENU);
  sysMenuCleared_ = false;
  if (regionApplied_) SetWindowRgn(Handle, nullptr, FALSE);
  regionApplied_ = false;
  framed_ = false;
  if (IsWindowVisible(Handle)) {
    SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RedrawWindow(Handle, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

void TveDialogWnd::LetGoOfDialog() {
  if (Destroyed || !IsWindow(Handle)) return;
  // Let go first: what follows makes the platform paint its own frame again.
  DetachFromWindow(false);
  GiveBack();
}

bool TveDialogWnd::FrameSkinned() const {
  return Skinned() && SkinManager->IsValidSectionIndex(paint_.Sections.Form);
}

TsDialogFacts TveDialogWnd::Facts() const {
  TsDialogFacts f;
  f.Style = uint32_t(GetWindowLongA(Handle, GWL_STYLE)) | (sysMenuCleared_ ? WS_SYSMENU : 0);
  f.ExStyle = uint32_t(GetWindowLongA(Handle, GWL_EXSTYLE));
  f.Minimized = IsIconic(Handle);
  f.Maximized = IsZoomed(Handle);
  f.HasSysMenu = f.Style & WS_SYSMENU;
  UINT close = platformMenu_ ? GetMenuState(platformMenu_, SC_CLOSE, MF_BYCOMMAND) : UINT(-1);
  f.HasCloseItem = close != UINT(-1);
  f.CloseEnabled = close == UINT(-1) || !(close & (MF_GRAYED | MF_DISABLED));
  return f;
}

void TveDialogWnd::InitFrame() {
  if (!Skinned()) return;
  if (!framed_ && !sysMenuCleared_) {
    sysMenuStyle_ = GetWindowLongA(Handle, GWL_STYLE) & WS_SYSMENU;
    // Taken while the platform still offers it: it is hidden from the platform next.
    platformMenu_ = sysMenuStyle_ ? GetSystemMenu(Handle, FALSE) : nullptr;
  }
  const TsSkinManager& skin = *SkinManager;
  std::string form = skin.FindSection("DIALOG") >= 0 ? "DIALOG" : "FORM";
  std::string title = skin.FindSection("DIALOGTITLE") >= 0 ? "DIALOGTITLE" : "";
  paint_.Sections = ResolveFrameSections(skin, form, title, "");
  SkinData->SetSkinSection(form);
  SkinData->UpdateIndexes();
  framed_ = true;
  if (!FrameSkinned()) return;
  if (sysMenuStyle_ && !sysMenuCleared_) {
    // The platform would paint its own caption buttons with the system menu style.
    SetWindowLongA(Handle, GWL_STYLE, GetWindowLongA(Handle, GWL_STYLE) & ~WS_SYSMENU);
    sysMenuCleared_ = true;
  }
  UpdateShape();
  paint_.Inputs.Images = ChooseButtonImages(skin, paint_.Inputs.UseBigButtons, paint_.Inputs.Rules);
  if (brush_) DeleteObject(brush_);
  brush_ = nullptr;
  frame_.Buttons().Reset();
  Invalidate();
}

void TveDialogWnd::Invalidate() {
  SkinData->SetBgDirty(true);
  regionDirty_ = true;
  if (!IsWindowVisible(Handle)) return;
  RedrawWindow(Handle, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TveDialogWnd::UpdateShape() {
  RECT window, client;
  GetWindowRect(Handle, &window);
  GetClientRect(Handle, &client);
  TsDialogFacts facts = Facts();
  TsFormShape& f = paint_.Form;
  paint_.Metrics = FrameMetrics();
  f.Width = window.right - window.left;
  f.Height = window.bottom - window.top;
  f.ClientWidth = client.right;
  f.ClientHeight = client.bottom;
  f.BorderStyle = DialogBorderKind(facts.Style, facts.ExStyle);
  f.ThickFrame = facts.Style & WS_THICKFRAME;
  f.HasBorder = facts.Style & (WS_BORDER | WS_DLGFRAME);
  f.FullCaption = (facts.Style & WS_CAPTION) == WS_CAPTION;
  f.Minimized = facts.Minimized;
  f.Maximized = facts.Maximized;
  f.IsMainForm = false;
  f.IsChild = facts.Style & WS_CHILD;
  f.HasVScroll = facts.Style & WS_VSCROLL;
  f.HasHScroll = facts.Style & WS_HSCROLL;
  f.RightToLeft = facts.ExStyle & WS_EX_LAYOUTRTL;
  TsTitleInputs& in = paint_.Inputs;
  in.Rules = DialogButtonRules(facts);
  // Tool windows take the small buttons; a dialog frame shows no icon, as the platform's does.
  in.UseBigButtons = !IsToolWindow(facts);
  in.ShowIcon = facts.HasSysMenu &&
                (f.BorderStyle == TsBorderKind::Single || f.BorderStyle == TsBorderKind::Sizeable);
  paint_.Layout = LayoutTitle(*SkinManager, f, paint_.Metrics, in);
  for (auto& b : paint_.Layout.Buttons) b.State = frame_.Buttons().StateOf(b.HitCode);
  paint_.Active = activeLook_;
  paint_.DisabledLook = !IsWindowEnabled(Handle);
  paint_.GripShown = false;
}

TPoint TveDialogWnd::ClientOffsetInImage() const {
  return ClientOffset(paint_.Form, paint_.Metrics);
}

bool TveDialogWnd::RebuildWindowImage() {
  if (!framed_) InitFrame();
  if (!FrameSkinned()) return false;
  if (!SkinData->CacheBitmap) SkinData->CacheBitmap = std::make_unique<img::Bitmap32>(0, 0);
  img::Bitmap32& image = *SkinData->CacheBitmap;
  RECT window;
  GetWindowRect(Handle, &window);
  if (!SkinData->BgDirty && !image.Empty() && window.right - window.left == paint_.Form.Width &&
      window.bottom - window.top == paint_.Form.Height)
    return true;
  UpdateShape();
  int oldWidth = image.Width(), oldHeight = image.Height();
  SizeWindowImage(image, paint_.Form, paint_.Metrics);
  regionDirty_ = regionDirty_ || image.Width() != oldWidth || image.Height() != oldHeight;
  TsFramePaintHooks hooks;
  hooks.Icon = [this](img::Bitmap32& i, const TRect& r) { PaintIcon(i, r); };
  hooks.Caption = [this](img::Bitmap32& i) { PaintCaption(i); };
  PaintWindowImage(*SkinManager, image, buttonStrip_, paint_, hooks);
  buttonStripRect_ = ButtonStripRect(paint_, image.Width());
  SkinData->SetBgDirty(false);
  return true;
}

void TveDialogWnd::PaintCaption(img::Bitmap32& image) {
  const TsSkinModel& skin = *SkinManager;
  HFONT font = CaptionFont(!paint_.Inputs.UseBigButtons);
  const std::string& caption = Caption;
  int height = MeasureText(font, "Wg", 0, 0, false).cy;
  const TsFrameSections& s = paint_.Sections;
  TRect area = CaptionTextRect(skin, paint_.Form, paint_.Metrics, paint_.Layout, paint_.Inputs,
                               s.Caption >= 0, height);
  int width = caption.empty() ? 0 : MeasureText(font, caption, 0, 0, false).cx;
  TRect rect = AlignCaption(area, width, 0, TsCaptionAlign::Left, paint_.Form.RightToLeft);
  if (rect.Width() <= 0) return;
  if (s.Caption >= 0)
    PaintSection(&skin, s.Caption, "CAPTION", MakeBgSource(&image, 0, 0), -1, -1, image, {0, 0},
                 {rect.Left - 4, rect.Top - 2, rect.Right + 4, rect.Bottom + 2},
                 paint_.Active ? 1 : 0);
  HDC dc = image.DC();
  {
    platform::Selection selected(dc, font);
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS |
                  (paint_.Form.RightToLeft ? DT_RTLREADING : 0);
    PaintSkinText(dc, caption, true, &skin, FrameState(skin, s.Title, paint_.Active), s.Title,
                  format, ToRect(rect));
  }
  GdiFlush();
}

void TveDialogWnd::PaintIcon(img::Bitmap32& image, const TRect& rect) {
  auto icon = reinterpret_cast<HICON>(SendMessageA(Handle, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessageA(Handle, WM_GETICON, ICON_BIG, 0));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrA(Handle, GCLP_HICONSM));
  if (!icon) icon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  DrawIconEx(image.DC(), rect.Left, rect.Top, icon, rect.Width(), rect.Height(), 0, nullptr,
             DI_NORMAL);
  GdiFlush();
}

void TveDialogWnd::PaintFrame(HDC dc) {
  if (AnimationInProgress || !RebuildWindowImage()) return;
  if (regionDirty_) {
    regionDirty_ = false;
    ApplyFrameRegion(Handle, *SkinManager, paint_, false, regionApplied_);
  }
  CopyFrameStrips(dc, *SkinData->CacheBitmap, ClientOffsetInImage(), paint_.Form);
}

void TveDialogWnd::RepaintFrameNow() {
  if (!IsWindowVisible(Handle)) return;
  PaintFrame(platform::WindowDC(Handle, true));
}

void TveDialogWnd::EraseClient(HDC dc) {
  if (!RebuildWindowImage()) return;
  TPoint offset = ClientOffsetInImage();
  BitBlt(dc, 0, 0, paint_.Form.ClientWidth, paint_.Form.ClientHeight, SkinData->CacheBitmap->DC(),
         offset.X, offset.Y, SRCCOPY);
}

namespace {

// A brush of color, made again only when the colour changes.
HBRUSH KeptBrush(HBRUSH& brush, COLORREF& held, COLORREF color) {
  if (!brush || color != held) {
    if (brush) DeleteObject(brush);
    brush = CreateSolidBrush(color);
    held = color;
  }
  return brush;
}

}  // namespace

HBRUSH TveDialogWnd::BackgroundBrush() {
  return KeptBrush(brush_, brushColor_, COLORREF(SkinData->GetBgColor(0, Handle)));
}

void TveDialogWnd::SkinEditColors(fw::TMessage& message) {
  const TsSkinModel& skin = *SkinManager;
  const int edit = skin.FindSection("EDIT");
  if (!skin.IsValidSectionIndex(edit)) return;
  const TsGenState& look = skin.SectionTable[size_t(edit)].States[0];
  auto dc = reinterpret_cast<HDC>(message.WParam);
  SetTextColor(dc, COLORREF(look.FontColor));
  SetBkColor(dc, COLORREF(look.Color));
  message.Result =
      reinterpret_cast<LRESULT>(KeptBrush(editBrush_, editBrushColor_, COLORREF(look.Color)));
}

void TveDialogWnd::SkinPlatformColors(fw::TMessage& message) {
  // Controls the platform still paints (group frames, pictures, statics without an adapter) ask
  // the dialog for their colours; where the dialog gave the platform's default, they get the
  // skin's instead, so that no face-coloured plates stand on the skinned background. Read-only
  // edits ask the same question and keep their window colours.
  auto brush = reinterpret_cast<HBRUSH>(message.Result);
  if (brush != GetSysColorBrush(COLOR_BTNFACE) && brush != GetSysColorBrush(COLOR_WINDOW)) return;
  char cls[16] = "";
  GetClassNameA(reinterpret_cast<HWND>(message.LParam), cls, sizeof cls);
  if (lstrcmpiA(cls, "Edit") == 0) return;
  auto dc = reinterpret_cast<HDC>(message.WParam);
  const TsSkinModel& skin = *SkinManager;
  int section = SkinData->SectionIndex;
  if (skin.IsValidSectionIndex(section))
    SetTextColor(dc, COLORREF(skin.SectionTable[size_t(section)].States[0].FontColor));
  SetBkColor(dc, COLORREF(SkinData->GetBgColor(0, Handle)));
  message.Result = reinterpret_cast<LRESULT>(BackgroundBrush());
}

void TveDialogWnd::Print(fw::TMessage& message) {
  HDC dc = reinterpret_cast<HDC>(message.WParam);
  if (message.LParam & PRF_NONCLIENT) PaintFrame(dc);
  TPoint offset = (message.LParam & PRF_NONCLIENT) ? ClientOffsetInImage() : TPoint{0, 0};
  int saved = SaveDC(dc);
  OffsetViewportOrgEx(dc, offset.X, offset.Y, nullptr);
  if (message.LParam & (PRF_ERASEBKGND | PRF_CLIENT)) EraseClient(dc);
  if (message.LParam & PRF_CLIENT) CallPrevProc(WM_PRINTCLIENT, message.WParam, message.LParam);
  if ((message.LParam & PRF_CHILDREN) && Provider) Provider->PrintChildren(Handle, dc);
  RestoreDC(dc, saved);
  message.Result = 1;
}

void TveDialogWnd::AnswerBackground(fw::TMessage& message) {
  auto* query = reinterpret_cast<TsBgQuery*>(message.LParam);
  message.Result = 1;
  if (!query) return;
  if (!RebuildWindowImage()) {
    query->Kind = bgkColor;
    query->Color = SkinData->GetBgColor(0, Handle);
    return;
  }
  AnswerFromImage(*query, *SkinData->CacheBitmap, ClientOffsetInImage());
}

int TveDialogWnd::HitTest(POINT screen) {
  RECT window;
  GetWindowRect(Handle, &window);
  if (!RebuildWindowImage()) return kHitNowhere;
  return HitTestFrame(paint_.Form, paint_.Metrics, paint_.Layout, paint_.Inputs,
                      {screen.x - window.left, screen.y - window.top}, 0, false);
}

void TveDialogWnd::RepaintElements(const std::vector<int>& codes) {
  if (codes.empty() || !FrameSkinned() || !SkinData->CacheBitmap || SkinData->CacheBitmap->Empty())
    return;
  img::Bitmap32& image = *SkinData->CacheBitmap;
  platform::WindowDC dc(Handle, true);
  for (int code : codes)
    for (int kind = 0; kind < kTitleButtonKinds; ++kind) {
      TsTitleButtonData& b = paint_.Layout.Buttons[kind];
      if (b.HitCode != code || b.Bounds.Width() <= 0) continue;
      b.State = frame_.Buttons().StateOf(code);
      RestoreButtonArea(image, buttonStrip_, buttonStripRect_, b.Bounds);
      PaintTitleButton(*SkinManager, image, b, TitleButtonDimmed(paint_, kind));
      const TRect& r = b.Bounds;
      BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), image.DC(), r.Left, r.Top, SRCCOPY);
    }
}

TveSystemMenu& TveDialogWnd::SystemMenu() {
  if (!systemMenu_) systemMenu_ = std::make_unique<TveSystemMenu>(*this, platformMenu_);
  return *systemMenu_;
}

bool TveDialogWnd::HandleFrameMessage(fw::TMessage& message) {
  if (frame_.Handle(message)) return true;
  switch (message.Msg) {
    case WM_NCPAINT:
      RepaintFrameNow();
      message.Result = 0;
      return true;
    case WM_NCACTIVATE:
      activeLook_ = message.WParam != 0;
      SkinData->SetBgDirty(true);
      message.LParam = -1;  // the platform paints no frame of its own
      PassOn(message);
      frame_.Buttons().Reset();
      RepaintFrameNow();
      return true;
    case WM_NCLBUTTONDOWN:  // on no title element: the dialog is moved or sized
      TveScrollWnd::HandleMessage(message);
      return true;
    case WM_SYSCOMMAND:
      PassOn(message);
      if (IsWindow(Handle)) RepaintElements(frame_.Buttons().Reset());
      return true;
    case WM_SETTEXT:
    case WM_SETICON:
      if (!frame_.PassOnHidden(message)) return true;
      if (message.Msg == WM_SETTEXT) ReadCaption();
      SkinData->SetBgDirty(true);
      RepaintFrameNow();
      return true;
    case WM_SIZE:
    case WM_ENABLE:
    case WM_STYLECHANGED:
      TveScrollWnd::HandleMessage(message);
      SkinData->SetBgDirty(true);
      regionDirty_ = true;
      RepaintFrameNow();
      return true;
    case WM_ERASEBKGND:
      EraseClient(reinterpret_cast<HDC>(message.WParam));
      message.Result = 1;
      return true;
    case WM_CTLCOLORDLG:
      message.Result = reinterpret_cast<LRESULT>(BackgroundBrush());
      return true;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      PassOn(message);
      SkinPlatformColors(message);
      return true;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      PassOn(message);
      if (OwnWindow) SkinEditColors(message);
      return true;
    case WM_PRINT:
      Print(message);
      return true;
    default:
      return false;
  }
}

bool TveDialogWnd::HandleSkinCommand(fw::TMessage& message) {
  switch (HIWORD(message.WParam)) {
    case CmdSkinLoaded:
    case CmdSkinRefresh:
      if (reinterpret_cast<TsSkinManager*>(message.LParam) != SkinManager) return false;
      framed_ = false;
      InitFrame();
      PassToChildren(message);
      return true;
    default:
      return frame_.AnswerSkinCommand(message);
  }
}

void TveDialogWnd::HandleMessage(fw::TMessage& message) {
  if (Destroyed || !Skinned()) {
    TveScrollWnd::HandleMessage(message);
    return;
  }
  if (message.Msg == SkinCommandMsg) {
    if (!HandleSkinCommand(message)) TveScrollWnd::HandleMessage(message);
    return;
  }
  switch (message.Msg) {
    case WM_INITDIALOG:
      PassOn(message);
      // The dialog's controls exist from here on.
      if (Provider) Provider->AdoptChildren(Handle);
      InitFrame();
      return;
    case WM_MEASUREITEM:
      if (message.WParam == 0 &&
          reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam)->CtlType == ODT_MENU &&
          fw::TMenu::MeasureItem(Handle, *reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam))) {
        message.Result = 1;
        return;
      }
      break;
    case WM_DRAWITEM:
      if (message.WParam == 0 &&
          reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam)->CtlType == ODT_MENU &&
          fw::TMenu::DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam))) {
        message.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  // The frame is taken over once the window exists: at its first showing, frame paint or
  // activation (a dialog caught at its creation is not made yet).
  if (!framed_ && (message.Msg == WM_SHOWWINDOW || message.Msg == WM_NCPAINT ||
                   message.Msg == WM_NCACTIVATE || message.Msg == WM_WINDOWPOSCHANGED))
    InitFrame();
  if (framed_ && FrameSkinned() && (HandleAnimationMessage(message) || HandleFrameMessage(message)))
    return;
  TveScrollWnd::HandleMessage(message);
}
