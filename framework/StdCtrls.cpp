#include "framework/StdCtrls.h"

#include "platform/GdiScopes.h"

#include <commctrl.h>

namespace fw {

// ---- TLabel ----

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 65, 13);
}

void TLabel::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  AdjustBounds();
}

void TLabel::SetWordWrap(bool wordWrap) {
  wordWrap_ = wordWrap;
  AdjustBounds();
}

void TLabel::SetShowAccelChar(bool show) {
  showAccelChar_ = show;
  AdjustBounds();
}

void TLabel::SetTransparent(bool transparent) {
  transparent_ = transparent;
  Invalidate();
}

UINT TLabel::TextFormat() const {
  UINT format = DT_LEFT | DT_TOP;
  format |= wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE;
  if (!showAccelChar_) format |= DT_NOPREFIX;
  return format;
}

void TLabel::AdjustBounds() {
  if (autoSize_) {
    RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
    {
      platform::WindowDC dc(nullptr);
      platform::Selection font(dc, Font().Handle());
      std::string text = Caption().empty() ? std::string(" ") : Caption();
      DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, TextFormat() | DT_CALCRECT);
    }
    SetBounds(Left(), Top(), wordWrap_ ? Width() : r.right, r.bottom);
  }
  Invalidate();
}

void TLabel::Paint(TCanvas& canvas) {
  RECT r{0, 0, Width(), Height()};
  if (!transparent_) canvas.FillRect(r, Color());
  canvas.SetFont(Font());
  if (!Enabled()) SetTextColor(canvas.Handle(), GetSysColor(COLOR_GRAYTEXT));
  canvas.TextRect(r, Caption(), TextFormat());
}

// ---- TButton ----

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 75, 25);
}

TButton::~TButton() {
  if (icon_) DestroyIcon(icon_);
}

void TButton::SetImages(TImageList* images, int imageIndex) {
  images_ = images;
  imageIndex_ = imageIndex;
  if (HandleAllocated()) ApplyImage();
}

void TButton::ApplyImage() {
  if (icon_) DestroyIcon(icon_);
  icon_ = images_ && imageIndex_ >= 0 && imageIndex_ < images_->Count()
              ? images_->GetIcon(imageIndex_)
              : nullptr;
  ::SendMessageA(Handle(), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon_));
}

void TButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = "Button";
  params.Style |= WS_TABSTOP;
  if (style_ == TButtonStyle::bsSplitButton)
    params.Style |= default_ ? BS_DEFSPLITBUTTON : BS_SPLITBUTTON;
  else
    params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::CreateWnd() {
  TWinControl::CreateWnd();
  if (images_) ApplyImage();
}

void TButton::WndProc(TMessage& message) {
  if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
    Click();
    message.Result = 0;
    return;
  }
  if (message.Msg == CN_NOTIFY &&
      reinterpret_cast<NMHDR*>(message.LParam)->code == static_cast<UINT>(BCN_DROPDOWN)) {
    if (dropDownMenu_) {
      RECT r;
      GetWindowRect(Handle(), &r);
      dropDownMenu_->Popup(r.left, r.bottom, GetAncestor(Handle(), GA_ROOT));
    }
    message.Result = 0;
    return;
  }
  TWinControl::WndProc(message);
}

// ---- TGroupBox ----

void TGroupBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = "Button";
  params.Style |= BS_GROUPBOX;
}

void TGroupBox::WndProc(TMessage& message) {
  if (message.Msg == WM_ERASEBKGND) {
    RECT r;
    GetClientRect(Handle(), &r);
    TCanvas(reinterpret_cast<HDC>(message.WParam)).FillRect(r, Color());
    message.Result = 1;
    return;
  }
  TWinControl::WndProc(message);
}

}  // namespace fw
