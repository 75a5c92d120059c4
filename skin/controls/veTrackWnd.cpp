#include "skin/controls/veTrackWnd.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "skin/data/MaskGeometry.h"
#include "skin/render/sMaskSlices.h"

TveTrackWnd::TveTrackWnd(HWND handle, bool repaint, const std::string& skinSection,
                         TsSkinManager* manager, TsCommonData* skinData)
    : TvePressWnd(handle, false, skinSection.empty() ? "TRACKBAR" : skinSection, manager,
                  skinData) {
  SkinData->UpdateIndexes();
  if (repaint && IsWindowVisible(handle)) Redraw();
}

bool TveTrackWnd::Vertical() const {
  return GetWindowLongA(Handle, GWL_STYLE) & TBS_VERT;
}

const TsMaskData* TveTrackWnd::Image(const char* key) const {
  int index = Skin().FindImageByName(SkinData->SkinSection, key);
  if (!Skin().IsValidImageIndex(index)) index = Skin().FindImageByName("TRACKBAR", key);
  return Skin().IsValidImageIndex(index) ? &Skin().ImageTable[size_t(index)] : nullptr;
}

RECT TveTrackWnd::ChannelRect() const {
  RECT r{};
  SendMessageA(Handle, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&r));
  // The platform answers a vertical bar's channel lying on its side.
  if (Vertical() && r.right - r.left > r.bottom - r.top) r = {r.top, r.left, r.bottom, r.right};
  return r;
}

int TveTrackWnd::ThumbState() const {
  if (!IsWindowEnabled(Handle)) return 0;
  if (dragging_) return 2;
  return GetFocus() == Handle || Hot() ? 1 : 0;
}

void TveTrackWnd::PaintTicks(const RECT& channel) {
  const LONG style = GetWindowLongA(Handle, GWL_STYLE);
  const TsMaskData* tick = Image(Vertical() ? "TICKVERT" : "TICKHORZ");
  if ((style & TBS_NOTICKS) || !tick) return;
  img::Bitmap32& cache = *SkinData->CacheBitmap;
  RECT thumb{};
  SendMessageA(Handle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  const int w = ::FrameWidth(*tick), h = ::FrameHeight(*tick);
  // The ends of the range always have a tick; the platform gives the places of those between.
  const int count = int(SendMessageA(Handle, TBM_GETNUMTICS, 0, 0));
  std::vector<int> places;
  const bool vertical = Vertical();
  const int half = vertical ? (thumb.bottom - thumb.top) / 2 : (thumb.right - thumb.left) / 2;
  places.push_back(vertical ? channel.top + half : channel.left + half);
  places.push_back(vertical ? channel.bottom - half : channel.right - half);
  for (int i = 0; i + 2 < count; ++i)
    places.push_back(int(SendMessageA(Handle, TBM_GETTICPOS, WPARAM(i), 0)));
  // Ticks stand beside the thumb: below or right of it, above or left with TBS_TOP, both with
  // TBS_BOTH.
  std::vector<int> sides;
  if (style & TBS_BOTH) {
    sides = {0, 1};
  } else {
    sides = {(style & TBS_TOP) ? 0 : 1};
  }
  const TsBgSource behind = MakeBgSource(&cache, 0, 0);
  for (int side : sides)
    for (int place : places) {
      const TPoint at =
          vertical ? TPoint{side ? int(thumb.right) + 1 : int(thumb.left) - w - 1, place - h / 2}
                   : TPoint{place - w / 2, side ? int(thumb.bottom) + 1 : int(thumb.top) - h - 1};
      PaintStateGlyph(cache, at, 0, behind, *tick, IsWindowEnabled(Handle) ? 1 : 0);
    }
}

bool TveTrackWnd::RenderCache() {
  if (!PaintSection(0)) return false;
  img::Bitmap32& cache = *SkinData->CacheBitmap;
  const TsBgSource behind = MakeBgSource(&cache, 0, 0);
  const RECT channel = ChannelRect();
  if (const TsMaskData* image = Image("SLIDERCHANNEL"); image && !IsRectEmpty(&channel)) {
    // A thin channel is widened to what its image needs to show its edges.
    RECT r = channel;
    if (Vertical()) {
      const int least = image->MarginLeft + image->MarginRight + 1;
      if (r.right - r.left < least) InflateRect(&r, (least - (r.right - r.left) + 1) / 2, 0);
    } else {
      const int least = image->MarginTop + image->MarginBottom + 1;
      if (r.bottom - r.top < least) InflateRect(&r, 0, (least - (r.bottom - r.top) + 1) / 2);
    }
    PaintMaskSlices(cache, {r.left, r.top, r.right, r.bottom}, *image, 0, behind, true);
  }
  PaintTicks(channel);
  RECT thumb{};
  SendMessageA(Handle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  if (const TsMaskData* image = Image(Vertical() ? "SLIDERVMASK" : "SLIDERMASK")) {
    const int w = ::FrameWidth(*image), h = ::FrameHeight(*image);
    const TPoint at{thumb.left + (thumb.right - thumb.left - w) / 2,
                    thumb.top + (thumb.bottom - thumb.top - h) / 2};
    const int state = std::min(ThumbState(), std::max(0, int(image->StateCount) - 1));
    PaintStateGlyph(cache, at, state, behind, *image, IsWindowEnabled(Handle) ? 1 : 0);
  }
  FadeIfDisabled();
  return true;
}

void TveTrackWnd::HandleMessage(fw::TMessage& message) {
  if (!Painting()) {
    TvePressWnd::HandleMessage(message);
    return;
  }
  switch (message.Msg) {
    case WM_LBUTTONDOWN: {
      RECT thumb{};
      SendMessageA(Handle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
      dragging_ = PtInRect(&thumb, {GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)});
      TvePressWnd::HandleMessage(message);
      Redraw();
      return;
    }
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      dragging_ = false;
      TvePressWnd::HandleMessage(message);
      Redraw();
      return;
    case WM_MOUSEMOVE:
      TvePressWnd::HandleMessage(message);
      if (dragging_) Redraw();
      return;
    case WM_KEYDOWN:
    case TBM_SETPOS:
    case TBM_SETRANGE:
    case TBM_SETTICFREQ:
      // The platform moved the thumb and drew it over ours.
      TvePressWnd::HandleMessage(message);
      Redraw();
      return;
    default:
      break;
  }
  TvePressWnd::HandleMessage(message);
}
