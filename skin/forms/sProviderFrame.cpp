// The provider's frame: what its frame handler asks of it, and the frame's messages that are the
// provider's own (non-client painting, activation, the border window's clicks, and presses on
// the caption and the borders that move or size the form).
#include <windowsx.h>

#include "platform/GdiScopes.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSystemMenu.h"

using namespace fw;

HWND TsSkinProvider::TFrameFacts::FrameWindow() const {
  return p.form_->Handle();
}

void TsSkinProvider::TFrameFacts::RepaintFrame(bool imageChanged) {
  if (imageChanged) p.skinData_->SetBgDirty(true);
  p.RepaintFrameNow();
}

void TsSkinProvider::TFrameFacts::PopupSystemMenu(int x, int y) {
  if (!p.systemMenu_) p.systemMenu_ = new TsSystemMenu(p);
  p.systemMenu_->Popup(x, y);
}

bool TsSkinProvider::TFrameFacts::AnswerBackground(TMessage& message) {
  if (!p.Skinned()) return false;
  p.AnswerBackground(message);
  return true;
}

LRESULT TsSkinProvider::TFrameFacts::BackgroundColor() {
  return p.skinData_->GetBgColor(0, p.form_->Handle());
}

LRESULT TsSkinProvider::TFrameFacts::ApplicationHitTest(TMessage& message) {
  LRESULT result = 0;
  if (p.OnExtHitTest) p.OnExtHitTest(message, result);
  return result;
}

void TsSkinProvider::RepaintFrameNow() {
  if (!form_->HandleAllocated() || !IsWindowVisible(form_->Handle())) return;
  PaintFrame(platform::WindowDC(form_->Handle(), true));
}

bool TsSkinProvider::HandleFrameMessage(TMessage& message) {
  if (!drawNonClient_) return false;
  switch (message.Msg) {
    case WM_NCPAINT:
      PaintFrame(platform::WindowDC(form_->Handle(), true));
      message.Result = 0;
      return true;
    case WM_NCACTIVATE:
      NcActivate(message);
      return true;
    case WM_NCHITTEST:
      // With a border window the form shows only its menu band and client: the platform knows.
      if (border_) return false;
      break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
      // The border window passes its clicks on without a code: the element under the mouse is
      // looked up here.
      if (border_ && message.WParam == kHitInBorderWindow)
        message.WParam =
            WPARAM(LRESULT(HitTest({GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)})));
      // In the border window's shadow: nothing of the form's.
      if (message.Msg == WM_NCLBUTTONDOWN && static_cast<int>(message.WParam) < 0) {
        message.Result = 0;
        return true;
      }
      break;
    default:
      break;
  }
  TLifeToken alive = life_.Token();
  if (frame_.Handle(message) || !alive) return true;
  switch (message.Msg) {
    case WM_NCLBUTTONDOWN:
      DragFrame(message);
      return true;
    case WM_NCLBUTTONDBLCLK:
      // The skin's frame has no double-click of its own elsewhere.
      message.Result = 0;
      return true;
    default:
      return false;
  }
}

void TsSkinProvider::NcActivate(TMessage& message) {
  activeLook_ = message.WParam != 0;
  skinData_->SetBgDirty(true);
  // -1 tells the platform's handler not to repaint the frame: the skin paints it.
  message.LParam = -1;
  if (!CallSaved(message)) return;
  RepaintElements(frame_.Buttons().Reset());
  RepaintFrameNow();
  if (border_) border_->PlaceLater();
}

// A press on the caption or a border that no title element took: the form moves or is sized.
void TsSkinProvider::DragFrame(TMessage& message) {
  int code = static_cast<int>(message.WParam);
  // With full-window dragging on, the platform would move the real window: the outline goes
  // instead. Otherwise the platform's own outline is the same thing.
  BOOL fullDrag = FALSE;
  SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &fullDrag, 0);
  bool sizing = code >= kHitLeft && code <= kHitBottomRight && paint_.Form.ThickFrame;
  if (OutlineDragging() && fullDrag && !paint_.Form.Maximized && (code == kHitCaption || sizing)) {
    WPARAM command = code == kHitCaption ? SC_MOVE | HTCAPTION : SC_SIZE | WPARAM(code - 9);
    SendMessageA(form_->Handle(), WM_SYSCOMMAND, command, message.LParam);
    message.Result = 0;
    return;
  }
  if (code == kHitCaption && BlendOnMovingAllowed()) {
    StartBlendMoving(message.LParam);
    message.Result = 0;
    return;
  }
  CallSaved(message);
}
