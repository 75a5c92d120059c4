#include "skin/render/sFadeTimer.h"

#include <unordered_map>

#include "framework/Application.h"
#include "platform/GdiScopes.h"
#include "skin/data/sSkinCommands.h"
#include "skin/render/sAnimSteps.h"
#include "skin/render/sBlend.h"
#include "skin/render/sCtrlUtils.h"
#include "skin/render/sManagerLink.h"

namespace {

constexpr unsigned kFadeInterval = 10;

// One fade a control; the fade of a control is found by its skin state.
std::unordered_map<const TsCommonData*, std::unique_ptr<TsFadeTimer>>& Fades() {
  static auto* fades = new std::unordered_map<const TsCommonData*, std::unique_ptr<TsFadeTimer>>;
  return *fades;
}

const TsGeneralData* FadingSection(const TsCommonData& data) {
  const TsSkinModel* manager = data.GetSkinManager();
  if (!data.IsSkinned(true) || !manager->IsValidSectionIndex(data.SectionIndex)) return nullptr;
  const TsGeneralData& section = manager->SectionTable[size_t(data.SectionIndex)];
  return section.FadingEnabled ? &section : nullptr;
}

}  // namespace

TsFadeTimer::TsFadeTimer(TsCommonData& data, HWND window, bool fast)
    : TveThreadedTimer(nullptr, true), data_(data), window_(window) {
  ++RunningControlFades;
  iterations_ = FadeIterations(FadingSection(data)->FadingIterations, fast);
  start_ = *data.CacheBitmap;
  // One frame buffer for the whole fade; every tick blends into it.
  frame_ = start_;
  SetInterval(kFadeInterval);
}

TsFadeTimer::~TsFadeTimer() {
  --RunningControlFades;
}

void TsFadeTimer::ShowFrame() {
  const img::Bitmap32* now = data_.CacheBitmap.get();
  if (!now || now->Width() != start_.Width() || now->Height() != start_.Height()) return;
  CrossFade(frame_, start_, *now, FadeWeight(level_, iterations_));
  if (SendSkinCommand(window_, CmdFadeFrame, reinterpret_cast<LPARAM>(&frame_))) return;
  platform::WindowDC dc(window_, true);
  GdiFlush();
  BitBlt(dc, 0, 0, frame_.Width(), frame_.Height(), frame_.DC(), 0, 0, SRCCOPY);
}

void TsFadeTimer::Tick() {
  const bool gone = !IsWindow(window_) || fw::Application.Terminated() ||
                    (data_.HostControl && data_.HostControl->Destroying());
  if (gone || !IsWindowEnabled(window_)) {
    StopFade(data_);
    return;
  }
  ShowFrame();
  if (++level_ <= iterations_) return;
  // The control may end the fade itself on hearing of it; nothing here is touched afterwards.
  HWND window = window_;
  TsCommonData& data = data_;
  SendSkinCommand(window, CmdStopFade, 0);
  StopFade(data);
}

bool StartFade(TsCommonData& data, HWND window, bool fast) {
  StopFade(data);
  if (!window || !FadingSection(data) || fw::Application.Terminated() || !data.CacheBitmap ||
      data.CacheBitmap->Empty() || data.BgDirty)
    return false;
  auto fade = std::make_unique<TsFadeTimer>(data, window, fast);
  TsFadeTimer* timer = fade.get();
  Fades()[&data] = std::move(fade);
  // The control paints its new state into its cache; the fade blends towards it.
  SendSkinCommand(window, CmdBgRepainted, 0);
  auto found = Fades().find(&data);
  if (found == Fades().end() || found->second.get() != timer) return false;
  timer->SetEnabled(true);
  return true;
}

void StopFade(TsCommonData& data) {
  auto found = Fades().find(&data);
  if (found == Fades().end()) return;
  std::unique_ptr<TsFadeTimer> fade = std::move(found->second);
  Fades().erase(found);
}

bool FadeRunning(const TsCommonData& data) {
  return Fades().count(&data) > 0;
}

bool FadeAllowed(const TsCommonData& data, unsigned event, unsigned allowedEvents) {
  if (allowedEvents & event) return true;
  if (!(allowedEvents & aeGlobalDef)) return false;
  const TsSkinModel* manager = data.GetSkinManager();
  return manager && (ManagerButtonEffects(*manager) & event);
}

bool RunFadeIfAllowed(TsCommonData& data, HWND window, unsigned event, unsigned allowedEvents) {
  return FadeAllowed(data, event, allowedEvents) && StartFade(data, window, false);
}
