#include "framework/ExtCtrls.h"

namespace fw {

TImage::~TImage() {
  if (icon_) DestroyIcon(icon_);
}

void TImage::SetIcon(HICON icon) {
  if (icon_) DestroyIcon(icon_);
  icon_ = icon ? CopyIcon(icon) : nullptr;
  Invalidate();
}

void TImage::Paint(TCanvas& canvas) {
  if (icon_) canvas.DrawIcon(0, 0, icon_);
}

}  // namespace fw
