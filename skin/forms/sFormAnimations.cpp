#include "skin/forms/sFormAnimations.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "framework/OnThrow.h"
#include "platform/LayeredWindows.h"
#include "platform/StartupTrace.h"
#include "skin/data/sSkinWindowsWin32.h"
#include "skin/forms/sAnimWindow.h"
#include "skin/forms/sControlTree.h"
#include "skin/forms/sHideTimer.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/render/sAnimFrames.h"
#include "skin/render/sBlend.h"
#include "skin/render/sGlow.h"
#include "skin/render/sPaintFlags.h"
#include "skin/render/sWindowRegion.h"

namespace {

// The form put back under the animation window: no move, no size, no activation, no redraw, no
// owner order, no changing message.
constexpr UINT kBackUnderFlags = SWP_NOMOVE | SWP_NOSIZE | kAnimPlaceFlags;
constexpr UINT kRedrawWhole =
    RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW;

}  // namespace

uint8_t FormAlpha(const fw::TForm& form) {
  return form.AlphaBlend() ? form.AlphaBlendValue() : 255;
}

namespace {

// What the form's window region leaves of it (window coordinates): everything without one.
std::vector<RECT> ShownRects(HWND wnd, int width, int height) {
  std::vector<RECT> rects;
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  int kind = GetWindowRgn(wnd, region);
  if (kind == SIMPLEREGION || kind == COMPLEXREGION) {
    DWORD size = GetRegionData(region, 0, nullptr);
    std::vector<char> bytes(size);
    auto* data = reinterpret_cast<RGNDATA*>(bytes.data());
    if (size && GetRegionData(region, size, data)) {
      const auto* r = reinterpret_cast<const RECT*>(data->Buffer);
      rects.assign(r, r + data->rdh.nCount);
    }
  }
  DeleteObject(region);
  if (rects.empty()) rects.push_back({0, 0, width, height});
  return rects;
}

// The border window's picture with the form's painted controls laid in where the form shows.
std::unique_ptr<img::Bitmap32> BorderedLook(TsSkinProvider& provider, TveBorderForm& border) {
  auto picture = std::make_unique<img::Bitmap32>(border.ComposeAhead());
  HWND wnd = provider.Form()->Handle();
  RECT r;
  GetWindowRect(wnd, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  img::Bitmap32 form(w, h);
  PaintControlTree(form, provider.Form(), 0, 0, &provider);
  const TPoint offset = border.Offset();
  for (const RECT& shown : ShownRects(wnd, w, h)) {
    const int left = std::max<int>(shown.left, -offset.X);
    const int right = std::min<int>(shown.right, picture->Width() - offset.X);
    for (int y = std::max<int>(shown.top, -offset.Y);
         y < std::min<int>(shown.bottom, picture->Height() - offset.Y); ++y) {
      if (y >= h) break;
      for (int x = left; x < right && x < w; ++x) {
        img::TRGBAPixel p = form.Pixel(x, y);
        p.A = 255;
        picture->Pixel(x + offset.X, y + offset.Y) = p;
      }
    }
  }
  return picture;
}

}  // namespace

std::unique_ptr<img::Bitmap32> PaintFinalLook(TsSkinProvider& provider) {
  if (TveBorderForm* border = provider.BorderForm()) return BorderedLook(provider, *border);
  const img::Bitmap32& image = provider.WindowImage();
  auto picture = std::make_unique<img::Bitmap32>(image.Width(), image.Height());
  PaintControlTree(*picture, provider.Form(), 0, 0, &provider);
  SetRectAlpha(*picture, {0, 0, picture->Width(), picture->Height()}, 255);
  return picture;
}

RECT FinalLookBounds(TsSkinProvider& provider, const img::Bitmap32& picture) {
  RECT r;
  GetWindowRect(provider.Form()->Handle(), &r);
  if (TveBorderForm* border = provider.BorderForm()) {
    TPoint offset = border->Offset();
    r.left -= offset.X;
    r.top -= offset.Y;
  }
  return {r.left, r.top, r.left + picture.Width(), r.top + picture.Height()};
}

HWND ShowFinalLookWindow(TsSkinProvider& provider, const img::Bitmap32& picture, uint8_t alpha) {
  HWND form = provider.Form()->Handle();
  HWND anim = ShowAnimWindowAt(form, FinalLookBounds(provider, picture), picture, alpha);
  TveBorderForm* border = provider.BorderForm();
  if (anim && border && IsZoomed(form))
    ApplyWindowRegion(
        anim, RectRegionWithout(border->ShownRect(picture.Width(), picture.Height()), {}), false);
  return anim;
}

bool PutFinalLookOnForm(TsSkinProvider& provider, const img::Bitmap32& picture,
                        const RECT& bounds) {
  HWND wnd = provider.Form()->Handle();
  const RECT now = FinalLookBounds(provider, picture);
  if (!EqualRect(&now, &bounds) || !picture.DC()) return false;
  RECT r;
  GetWindowRect(wnd, &r);
  // Children are not clipped: the picture holds them too.
  HDC dc = GetDCEx(wnd, nullptr, DCX_WINDOW | DCX_CACHE);
  if (!dc) return false;
  BitBlt(dc, 0, 0, r.right - r.left, r.bottom - r.top, picture.DC(), r.left - bounds.left,
         r.top - bounds.top, SRCCOPY);
  ReleaseDC(wnd, dc);
  RedrawWindow(wnd, nullptr, nullptr, RDW_VALIDATE | RDW_NOFRAME | RDW_NOERASE | RDW_ALLCHILDREN);
  return true;
}

void HideByLayering(fw::TForm& form) {
  HWND wnd = form.Handle();
  SetWindowLongA(wnd, GWL_EXSTYLE, GetWindowLongA(wnd, GWL_EXSTYLE) | WS_EX_LAYERED);
  platform::LayeredWindows::Current().SetAlpha(wnd, 0);
}

void ShowAfterLayering(fw::TForm& form, uint8_t alpha) {
  if (form.AlphaBlend()) {
    form.SetAlphaBlendValue(alpha);
    return;
  }
  HWND wnd = form.Handle();
  SetWindowLongA(wnd, GWL_EXSTYLE, GetWindowLongA(wnd, GWL_EXSTYLE) & ~WS_EX_LAYERED);
}

bool AnimateFormShow(TsSkinProvider& provider, int timeMs, uint8_t alpha, TveAnimType mode) {
  fw::TForm* form = provider.Form();
  if (!provider.Skinned() || !form->HandleAllocated() || IsIconic(form->Handle()) ||
      !provider.RebuildWindowImage() || provider.WindowImage().Empty())
    return false;
  HWND wnd = form->Handle();
  AnimationInProgress = true;
  std::unique_ptr<img::Bitmap32> picture = PaintFinalLook(provider);
  platform::TraceStartup("show animation: first picture painted");
  std::vector<TsAnimFrame> frames =
      ShowFrames(timeMs, alpha, mode == TveAnimType::atAero, TsAnimKind::Form, picture->Width(),
                 picture->Height());
  RECT bounds = FinalLookBounds(provider, *picture);
  HWND anim = ShowFinalLookWindow(provider, *picture, frames.empty() ? alpha : 0);
  if (!anim) {
    AnimationInProgress = false;
    return false;
  }
  fw::TOnThrow dropAnim([&anim] { FreeAnimWindow(anim); });
  platform::TraceStartup("show animation: its window shown");
  bool done = RunFrames(anim, *picture, frames, nullptr) && frames.back().Alpha == alpha;
  platform::TraceStartup("show animation: frames run");
  SetWindowPos(anim, nullptr, bounds.left, bounds.top, picture->Width(), picture->Height(),
               kAnimPlaceFlags | SWP_NOZORDER);
  if (!done) ShowPicture(anim, *picture, alpha);
  // The form comes back directly under the animation window and takes the picture as its look.
  provider.InAnimation = false;
  SetWindowPos(wnd, anim, 0, 0, 0, 0, kBackUnderFlags);
  ShowAfterLayering(*form, alpha);
  SendMessageA(wnd, WM_SETREDRAW, 1, 0);
  AnimationInProgress = false;
  platform::TraceStartup("show animation: the form opaque again");
  if (!PutFinalLookOnForm(provider, *picture, bounds))
    RedrawWindow(wnd, nullptr, nullptr, kRedrawWhole);
  // A composed desktop shows the form's new pixels a little later.
  if (CompositionEnabled()) Sleep(48);
  // The border window comes back behind the form with its own picture and shape.
  if (TveBorderForm* border = provider.BorderForm()) border->Update(true, provider.BorderAlpha());
  SetWindowPos(anim, wnd, 0, 0, 0, 0, kBackUnderFlags);
  FreeAnimWindow(anim);
  if (provider.OnAfterAnimation) provider.OnAfterAnimation(provider, TveAnimEvent::aeShowing);
  return true;
}

void AnimateFormHide(TsSkinProvider& provider) {
  HideAllGlows();
  fw::TForm* form = provider.Form();
  TsSkinManager* manager = provider.SkinManager();
  if (!manager || !provider.Skinned() || !form->HandleAllocated() ||
      !(provider.FormStateFlags & TsSkinProvider::kHideSnapshotTaken) || !provider.HideCover) {
    provider.DropHideCover();
    return;
  }
  AnimationInProgress = true;
  auto image = std::make_unique<img::Bitmap32>(std::move(provider.HideSnapshot));
  HWND cover = provider.HideCover;
  provider.HideCover = nullptr;
  const TveFormHide& hide = manager->AnimEffects.FormHide;
  StartHideAnimation(cover, std::move(image), hide.Time, form->Handle(), hide.Mode, 255);
  AnimationInProgress = false;
}
