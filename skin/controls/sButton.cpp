#include "skin/controls/sButton.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/Menus.h"
#include "platform/GdiScopes.h"
#include "skin/controls/veAlphaImageList.h"
#include "skin/data/SkinSystem.h"
#include "skin/data/sSkinCommands.h"
#include "skin/render/sAlphaImage.h"
#include "skin/render/sColorTransforms.h"
#include "skin/render/sControlBg.h"
#include "skin/render/sControlSection.h"
#include "skin/render/sControlText.h"
#include "skin/render/sMaskSlices.h"
#include "skin/render/sPaintFlags.h"
#include "skin/render/sParentBg.h"
#include "skin/render/sRegion.h"
#include "skin/render/sSmallGlyphs.h"
#include "skin/render/sTextCompose.h"
#include "skin/render/sWindowRegion.h"

namespace {

// How long a quick click's pressed look stays before the release fades it back, in ms.
constexpr DWORD kPressedMoment = 30;
}  // namespace

TsButton::TsButton(fw::TComponent* owner)
    : fw::TButton(owner),
      skinData_(std::make_unique<TsCtrlSkinData>(this, true)),
      disabledKind_(kDisabledFade) {
  SetControlStyle(ControlStyle() & ~unsigned(fw::csOpaque | fw::csDoubleClicks));
  skinData_->ControlKind = kButtonKind;
}

TsButton::~TsButton() = default;

void TsButton::SetImageProperty(int& field, int value) {
  if (field == value) return;
  field = value;
  if (Images()) skinData_->Invalidate(false);
}

void TsButton::SetImageAlignment(TImageAlignment value) {
  if (imageAlignment_ == value) return;
  imageAlignment_ = value;
  if (Images()) skinData_->Invalidate(false);
}

void TsButton::SetDown(bool value) {
  if (down_ == value) return;
  down_ = value;
  regionDirty_ = true;
  skinData_->Invalidate(false);
}

void TsButton::CreateParams(fw::TCreateParams& params) {
  fw::TButton::CreateParams(params);
  // The button draws itself, skinned or not; the split part is its own as well.
  params.Style = (params.Style & ~DWORD(BS_TYPEMASK)) | BS_OWNERDRAW;
}

bool TsButton::Skinned() const {
  return skinData_->IsSkinned(true);
}

// ---- state and layout ----

TsButtonState TsButton::CurrentState() {
  if (down_ || menuDropped_) return TsButtonState::Pressed;
  if (HandleAllocated() && (::SendMessageA(Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED)) {
    // Pushed by the mouse counts while the mouse is over it; pushed by the keyboard always.
    const bool heldByMouse = GetCapture() == Handle() && (GetKeyState(VK_LBUTTON) & 0x8000);
    if (skinData_->IsMouseOver || !heldByMouse) return TsButtonState::Pressed;
  }
  if (!(ComponentState() & fw::csDesigning) && skinData_->IsHot()) return TsButtonState::Hot;
  return Default() ? TsButtonState::Default : TsButtonState::Normal;
}

int TsButton::CurrentImageIndex() {
  const TsButtonState state = CurrentState();
  TsButtonImage image = TsButtonImage::Normal;
  if (!Enabled())
    image = TsButtonImage::Disabled;
  else if (state == TsButtonState::Pressed)
    image = TsButtonImage::Pressed;
  else if (state == TsButtonState::Default || (HandleAllocated() && GetFocus() == Handle()))
    image = TsButtonImage::Selected;
  else if (state == TsButtonState::Hot)
    image = TsButtonImage::Hot;
  const int byImage[] = {ImageIndex(), hotImageIndex_, pressedImageIndex_, selectedImageIndex_,
                         disabledImageIndex_};
  const int index = byImage[int(image)];
  return Images() && index >= 0 && index < Images()->Count() ? index : ImageIndex();
}

bool TsButton::HasImage() const {
  return Images() && ImageIndex() >= 0 && ImageIndex() < Images()->Count();
}

SIZE TsButton::ImageSize(bool withMargins) const {
  SIZE size = HasImage() ? SIZE{Images()->Width(), Images()->Height()} : SIZE{32, 32};
  if (withMargins) {
    size.cx += imageMargins_.Left + imageMargins_.Right;
    size.cy += imageMargins_.Top + imageMargins_.Bottom;
  }
  return size;
}

SIZE TsButton::CaptionSize() {
  const std::string& text = Caption();
  if (text.empty()) return {0, 0};
  // Measured in the width it is drawn in, so that a caption that wraps gets its lines' height.
  RECT r{0, 0, std::max(ButtonCaptionRoom(Layout(false)), 0), 0};
  HDC dc = CreateCompatibleDC(nullptr);
  {
    platform::Selection font(dc, Font().Handle());
    DrawTextA(dc, text.c_str(), int(text.size()), &r,
              DT_CALCRECT | DT_EXPANDTABS | DT_CENTER | (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE));
  }
  DeleteDC(dc);
  return {r.right - r.left, r.bottom - r.top};
}

TsButtonLayout TsButton::Layout(bool withCaption) {
  TsButtonLayout l;
  l.Width = Width();
  l.Height = Height();
  l.Split = Style() == fw::TButtonStyle::bsSplitButton;
  l.HasImage = HasImage();
  if (l.HasImage) {
    l.ImageWidth = Images()->Width();
    l.ImageHeight = Images()->Height();
  }
  l.Alignment = imageAlignment_;
  l.Margins = imageMargins_;
  l.ContentMargin = contentMargin_;
  if (!withCaption) return l;
  const SIZE caption = CaptionSize();
  l.CaptionWidth = caption.cx;
  l.CaptionHeight = caption.cy;
  l.Pressed = CurrentState() == TsButtonState::Pressed;
  return l;
}

TRect TsButton::CaptionRect() {
  return ButtonCaptionRect(Layout());
}

TRect TsButton::ImageRect() {
  return ButtonImageRect(Layout());
}

void TsButton::Repaint(bool now) {
  skinData_->SetBgDirty(true);
  if (!HandleAllocated()) return;
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | (now ? RDW_UPDATENOW : 0));
}

void TsButton::FadePress(UINT msg) {
  if (down_) return;
  skinData_->SetBgDirty(false);
  RunFadeIfAllowed(*skinData_, Handle(), msg == WM_LBUTTONDOWN ? aeMouseDown : aeMouseUp,
                   animatEvents_);
}

// ---- the split part ----

bool TsButton::InSplitPart(LPARAM point) const {
  return Style() == fw::TButtonStyle::bsSplitButton && DropDownMenu() &&
         GET_X_LPARAM(point) >= Width() - kSplitPartWidth;
}

void TsButton::OpenDropDown() {
  menuDropped_ = true;
  Repaint(true);
  RECT r;
  GetWindowRect(Handle(), &r);
  fw::TLifeToken alive = LifeToken();
  DropDownMenu()->Popup(r.left, r.bottom, GetAncestor(Handle(), GA_ROOT));
  if (!alive) return;  // the chosen entry's click released the button
  menuDropped_ = false;
  Repaint(false);
}

// ---- messages ----

bool TsButton::HandleSkinCommand(fw::TMessage& message) {
  const uint16_t command = HIWORD(message.WParam);
  switch (command) {
    case CmdIsSkinned:
      message.Result = 1;
      return true;
    case CmdSkinLoaded:
      if (!skinData_->HandleSkinCommand(message)) return false;
      regionDirty_ = true;
      skinData_->Deferred = false;
      Repaint(false);
      return true;
    case CmdSkinRemoved:
      if (Destroying() || !skinData_->HandleSkinCommand(message)) return false;
      ApplyRegion(nullptr, false);
      regionDirty_ = true;
      Repaint(false);
      return true;
    case CmdSkinRefresh:
      if (!skinData_->HandleSkinCommand(message)) return false;
      ApplyRegion(nullptr, false);
      regionDirty_ = true;
      Repaint(false);
      return true;
    case CmdBgRepainted:
      RenderCache();
      message.Result = 0;
      return true;
    case CmdStopFade:
      StopFade(*skinData_);
      Repaint(false);
      return true;
    default:
      return skinData_->HandleSkinCommand(message);
  }
}

namespace {

// Messages after which the platform may show the button in another state; it draws nothing
// itself, so the button paints the change.
bool MayChangeState(UINT msg) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case BM_SETSTATE:
    case BM_CLICK:
    case fw::CM_MOUSEENTER:
    case fw::CM_MOUSELEAVE:
    case fw::CM_ENABLEDCHANGED:
      return true;
    default:
      return false;
  }
}

}  // namespace

bool TsButton::HandleSkinnedMessage(fw::TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT:
      PaintTo(reinterpret_cast<HDC>(message.WParam));
      message.Result = 0;
      return true;
    case WM_PRINT:
    case WM_PRINTCLIENT:
      regionDirty_ = true;
      skinData_->Deferred = false;
      PaintTo(reinterpret_cast<HDC>(message.WParam), true);
      message.Result = 0;
      return true;
    case WM_ERASEBKGND:
      // WM_PAINT covers every pixel.
      message.Result = 1;
      return true;
    case WM_UPDATEUISTATE:
      message.Result = 1;
      return true;
    case fw::CN_DRAWITEM:
      message.Result = 1;
      return true;
    case fw::CM_TEXTCHANGED:
      skinData_->Invalidate(false);
      return true;
    case WM_SIZE:
    case WM_WINDOWPOSCHANGING:
      regionDirty_ = true;
      return false;
    case WM_WINDOWPOSCHANGED:
      regionDirty_ = true;
      skinData_->SetBgDirty(true);
      return false;
    case fw::CM_MOUSEENTER:
    case fw::CM_MOUSELEAVE: {
      if (message.LParam != reinterpret_cast<LPARAM>(this) || !Enabled()) return false;
      const bool entered = message.Msg == fw::CM_MOUSEENTER;
      skinData_->IsMouseOver = entered;
      if (const fw::TNotifyEvent& event = entered ? OnMouseEnter : OnMouseLeave) event(this);
      skinData_->SetBgDirty(false);
      RunFadeIfAllowed(*skinData_, Handle(), entered ? aeMouseEnter : aeMouseLeave, animatEvents_);
      return false;
    }
    default:
      return false;
  }
}

void TsButton::WndProc(fw::TMessage& message) {
  if (message.Msg == SkinCommandMsg && HandleSkinCommand(message)) return;
  switch (message.Msg) {
    case WM_GETDLGCODE:
      // The dialog keys treat it as the push button it stands for: Enter, access keys.
      message.Result = DLGC_BUTTON | (Default() ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      // A press on the split part opens its menu and nothing else: no push, no click.
      if (Enabled() && InSplitPart(message.LParam)) {
        OpenDropDown();
        message.Result = 0;
        return;
      }
      break;
    default:
      break;
  }
  if (!Skinned()) {
    if (message.Msg == fw::CN_DRAWITEM) {
      DrawItemUnskinned(*reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam));
      message.Result = 1;
      return;
    }
    if ((message.Msg == fw::CM_MOUSEENTER || message.Msg == fw::CM_MOUSELEAVE) &&
        message.LParam == reinterpret_cast<LPARAM>(this) && Enabled()) {
      const bool entered = message.Msg == fw::CM_MOUSEENTER;
      skinData_->IsMouseOver = entered;
      if (const fw::TNotifyEvent& event = entered ? OnMouseEnter : OnMouseLeave) event(this);
    }
    fw::TButton::WndProc(message);
    return;
  }
  if (HandleSkinnedMessage(message)) return;
  const bool press = message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONUP;
  if (message.Msg == WM_LBUTTONUP && FadeRunning(*skinData_)) {
    // A quick click: the press's fade has not reached the pressed look yet. The look shows a
    // moment, so that the click is seen, before the release fades back.
    StopFade(*skinData_);
    Repaint(true);
    Sleep(kPressedMoment);
  }
  const bool watch = MayChangeState(message.Msg);
  const TsButtonState before = watch ? CurrentState() : TsButtonState::Normal;
  const bool focusedBefore = watch && HandleAllocated() && GetFocus() == Handle();
  skinData_->HandleMessage(message);
  fw::TLifeToken alive = LifeToken();
  // The platform takes the focus and the capture inside a press and lets the capture go inside
  // a release; the look those messages change waits for the press, whose fade starts from the
  // look before it.
  const bool nested = inPress_;
  inPress_ = inPress_ || press;
  fw::TButton::WndProc(message);
  if (!alive) return;
  inPress_ = nested;
  if (Destroying() || !HandleAllocated()) return;
  if (watch && (CurrentState() != before || (GetFocus() == Handle()) != focusedBefore ||
                message.Msg == fw::CM_ENABLEDCHANGED)) {
    regionDirty_ = true;
    if (!inPress_) {
      // While a fade runs, painting waits for it.
      if (press) FadePress(message.Msg);
      Repaint(true);
    }
  }
  if (message.Msg == WM_SETFONT || message.Msg == fw::CM_VISIBLECHANGED) {
    skinData_->Deferred = false;
    Repaint(false);
  }
}

// ---- without a skin ----

void TsButton::DrawItemUnskinned(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) || down_ || menuDropped_;
  const bool disabled = item.itemState & ODS_DISABLED;
  UINT face = DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0) | (disabled ? DFCS_INACTIVE : 0);
  if (Default() && (item.itemState & ODS_FOCUS)) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&r, -1, -1);
  }
  DrawFrameControl(dc, &r, DFC_BUTTON, face);
  const TsButtonLayout layout = Layout();
  if (layout.HasImage) {
    const TRect at = ButtonImageRect(layout);
    Images()->Draw(dc, at.Left, at.Top, CurrentImageIndex());
  }
  const TRect caption = ButtonCaptionRect(layout);
  RECT text = ToRect(caption);
  platform::Selection font(dc, Font().Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  const UINT format = DT_EXPANDTABS | DT_VCENTER | DT_CENTER | (wordWrap_ ? DT_WORDBREAK : 0);
  DrawTextA(dc, Caption().c_str(), int(Caption().size()), &text, format);
  if (layout.Split) {
    const int w = item.rcItem.right, h = item.rcItem.bottom, x = w - kSplitPartWidth + 1;
    {
      platform::Owned<HPEN> pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
      platform::Selection line(dc, pen);
      MoveToEx(dc, x, 4, nullptr);
      LineTo(dc, x, h - 4);
    }
    // The arrow: rows of 8, 6, 4 and 2 pixels.
    const int x0 = w - kSplitPartWidth + (kSplitPartWidth - 6) / 2 - 1, y0 = (h - 3) / 2 - 1;
    const COLORREF arrow = GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
    for (int k = 0; k < 4; ++k)
      for (int px = x0 + k; px <= x0 + 7 - k; ++px) SetPixel(dc, px, y0 + k, arrow);
  }
  if ((item.itemState & ODS_FOCUS) && showFocus_ && !Caption().empty()) {
    RECT focus = ToRect(caption);
    InflateRect(&focus, focusMargin_, focusMargin_);
    DrawFocusRect(dc, &focus);
  }
}
