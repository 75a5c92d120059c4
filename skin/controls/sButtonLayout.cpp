#include "skin/controls/sButtonLayout.h"

namespace {

TRect Moved(TRect r, bool pressed) {
  if (pressed) r = {r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
  return r;
}

}  // namespace

TRect ButtonCaptionRect(const TsButtonLayout& l) {
  const int b = l.ContentWidth(), h = l.Height, cm = l.ContentMargin;
  const TImageMargins& im = l.Margins;
  const int cw = l.CaptionWidth, ch = l.CaptionHeight;
  const int centredTop = (h - ch) / 2;
  TRect r;
  if (!l.HasImage || l.Alignment == TImageAlignment::iaCenter) {
    r.Left = (b - cw) / 2 - 1;
    r.Right = r.Left + cw + 2;
    r.Top = centredTop;
    r.Bottom = h - centredTop;
    return Moved(r, l.Pressed);
  }
  switch (l.Alignment) {
    case TImageAlignment::iaLeft:
      r = {im.Left + cm + l.ImageWidth + im.Right, centredTop, b - cm, h - centredTop};
      break;
    case TImageAlignment::iaRight:
      r = {cm, centredTop, b - im.Right - cm - l.ImageWidth - im.Left, h - centredTop};
      break;
    case TImageAlignment::iaTop: {
      const int above = im.Top + 2 * cm + l.ImageHeight;
      r.Top = above + (h - cm - above - ch) / 2;
      r = {cm, r.Top, b - cm, r.Top + ch};
      break;
    }
    default: {  // iaBottom
      const int below = h - im.Bottom - cm - l.ImageHeight - im.Top;
      r.Top = im.Top + (below - im.Top - ch) / 2;
      r = {cm, r.Top, b - cm, r.Top + ch};
      break;
    }
  }
  return Moved(r, l.Pressed);
}

int ButtonCaptionRoom(const TsButtonLayout& l) {
  const int b = l.ContentWidth(), cm = l.ContentMargin;
  const int beside = l.Margins.Left + l.Margins.Right + l.ImageWidth;
  if (l.HasImage &&
      (l.Alignment == TImageAlignment::iaLeft || l.Alignment == TImageAlignment::iaRight))
    return b - 2 * cm - beside;
  return b - 2 * cm;
}

TRect ButtonImageRect(const TsButtonLayout& l) {
  if (!l.HasImage) return {};
  const int b = l.ContentWidth(), h = l.Height, cm = l.ContentMargin;
  const int iw = l.ImageWidth, ih = l.ImageHeight;
  const TImageMargins& im = l.Margins;
  int left = (b - iw) / 2, top = (h - ih) / 2;
  switch (l.Alignment) {
    case TImageAlignment::iaLeft:
      left = im.Left + cm;
      break;
    case TImageAlignment::iaRight:
      left = b - im.Right - cm - iw;
      break;
    case TImageAlignment::iaTop:
      top = im.Top + cm;
      break;
    case TImageAlignment::iaBottom:
      top = h - im.Bottom - cm - ih;
      break;
    case TImageAlignment::iaCenter:
      break;
  }
  return Moved({left, top, left + iw, top + ih}, l.Pressed);
}
