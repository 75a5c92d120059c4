#include "skin/forms/sSkinProvider.h"

#include <algorithm>
#include <mutex>
#include <stdexcept>

#include "framework/Application.h"
#include "platform/GdiScopes.h"
#include "skin/controls/veMnuWnd.h"
#include "skin/data/sSkinCommands.h"
#include "skin/data/sSkinWindowsWin32.h"
#include "skin/forms/sCtrlAdapter.h"
#include "skin/forms/sFormAnimations.h"
#include "skin/forms/sFrameMetrics.h"
#include "skin/forms/sFrameWindow.h"
#include "skin/forms/sPreviewLink.h"
#include "skin/forms/sSystemMenu.h"
#include "skin/forms/veProvider.h"
#include "skin/render/sBgQuery.h"
#include "skin/render/sWindowRegion.h"

using namespace fw;

namespace {

TsBorderKind BorderKind(TFormBorderStyle style) {
  switch (style) {
    case TFormBorderStyle::bsNone:
      return TsBorderKind::None;
    case TFormBorderStyle::bsSingle:
      return TsBorderKind::Single;
    case TFormBorderStyle::bsDialog:
      return TsBorderKind::Dialog;
    default:
      return TsBorderKind::Sizeable;
  }
}

// What the manager's application hook asks a form's provider.
void InstallManagerHooks() {
  static std::once_flag once;
  std::call_once(once, [] {
    Win32ManagerHooks().DrawsNonClient = [](LRESULT provider) {
      auto* p = reinterpret_cast<TsSkinProvider*>(provider);
      return p->DrawNonClientArea() && p->Skinned();
    };
    Win32ManagerHooks().StartMinimizeAnimation = [](LRESULT provider) {
      reinterpret_cast<TsSkinProvider*>(provider)->StartMinimizeAnimation();
    };
    Win32ManagerHooks().StartRestoreAnimation = [](LRESULT provider) {
      return reinterpret_cast<TsSkinProvider*>(provider)->StartRestoreAnimation();
    };
    Win32ManagerHooks().ShowFormDirectly = [](LRESULT provider) {
      reinterpret_cast<TsSkinProvider*>(provider)->ShowFormDirectly();
    };
    Win32ManagerHooks().HideBorderWindow = [](LRESULT provider) {
      reinterpret_cast<TsSkinProvider*>(provider)->HideBorderWindow();
    };
    Win32ManagerHooks().ShowBorderWindowAgain = [](LRESULT provider) {
      reinterpret_cast<TsSkinProvider*>(provider)->ShowBorderWindowAgain();
    };
    InstallMenuHooks();
    InstallDialogSkinning();
    InstallAnimationHooks();
  });
}

}  // namespace

TsSkinProvider* ProviderOf(TForm* form) {
  if (!form) return nullptr;
  return reinterpret_cast<TsSkinProvider*>(
      form->Perform(SkinCommandMsg, SkinCommandParam(CmdGetProvider), 0));
}

TsSkinProvider::TsSkinProvider(TComponent* owner)
    : TComponent(owner), form_(dynamic_cast<TForm*>(owner)) {
  if (!form_) throw std::runtime_error("TsSkinProvider component may be used with forms only!");
  if (PreviewRequested()) PreviewMode = true;
  InstallManagerHooks();
  skinData_ = std::make_unique<TsCommonData>(nullptr, true);
  skinData_->SkinSection = "FORM";
  skinData_->FormHost = form_;
  AddedTitle.Font.SetName("Tahoma");
  AddedTitle.Font.SetHeight(-11);
  TitleButtons.OnChange = [this] {
    if (Skinned()) InvalidateFrame(true);
  };
  // A live provider already serving the form keeps it; this one stays empty.
  if (ProviderOf(form_)) {
    empty_ = true;
    return;
  }
  // Forms that answer for themselves get the manager's broadcasts as providers' forms.
  ProviderForms().push_back(form_);
  front_.Install(form_->WindowProc, [this](TMessage& message) { WndProc(message); });
  if (form_->HandleAllocated()) InitSkin();
}

TsSkinProvider::~TsSkinProvider() {
  life_.End();
  if (titleBar_) titleBar_->OnDestroy = nullptr;
  titleAnimations_.clear();
  front_.Deactivate();
  DropHideCover();
  if (empty_) return;
  auto& forms = ProviderForms();
  forms.erase(std::remove(forms.begin(), forms.end(), form_), forms.end());
  // A form being destroyed has already lost its handlers and freed its controls; nothing is left
  // to give back.
  if (form_->Destroying()) {
    if (adapter_) adapter_->Abandon();
    return;
  }
  if (form_->HandleAllocated()) SkinRemoved();
  // Someone who put a handler in front of ours keeps it: ours then only passes messages on.
  front_.Release(form_->WindowProc);
}

TsSkinManager* TsSkinProvider::SkinManager() const {
  // The skin state falls back to the default manager itself; every manager is a TsSkinManager.
  return const_cast<TsSkinManager*>(static_cast<const TsSkinManager*>(skinData_->GetSkinManager()));
}

void TsSkinProvider::SetSkinManager(TsSkinManager* manager) {
  skinData_->SkinManager = manager == DefaultManager ? nullptr : manager;
}

void TsSkinProvider::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  auto* manager = static_cast<const TsSkinManager*>(skinData_->SkinManager);
  if (operation != TOperation::opRemove) return;
  if (manager && component == manager) skinData_->SkinManager = nullptr;
  if (component == SysSubMenu.PopupMenu) SysSubMenu.PopupMenu = nullptr;
  if (adapter_) adapter_->Forget(component);
}

bool TsSkinProvider::Skinned() const {
  TsSkinManager* manager = SkinManager();
  return !empty_ && manager && manager->Active() &&
         manager->IsValidSectionIndex(paint_.Sections.Form);
}

bool TsSkinProvider::CallSaved(TMessage& message) {
  TLifeToken alive = life_.Token();
  front_.CallSaved(message);
  return bool(alive);
}

void TsSkinProvider::SetDrawNonClientArea(bool value) {
  if (value == drawNonClient_) return;
  drawNonClient_ = value;
  if (!form_->HandleAllocated() || !Skinned()) return;
  SetSystemMenuStyle(value);
  HookMenuBar(value && SkinManager()->SkinnedPopups);
  if (!value && regionApplied_) SetWindowRgn(form_->Handle(), nullptr, TRUE);
  regionApplied_ = false;
  regionDirty_ = true;
  UpdateBorderForm();
  InvalidateFrame(true);
}

void TsSkinProvider::InitSkin() {
  TsSkinManager* manager = SkinManager();
  if (empty_ || !manager || !form_->HandleAllocated() || !manager->Active()) return;
  captionGlows_ = {};
  paint_.Sections = ResolveFrameSections(*manager, skinData_->SkinSection, TitleSkin, MenuLineSkin);
  // The skin state answers children from its own indexes, border mask and background kind.
  skinData_->UpdateIndexes();
  if (!Skinned()) {
    // A skin without a form section: whatever the last skin took over goes back to the platform.
    if (systemMenuStyleCleared_ || regionApplied_) SkinRemoved();
    return;
  }
  if (!systemMenu_) systemMenu_ = new TsSystemMenu(*this);
  SetSystemMenuStyle(drawNonClient_);
  HookMenuBar(drawNonClient_ && manager->SkinnedPopups);
  HookPopupMenus(manager->SkinnedPopups);
  PrepareInputs();
  paint_.Inputs.Images =
      ChooseButtonImages(*manager, paint_.Inputs.UseBigButtons, paint_.Inputs.Rules);
  if (UseGlobalColor && !skinData_->CustomColor)
    form_->SetColor(skinData_->GetBgColor(0, form_->Handle()));
  regionDirty_ = true;
  AdoptControls();
  UpdateBorderForm();
  InvalidateFrame(form_->Visible());
}

void TsSkinProvider::UpdateBorderForm() {
  TsSkinManager* manager = SkinManager();
  bool want = false;
  if (form_->HandleAllocated() && Skinned() && drawNonClient_ && AllowExtBorders &&
      manager->ExtendedBorders() && form_->BorderStyle() != TFormBorderStyle::bsNone) {
    HWND wnd = form_->Handle();
    want = !(GetWindowLongA(wnd, GWL_STYLE) & WS_CHILD) &&
           !(GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_MDICHILD);
  }
  if (want == (border_ != nullptr)) return;
  if (want)
    border_ = std::make_unique<TveBorderForm>(*this);
  else
    border_.reset();
  regionDirty_ = true;
  skinData_->SetBgDirty(true);
}

void TsSkinProvider::HideBorderWindow() {
  if (border_) border_->FreeWindow();
}

void TsSkinProvider::ShowBorderWindowAgain() {
  if (!border_) return;
  skinData_->SetBgDirty(true);
  border_->Update(true, BorderAlpha());
}

void TsSkinProvider::AdoptControls(fw::TWinControl* container) {
  if (!Skinned() || !form_->HandleAllocated()) return;
  if (!adapter_) adapter_ = std::make_unique<TveCtrlAdapter>(*this);
  adapter_->AddAllItems(container);
}

void TsSkinProvider::SkinRemoved() {
  // Freeing the adapters gives every adopted control back; the manager's own removal notice
  // reaches the controls as well, so nothing is sent to them from here.
  adapter_.reset();
  border_.reset();
  frame_.Buttons().Reset();
  paint_.Sections = {};
  skinData_->SectionIndex = -1;
  SetSystemMenuStyle(false);
  HookMenuBar(false);
  HookPopupMenus(false);
  if (regionApplied_) SetWindowRgn(form_->Handle(), nullptr, TRUE);
  regionApplied_ = false;
  if (UseGlobalColor && !skinData_->CustomColor) form_->SetColor(clBtnFace);
  if (skinData_->CacheBitmap) skinData_->CacheBitmap->Resize(0, 0);
  buttonStrip_.Resize(0, 0);
  RedrawWindow(form_->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TsSkinProvider::SetSystemMenuStyle(bool draw) {
  HWND wnd = form_->Handle();
  LONG style = GetWindowLongA(wnd, GWL_STYLE);
  if (draw && drawNonClient_ && Skinned()) {
    if (!(style & WS_SYSMENU)) return;
    SetWindowLongA(wnd, GWL_STYLE, style & ~WS_SYSMENU);
    systemMenuStyleCleared_ = true;
    return;
  }
  if (!systemMenuStyleCleared_) return;
  systemMenuStyleCleared_ = false;
  if (form_->BorderIcons() & biSystemMenu) SetWindowLongA(wnd, GWL_STYLE, style | WS_SYSMENU);
  // The platform paints its own caption again: hand it the icon once more.
  LRESULT icon = SendMessageA(wnd, WM_GETICON, ICON_SMALL, 0);
  SendMessageA(wnd, WM_SETICON, ICON_SMALL, icon);
  SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TsSkinProvider::PrepareInputs() {
  TsTitleInputs& in = paint_.Inputs;
  TFormBorderStyle bs = form_->BorderStyle();
  unsigned icons = form_->BorderIcons();
  bool sysMenu = (icons & biSystemMenu) != 0;
  bool big = bs == TFormBorderStyle::bsSingle || bs == TFormBorderStyle::bsSizeable;
  in.UseBigButtons = big;
  in.ShowIcon = TitleIcon.Visible && ShowAppIcon && big;
  in.IconWidth = TitleIcon.Width;
  in.IconHeight = TitleIcon.Height;
  in.Rules = systemMenu_ ? systemMenu_->Rules() : TsTitleButtonRules{};
  in.Rules.HasSysMenu = sysMenu && in.Rules.HasSysMenu;
  in.UserButtonImage = paint_.Sections.UserButtonImage;
  in.UserButtons.clear();
  shownUserButtons_.clear();
  for (int i = 0; i < TitleButtons.Count(); ++i) {
    TsTitleButton& b = TitleButtons.Items(i);
    if (!b.Visible()) continue;
    shownUserButtons_.push_back(&b);
    in.UserButtons.push_back({b.Glyph().Width(), b.Enabled, b.UseSkinData, &b.Glyph()});
  }
}

TsTitleButton* TsSkinProvider::UserButton(int code) const {
  size_t index = size_t(code - kHitUserButton);
  return code >= kHitUserButton && index < shownUserButtons_.size() ? shownUserButtons_[index]
                                                                    : nullptr;
}

uint8_t TsSkinProvider::BorderAlpha() const {
  if (moveTimer_) return moveTimer_->Alpha();
  return FormAlpha(*form_);
}

TPoint TsSkinProvider::ImageOnScreen() const {
  RECT window;
  GetWindowRect(form_->Handle(), &window);
  return {window.left - imageOrigin_.X, window.top - imageOrigin_.Y};
}

TPoint TsSkinProvider::MouseEventArgs(unsigned& shift) const {
  POINT p;
  GetCursorPos(&p);
  shift = ssLeft;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  TPoint image = ImageOnScreen();
  return {p.x - image.X, p.y - image.Y};
}

void TsSkinProvider::RaiseUserMouse(int code, bool down) {
  TsTitleButton* button = UserButton(code);
  if (!button) return;
  const TsTitleButton::TMouseEvent& event = down ? button->OnMouseDown : button->OnMouseUp;
  if (!event) return;
  unsigned shift = 0;
  TPoint at = MouseEventArgs(shift);
  event(*button, TMouseButton::mbLeft, shift, at.X, at.Y);
}

void TsSkinProvider::UpdateUserHint(int code) {
  if (code == hintCode_) return;
  hintCode_ = code;
  userHint_.Hide();
  std::string hint;
  if (TsTitleButton* button = UserButton(code)) hint = button->Hint;
  if (TveTitleBarItem* item = TitleItem(code); item && item->ShowHint) hint = item->Hint;
  if (hint.empty()) return;
  POINT p;
  GetCursorPos(&p);
  userHint_.Show(hint, p);
}

void TsSkinProvider::UpdateShape() {
  HWND wnd = form_->Handle();
  RECT window, client;
  GetWindowRect(wnd, &window);
  GetClientRect(wnd, &client);
  LONG style = GetWindowLongA(wnd, GWL_STYLE);
  TsFormShape& f = formShape_;
  dpi_ = platform::WindowDpi(wnd);
  paint_.Metrics = FrameMetricsAt(dpi_);
  f.Width = window.right - window.left;
  f.Height = window.bottom - window.top;
  f.ClientWidth = client.right;
  f.ClientHeight = client.bottom;
  f.BorderStyle = BorderKind(form_->BorderStyle());
  f.ThickFrame = style & WS_THICKFRAME;
  f.HasBorder = style & (WS_BORDER | WS_DLGFRAME);
  f.FullCaption = (style & WS_CAPTION) == WS_CAPTION;
  f.Minimized = IsIconic(wnd);
  f.Maximized = IsZoomed(wnd);
  f.IsMainForm = Application.MainForm() == form_;
  f.IsChild = style & WS_CHILD;
  f.BorderWidth = form_->BorderWidth();
  f.HasVScroll = style & WS_VSCROLL;
  f.HasHScroll = style & WS_HSCROLL;
  HMENU menu = GetMenu(wnd);
  bool menuBar = menu && GetMenuItemCount(menu) > 0 && f.BorderStyle != TsBorderKind::Dialog;
  f.MenuLineHeight = menuBar ? paint_.Metrics.CyMenu - 1 : 0;
  f.MenuLineCount = 0;
  if (menuBar) {
    RECT item;
    // Without the first item's place (a menu not laid out yet) the bar is taken as one line.
    f.MenuLineCount = GetMenuItemRect(wnd, menu, 0, &item)
                          ? MenuLineCountFor(f, paint_.Metrics, window.top, item.bottom)
                          : 1;
  }
  f.RightToLeft = GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL;
  paint_.Form = f;
  imageOrigin_ = {};
  if (border_) {
    const TsSkinData& g = Skin().GlobalInfo;
    int caption = CaptionHeight(f, paint_.Metrics);
    borderFrame_.Extent = Shadows().Margins;
    borderFrame_.NativeFrame = NativeFrameWidth(f, paint_.Metrics);
    borderFrame_.NativeCaption = caption;
    borderFrame_.SkinBorder = g.BorderWidth;
    borderFrame_.SkinTitle = caption > 0 ? g.TitleHeight : 0;
    borderFrame_.AlignOffset = g.AlignOffset;
    paint_.Form = SkinnedShape(f, borderFrame_);
    paint_.Metrics = SkinnedMetrics(paint_.Metrics, borderFrame_);
    imageOrigin_ = SkinnedOffset(borderFrame_);
  }
  PrepareInputs();
  paint_.Layout = LayoutTitle(Skin(), paint_.Form, paint_.Metrics, paint_.Inputs);
  ArrangeTitleItems();
  for (auto& b : paint_.Layout.Buttons)
    b.State = titleAnimations_.count(b.HitCode) ? 0 : frame_.Buttons().StateOf(b.HitCode);
  paint_.Active = activeLook_;
  paint_.DisabledLook = !IsWindowEnabled(wnd);
  paint_.GripShown = GripMode == TsGripMode::gmRightBottom && !f.Maximized && f.ThickFrame;
}

TPoint TsSkinProvider::ClientOffsetInImage() const {
  return ClientOffset(paint_.Form, paint_.Metrics);
}

bool TsSkinProvider::RebuildWindowImage() {
  if (!Skinned() || form_->Destroying() || !form_->HandleAllocated()) return false;
  img::Bitmap32& image = *skinData_->CacheBitmap;
  // A clean picture of a window of the same size is up to date: every change of shape, state,
  // style, menu or skin marks it dirty. Frame paints and children's background questions come
  // often and need no new measuring then.
  RECT window;
  GetWindowRect(form_->Handle(), &window);
  if (!skinData_->BgDirty && !image.Empty() && window.right - window.left == formShape_.Width &&
      window.bottom - window.top == formShape_.Height)
    return true;
  UpdateShape();
  int oldWidth = image.Width(), oldHeight = image.Height();
  SizeWindowImage(image, paint_.Form, paint_.Metrics);
  bool resized = image.Width() != oldWidth || image.Height() != oldHeight;
  if (!skinData_->BgDirty && !resized) return true;
  regionDirty_ = regionDirty_ || resized;
  PaintWindowImage(Skin(), image, buttonStrip_, paint_, FramePaintHooks());
  buttonStripRect_ = ButtonStripRect(paint_, image.Width());
  skinData_->SetBgDirty(false);
  // The form's own painting is the application's: it may free the form and this provider.
  if (form_->OnPaint && !PaintFormIntoImage(image)) return false;
  ++imageGeneration_;
  return true;
}

TsFramePaintHooks TsSkinProvider::FramePaintHooks() {
  TsFramePaintHooks hooks;
  hooks.Icon = [this](img::Bitmap32& i, const TRect& r) { PaintIcon(i, r); };
  hooks.Caption = [this](img::Bitmap32& i) { PaintCaption(i); };
  hooks.MenuItems = [this](img::Bitmap32& i, const TRect& band) { PaintMenuItems(i, band); };
  hooks.TitleItems = [this](img::Bitmap32& i) { PaintTitleItems(i); };
  return hooks;
}

bool TsSkinProvider::PaintFormIntoImage(img::Bitmap32& image) {
  // The form's own painting belongs to its background: children that ask for what lies behind
  // them get it too.
  HDC dc = image.DC();
  int saved = SaveDC(dc);
  TPoint offset = ClientOffsetInImage();
  SetViewportOrgEx(dc, offset.X, offset.Y, nullptr);
  IntersectClipRect(dc, 0, 0, paint_.Form.ClientWidth, paint_.Form.ClientHeight);
  TLifeToken alive = life_.Token();
  form_->DoPaint(dc);
  RestoreDC(dc, saved);
  GdiFlush();
  return bool(alive);
}

void TsSkinProvider::InvalidateFrame(bool repaint) {
  skinData_->SetBgDirty(true);
  if (!repaint || !form_->HandleAllocated() || !IsWindowVisible(form_->Handle())) return;
  RedrawWindow(form_->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TsSkinProvider::PaintFrame(HDC dc) {
  if (!drawNonClient_ || !Skinned()) return;
  if (!RebuildWindowImage()) return;
  if (regionDirty_) ApplyRegion(false);
  const img::Bitmap32& image = *skinData_->CacheBitmap;
  TPoint offset = ClientOffsetInImage();
  if (border_) {
    // The border window shows the frame; the form shows its menu band, above its client.
    BitBlt(dc, 0, 0, formShape_.Width, offset.Y - imageOrigin_.Y, image.DC(), imageOrigin_.X,
           imageOrigin_.Y, SRCCOPY);
    border_->Update(false, BorderAlpha());
    return;
  }
  CopyFrameStrips(dc, image, offset, paint_.Form);
}

void TsSkinProvider::ApplyRegion(bool redraw) {
  regionDirty_ = false;
  if (!drawNonClient_ || !Skinned()) return;
  HWND wnd = form_->Handle();
  if (border_) {
    // Client and menu band only: the platform's frame and caption are never seen.
    int f = borderFrame_.NativeFrame;
    TRect shown = {f, f + SystemCaptionHeight(formShape_, FrameMetricsAt(dpi_)),
                   formShape_.Width - f, formShape_.Height - f};
    if (borderFrame_.NativeCaption <= 0) shown.Top = f;
    if (ApplyWindowRegion(wnd, RectRegionWithout(shown, {}), redraw)) regionApplied_ = true;
    return;
  }
  ApplyFrameRegion(wnd, Skin(), paint_, redraw, regionApplied_);
}

int TsSkinProvider::HitTest(POINT screen) {
  if (border_) return border_->HitTest(screen);
  RECT window;
  GetWindowRect(form_->Handle(), &window);
  TPoint p{screen.x - window.left, screen.y - window.top};
  int grip = 0;
  if (Skin().IsValidImageIndex(paint_.Sections.GripImage))
    grip = ButtonWidth(Skin(), paint_.Sections.GripImage);
  bool gripActive = paint_.GripShown || (paint_.Form.HasHScroll && paint_.Form.HasVScroll);
  return HitTestFrame(paint_.Form, paint_.Metrics, paint_.Layout, paint_.Inputs, p, grip,
                      gripActive);
}

TsTitleButtonData* TsSkinProvider::Element(int code) {
  for (auto& b : paint_.Layout.Buttons)
    if (b.HitCode == code && b.Bounds.Width() > 0) return &b;
  for (auto& b : paint_.Layout.UserButtons)
    if (b.HitCode == code) return &b;
  return nullptr;
}

void TsSkinProvider::RepaintElements(const std::vector<int>& codes) {
  // Items are painted over their neighbours and the caption: the title is painted again.
  bool items = false;
  // An item's entering and leaving events may free the form.
  TLifeToken alive = life_.Token();
  for (int code : codes) {
    TveTitleBarItem* item = TitleItem(code);
    if (!item) continue;
    const bool changed = SyncTitleItem(*item, code);
    if (!alive) return;
    AnimateTitleItem(*item, code, changed);
    items = true;
  }
  if (items) {
    skinData_->SetBgDirty(true);
    RepaintFrameNow();
  }
  if (codes.empty() || !Skinned() || skinData_->CacheBitmap->Empty()) return;
  const bool animate = TitleAnimationsAllowed();
  for (int code : codes) {
    const bool systemButton =
        code == kHitClose || code == kHitMaxButton || code == kHitMinButton || code == kHitHelp;
    if (!animate || !systemButton || !Element(code)) {
      PaintElementNow(code);
      continue;
    }
    const int state = frame_.Buttons().StateOf(code);
    AnimateTitleButton(code, state, state == 2 ? 1 : 10, false);
  }
}

void TsSkinProvider::PaintElementNow(int code) {
  TsTitleButtonData* b = Element(code);
  if (!b || !Skinned() || skinData_->CacheBitmap->Empty()) return;
  img::Bitmap32& image = *skinData_->CacheBitmap;
  b->State = titleAnimations_.count(code) ? 0 : frame_.Buttons().StateOf(code);
  RestoreButtonArea(image, buttonStrip_, buttonStripRect_, b->Bounds);
  bool dimmed = !paint_.Active;
  for (int kind = 0; kind < kTitleButtonKinds; ++kind)
    if (&paint_.Layout.Buttons[kind] == b) dimmed = TitleButtonDimmed(paint_, kind);
  if (code >= kHitUserButton)
    PaintUserButton(Skin(), image, paint_, size_t(code - kHitUserButton));
  else
    PaintTitleButton(Skin(), image, *b, dimmed);
  if (border_) {
    ++imageGeneration_;
    border_->Update(false, BorderAlpha());
    return;
  }
  const TRect& r = b->Bounds;
  BitBlt(platform::WindowDC(form_->Handle(), true), r.Left, r.Top, r.Width(), r.Height(),
         image.DC(), r.Left, r.Top, SRCCOPY);
}

void TsSkinProvider::AnswerBackground(TMessage& message) {
  auto* query = reinterpret_cast<TsBgQuery*>(message.LParam);
  message.Result = 1;
  if (!query) return;
  if (skinData_->BgDirty) RebuildWindowImage();
  img::Bitmap32& image = *skinData_->CacheBitmap;
  if (image.Empty()) {
    query->Kind = bgkColor;
    query->Color = skinData_->GetBgColor(0, form_->Handle());
    return;
  }
  AnswerFromImage(*query, image, ClientOffsetInImage());
}

void TsSkinProvider::EraseClient(HDC dc) {
  if (!RebuildWindowImage()) return;
  TPoint offset = ClientOffsetInImage();
  const img::Bitmap32& image = *skinData_->CacheBitmap;
  BitBlt(dc, 0, 0, paint_.Form.ClientWidth, paint_.Form.ClientHeight, image.DC(), offset.X,
         offset.Y, SRCCOPY);
}

void TsSkinProvider::ShowSystemMenu(int x, int y) {
  frame_.OpenSystemMenu(x, y);
}
