// The provider's title-button fades: which forms fade their buttons, the picture of a button's
// look (with its glow when the button is hot), and ending the fades when the form moves, hides
// or changes skin.
#include "platform/LayeredWindows.h"
#include "skin/data/sSkinWindowsWin32.h"
#include "skin/forms/sFormAnimations.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/render/sBgSource.h"
#include "skin/render/sMaskSlices.h"
#include "skin/render/sPaintFlags.h"

namespace {

// A premultiplied picture laid over another of the same size.
void LayOver(img::Bitmap32& target, const img::Bitmap32& over) {
  for (int y = 0; y < target.Height(); ++y) {
    img::TRGBAPixel* t = target.Row(y);
    const img::TRGBAPixel* o = over.Row(y);
    for (int x = 0; x < target.Width(); ++x) {
      const int keep = 255 - o[x].A;
      t[x].B = uint8_t(o[x].B + t[x].B * keep / 255);
      t[x].G = uint8_t(o[x].G + t[x].G * keep / 255);
      t[x].R = uint8_t(o[x].R + t[x].R * keep / 255);
      t[x].A = uint8_t(o[x].A + t[x].A * keep / 255);
    }
  }
}

// The part of image under place (image coordinates) into picture, opaque; what lies outside the
// image stays clear.
void CopyOpaque(img::Bitmap32& picture, const img::Bitmap32& image, const TRect& place,
                const TRect& part) {
  for (int y = std::max(part.Top, 0); y < std::min(part.Bottom, image.Height()); ++y)
    for (int x = std::max(part.Left, 0); x < std::min(part.Right, image.Width()); ++x) {
      img::TRGBAPixel p = image.Pixel(x, y);
      p.A = 255;
      picture.Pixel(x - place.Left, y - place.Top) = p;
    }
}

}  // namespace

bool TsSkinProvider::TitleAnimationsAllowed() const {
  TsSkinManager* manager = SkinManager();
  if (!manager || !(manager->Effects.AllowGlowing() || border_) || AnimationInProgress ||
      !drawNonClient_)
    return false;
  HWND wnd = form_->HandleAllocated() ? form_->Handle() : nullptr;
  return wnd && !form_->Parent() && !(GetWindowLongA(wnd, GWL_STYLE) & WS_CHILD) &&
         IsWindowVisible(wnd) && !IsIconic(wnd);
}

TveSBAnimation& TsSkinProvider::TitleAnimation(int code, const TRect& place,
                                               TveSBAnimation::TComposer compose) {
  auto found = titleAnimations_.find(code);
  if (found != titleAnimations_.end()) return *found->second;
  auto animation = std::make_unique<TveSBAnimation>(
      form_->Handle(), place,
      [this] {
        TPoint corner = ImageOnScreen();
        return POINT{corner.X, corner.Y};
      },
      std::move(compose));
  animation->OnEnded = [this, code] {
    // The key is copied first: erasing frees this closure with its copy of the code.
    const int key = code;
    titleAnimations_.erase(key);
  };
  return *titleAnimations_.emplace(code, std::move(animation)).first->second;
}

void TsSkinProvider::AnimateTitleButton(int code, int state, int steps, bool backward) {
  TsTitleButtonData* b = Element(code);
  if (!b) return;
  if (state == 0 && !titleAnimations_.count(code)) {
    PaintElementNow(code);
    return;
  }
  TveSBAnimation& animation = TitleAnimation(
      code, b->Bounds, [this, code](int look) { return ComposeTitleButton(code, look); });
  // The form keeps the normal look underneath; the popup shows the new one.
  PaintElementNow(code);
  animation.Animate(state, steps, backward);
}

void TsSkinProvider::AnimateTitleItem(const TveTitleBarItem& item, int code, bool hoverChanged) {
  const TveBtnStyle style = item.Style();
  const bool fades = (style == TveBtnStyle::bsButton || style == TveBtnStyle::bsMenu ||
                      style == TveBtnStyle::bsTab) &&
                     item.Enabled() && !item.Pressed && item.PaintState() != 2 &&
                     TitleAnimationsAllowed();
  if (!fades) {
    titleAnimations_.erase(code);
    return;
  }
  if (!hoverChanged || (item.HoverState == 0 && !titleAnimations_.count(code))) return;
  TitleAnimation(code, item.Rect, [this, code](int look) {
    return ComposeTitleItem(code, look);
  }).Animate(item.HoverState, 10, false);
}

void TsSkinProvider::StopTitleAnimations() {
  if (titleAnimations_.empty()) return;
  std::vector<int> codes;
  for (const auto& [code, animation] : titleAnimations_) codes.push_back(code);
  titleAnimations_.clear();
  if (!form_->HandleAllocated() || !IsWindowVisible(form_->Handle())) return;
  for (int code : codes) PaintElementNow(code);
  // Items are painted over their neighbours: the frame is painted again for them (their codes
  // are the highest, so the last in the map).
  if (codes.back() >= kHitTitleItem) {
    skinData_->SetBgDirty(true);
    RepaintFrameNow();
  }
}

TveSBAnimation::TFrame TsSkinProvider::ComposeTitleButton(int code, int state) {
  TveSBAnimation::TFrame frame;
  const TsTitleButtonData* b = Element(code);
  const TsSkinModel& skin = Skin();
  const img::Bitmap32& image = *skinData_->CacheBitmap;
  if (!b || image.Empty()) return frame;
  int glow = -1, margin = 0;
  if (state == 1 && code != kHitHelp && SkinManager()->Effects.AllowGlowing() &&
      b->ImageIndex >= 0 && size_t(b->ImageIndex) < skin.ImageTable.size()) {
    const TsMaskData& entry = skin.ImageTable[size_t(b->ImageIndex)];
    glow = skin.FindImageByName(entry.SectionName, entry.KeyName + "GLOW0");
    const TsSkinData& info = skin.GlobalInfo;
    margin = code == kHitClose       ? info.CloseGlowMargin
             : code == kHitMaxButton ? info.MaxGlowMargin
                                     : info.MinGlowMargin;
    if (glow < 0 || size_t(glow) >= skin.ImageTable.size()) glow = -1, margin = 0;
  }
  const TRect& r = b->Bounds;
  frame.Place = {r.Left - margin, r.Top - margin, r.Right + margin, r.Bottom + margin};
  // The button in its look on the clean title, as the window image would show it.
  img::Bitmap32 work = image;
  RestoreButtonArea(work, buttonStrip_, buttonStripRect_, r);
  TsTitleButtonData look = *b;
  look.State = state;
  PaintTitleButton(skin, work, look, false);
  frame.Picture = img::Bitmap32(frame.Place.Width(), frame.Place.Height());
  CopyOpaque(frame.Picture, work, frame.Place, frame.Place);
  if (glow >= 0) {
    img::Bitmap32 halo(frame.Place.Width(), frame.Place.Height());
    PaintMaskSlicesAlpha(halo, {0, 0, halo.Width(), halo.Height()}, skin.ImageTable[size_t(glow)],
                         0, TsBgSource{});
    LayOver(frame.Picture, halo);
    CopyOpaque(frame.Picture, work, frame.Place, r);
  }
  return frame;
}

TveSBAnimation::TFrame TsSkinProvider::ComposeTitleItem(int code, int state) {
  TveSBAnimation::TFrame frame;
  const TveTitleBarItem* item = TitleItem(code);
  const img::Bitmap32& image = *skinData_->CacheBitmap;
  if (!item || image.Empty()) return frame;
  // The whole frame painted again, so that the item's plate lies over the clean title as the
  // window image would show it in that look.
  img::Bitmap32 work(image.Width(), image.Height()), strip;
  composingItem_ = {code, state};
  PaintWindowImage(Skin(), work, strip, paint_, FramePaintHooks());
  composingItem_ = {};
  frame.Place = item->Rect;
  frame.Picture = img::Bitmap32(frame.Place.Width(), frame.Place.Height());
  CopyOpaque(frame.Picture, work, frame.Place, frame.Place);
  return frame;
}

bool TsSkinProvider::MinimizeAnimationAllowed() const {
  TsSkinManager* manager = SkinManager();
  return manager && manager->AnimEffects.Minimizing.Active && drawNonClient_ && Skinned() &&
         form_->HandleAllocated() && IsWindowVisible(form_->Handle()) &&
         platform::LayeredWindows::Current().Available();
}

void TsSkinProvider::StartMinimizeAnimation() {
  HWND wnd = form_->HandleAllocated() ? form_->Handle() : nullptr;
  if (!wnd || IsIconic(wnd) || flight_ || !MinimizeAnimationAllowed()) return;
  GetWindowRect(wnd, &normalRect_);
  minimizedImage_ =
      img::Bitmap32(normalRect_.right - normalRect_.left, normalRect_.bottom - normalRect_.top);
  SendMessageA(wnd, WM_PRINT, reinterpret_cast<WPARAM>(minimizedImage_.DC()),
               PRF_NONCLIENT | PRF_CLIENT | PRF_CHILDREN | PRF_ERASEBKGND);
  GdiFlush();
  const int alpha = FormAlpha(*form_);
  TveMinTimer flight(minimizedImage_, ToRectF(normalRect_), MinimizeTarget(wnd), alpha, 0,
                     FlightSteps(SkinManager()->AnimEffects.Minimizing.Time), true);
  flight_ = &flight;
  fw::TLifeToken alive = life_.Token();
  // The form goes once its picture covers it.
  flight.Run([wnd] { ShowWithoutAnimation(wnd, SW_MINIMIZE); });
  if (alive) flight_ = nullptr;
}

bool TsSkinProvider::StartRestoreAnimation() {
  HWND wnd = form_->HandleAllocated() ? form_->Handle() : nullptr;
  if (!wnd || !IsIconic(wnd) || flight_ || minimizedImage_.Empty() || !MinimizeAnimationAllowed())
    return false;
  const int alpha = FormAlpha(*form_);
  TveMinTimer flight(minimizedImage_, MinimizeTarget(wnd), ToRectF(normalRect_), 0, alpha,
                     FlightSteps(SkinManager()->AnimEffects.Minimizing.Time), false);
  flight_ = &flight;
  fw::TLifeToken alive = life_.Token();
  flight.Run(nullptr);
  if (!alive) return true;
  flight_ = nullptr;
  minimizedImage_ = {};
  // The form comes back under the last frame, which goes with the flight.
  ShowFormDirectly();
  return true;
}

void TsSkinProvider::ShowFormDirectly() {
  HWND wnd = form_->Handle();
  if (IsIconic(wnd)) ShowWithoutAnimation(wnd, SW_RESTORE);
  if (!IsWindowVisible(wnd)) ShowWindow(wnd, SW_SHOWNA);
  RedrawWindow(wnd, nullptr, nullptr,
               RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

bool TsSkinProvider::BlendOnMovingAllowed() const {
  TsSkinManager* manager = SkinManager();
  if (!manager || !AllowBlendOnMoving || blendMoving_ || !form_->HandleAllocated()) return false;
  const TveBlendOnMoving& effect = manager->AnimEffects.BlendOnMoving;
  HWND wnd = form_->Handle();
  // A maximised form does not move: it would only flash.
  return effect.Active && effect.BlendValue < 255 && !IsIconic(wnd) && !IsZoomed(wnd) &&
         !form_->Parent() && !(GetWindowLongA(wnd, GWL_STYLE) & WS_CHILD) &&
         platform::LayeredWindows::Current().Available();
}

void TsSkinProvider::StartBlendMoving(LPARAM where) {
  HWND wnd = form_->Handle();
  const TveBlendOnMoving& effect = SkinManager()->AnimEffects.BlendOnMoving;
  blendMoving_ = true;
  SetActiveWindow(wnd);
  const LONG ex = GetWindowLongA(wnd, GWL_EXSTYLE);
  layeredBeforeMoving_ = ex & WS_EX_LAYERED;
  if (!layeredBeforeMoving_) SetWindowLongA(wnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
  const uint8_t alpha = FormAlpha(*form_);
  // The border window's picture turns translucent with the form.
  auto border = [this](uint8_t value) {
    if (HWND window = border_ ? border_->WindowIfAny() : nullptr) {
      RECT r;
      GetWindowRect(window, &r);
      platform::LayeredWindows::Current().Update(window, r.left, r.top, border_->Picture(), value);
    }
  };
  moveTimer_ = std::make_unique<TveMoveTimer>(
      wnd, MoveBlend(alpha, effect.BlendValue, AllowBlendOnMoving, effect.Time), border);
  fw::TLifeToken alive = life_.Token();
  constexpr WPARAM kDragMove = SC_MOVE | HTCAPTION;
  SendMessageA(wnd, WM_SYSCOMMAND, kDragMove, where);
  if (alive) EndBlendMoving();
}

void TsSkinProvider::EndBlendMoving() {
  if (!blendMoving_) return;
  moveTimer_.reset();
  blendMoving_ = false;
  HWND wnd = form_->Handle();
  const uint8_t alpha = FormAlpha(*form_);
  if (layeredBeforeMoving_)
    platform::LayeredWindows::Current().SetAlpha(wnd, alpha);
  else
    SetWindowLongA(wnd, GWL_EXSTYLE, GetWindowLongA(wnd, GWL_EXSTYLE) & ~WS_EX_LAYERED);
  if (border_) border_->Update(true, alpha);
  RedrawWindow(wnd, nullptr, nullptr,
               RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
