#include "framework/Controls.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "framework/Hints.h"
#include "platform/Host.h"

namespace fw {

HCURSOR CursorHandle(TCursor cursor) {
  switch (cursor) {
    case TCursor::crHandPoint:
      return LoadCursor(nullptr, IDC_HAND);
    case TCursor::crHourGlass:
      return LoadCursor(nullptr, IDC_WAIT);
    case TCursor::crDefault:
    case TCursor::crArrow:
      break;
  }
  return LoadCursor(nullptr, IDC_ARROW);
}

// ---- TControl ----

TControl::TControl(TComponent* owner) : TComponent(owner) {
  WindowProc = [this](TMessage& message) { WndProc(message); };
  font_.OnChange = [this] {
    FontChanged();
    Perform(CM_FONTCHANGED);
  };
  auto ord = [this](auto get, auto set) {
    return TPropInfo{[this, get] { return static_cast<std::intptr_t>((this->*get)()); },
                     [this, set](std::intptr_t v) { set(this, v); }};
  };
  Publish("Color", ord(&TControl::Color,
                       [](TControl* c, std::intptr_t v) { c->SetColor(static_cast<TColor>(v)); }));
  Publish("Visible",
          ord(&TControl::Visible, [](TControl* c, std::intptr_t v) { c->SetVisible(v != 0); }));
  Publish("Enabled",
          ord(&TControl::Enabled, [](TControl* c, std::intptr_t v) { c->SetEnabled(v != 0); }));
  Publish("Tag", ord(&TControl::Tag, [](TControl* c, std::intptr_t v) { c->SetTag(v); }));
  Publish("Left", ord(&TControl::Left, [](TControl* c, std::intptr_t v) {
            c->SetBounds(static_cast<int>(v), c->top_, c->width_, c->height_);
          }));
  Publish("Top", ord(&TControl::Top, [](TControl* c, std::intptr_t v) {
            c->SetBounds(c->left_, static_cast<int>(v), c->width_, c->height_);
          }));
  Publish("Width", ord(&TControl::Width, [](TControl* c, std::intptr_t v) {
            c->SetBounds(c->left_, c->top_, static_cast<int>(v), c->height_);
          }));
  Publish("Height", ord(&TControl::Height, [](TControl* c, std::intptr_t v) {
            c->SetBounds(c->left_, c->top_, c->width_, static_cast<int>(v));
          }));
}

TControl::~TControl() {
  SetDestroying();
  SetParent(nullptr);
  NotifyControlDestroyed(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) {
    Invalidate();
    parent_->RemoveControl(this);
  }
  parent_ = parent;
  if (parent_) {
    ChangeScale(parent_->Dpi());
    // A control takes its parent's font and colour when it is placed; changing them afterwards
    // makes them its own.
    font_.Assign(parent_->Font());
    color_ = parent_->Color();
    parent_->InsertControl(this);
  }
  UpdateShowing();
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (!IsWindowed()) Invalidate();
  left_ = left;
  top_ = top;
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  if (!IsWindowed()) Invalidate();
}

void TControl::ChangeScale(int dpi) {
  if (dpi <= 0 || dpi == dpi_) return;
  const int from = std::exchange(dpi_, dpi);
  ScaleLengths(from, dpi);
}

void TControl::ScaleLengths(int fromDpi, int toDpi) {
  auto& [left, top, width, height] = scaledBounds_;
  SetBounds(left.Rescale(left_, fromDpi, toDpi), top.Rescale(top_, fromDpi, toDpi),
            width.Rescale(width_, fromDpi, toDpi), height.Rescale(height_, fromDpi, toDpi));
  ScaleFont(fromDpi, toDpi);
}

void TControl::ScaleFont(int fromDpi, int toDpi) {
  font_.SetHeight(scaledFont_.Rescale(font_.Height(), fromDpi, toDpi));
}

void TControl::SetAlign(TAlign align) {
  align_ = align;
  if (parent_) parent_->AlignControls();
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  VisibleChanged();
  Perform(CM_VISIBLECHANGED, visible);
  UpdateShowing();
}

void TControl::VisibleChanged() {
  InvalidateInParent(BoundsRect());
}

void TControl::UpdateShowing() {
  bool showing = Showing();
  if (showing == showing_ || Destroying()) return;
  showing_ = showing;
  Perform(CM_SHOWINGCHANGED, showing);
}

bool TControl::Showing() const {
  return visible_ && (!parent_ || parent_->Showing());
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  EnabledChanged();
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  ColorChanged();
}

void TControl::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  TextChanged();
  Perform(CM_TEXTCHANGED);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{msg, wParam, lParam, 0};
  WindowProc(message);
  return message.Result;
}

void TControl::Invalidate() {
  InvalidateInParent(BoundsRect());
}

void TControl::InvalidateInParent(const RECT& rect) const {
  if (parent_ && parent_->HandleAllocated()) InvalidateRect(parent_->handle_, &rect, TRUE);
}

void TControl::Click() {
  if (OnClick && enabled_) OnClick(this);
}

void TControl::MouseEntered() {
  mouseInControl_ = true;
  Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(this));
}

void TControl::MouseLeft() {
  mouseInControl_ = false;
  Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
}

void TControl::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      if (message.LParam == reinterpret_cast<LPARAM>(this)) {
        if (message.Msg == CM_MOUSEENTER)
          ActivateHint(this);
        else
          CancelHint(this);
      }
      if (parent_) parent_->Perform(message.Msg, message.WParam, message.LParam);
      return;
    default:
      DefaultHandler(message);
  }
}

void TControl::DefaultHandler(TMessage& message) {
  message.Result = 0;
}

// ---- TGraphicControl ----

void TGraphicControl::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT:
    case WM_PRINT:
    case WM_PRINTCLIENT: {
      TCanvas canvas(reinterpret_cast<HDC>(message.WParam));
      Paint(canvas);
      message.Result = 0;
      return;
    }
    case WM_LBUTTONDOWN:
      SetControlState(ControlState() | csLButtonDown);
      break;
    case WM_LBUTTONUP: {
      bool pressed = ControlState() & csLButtonDown;
      SetControlState(ControlState() & ~unsigned(csLButtonDown));
      POINT p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
      if (pressed && p.x >= 0 && p.y >= 0 && p.x < Width() && p.y < Height() &&
          (ControlStyle() & csClickEvents))
        Click();
      break;
    }
    case WM_LBUTTONDBLCLK:
      if ((ControlStyle() & csDoubleClicks) && OnDblClick && Enabled()) OnDblClick(this);
      break;
    default:
      break;
  }
  TControl::WndProc(message);
}

}  // namespace fw
