// Applying, removing and refreshing the skin, hover tracking, the skin list and the preview
// block of a skin editor.
#include <algorithm>
#include <cstring>

#include "text/TextLines.h"
#include "platform/Host.h"
#include "skin/data/SkinText.h"
#include "skin/data/sSkinCommands.h"
#include "skin/data/sSkinFiles.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinPaths.h"
#include "skin/data/sSkinWindows.h"

namespace {

TsSkinWindows& Windows() {
  return TsSkinWindows::Current();
}

void Run(const std::function<void()>& hook) {
  if (hook) hook();
}

void Run(const std::function<void(TsSkinManager&)>& hook, TsSkinManager& manager) {
  if (hook) hook(manager);
}

// Forms frozen for a skin change are let go when the change is left, however it is left: after a
// throw between the freezing and the animation they would stay unpainted for good.
class TFrozenForms {
 public:
  TFrozenForms(TsSkinManager& manager, bool freeze) : manager_(manager), frozen_(freeze) {
    if (frozen_) Run(ManagerHooks().FreezeForms, manager);
  }
  ~TFrozenForms() {
    if (frozen_) Run(ManagerHooks().ThawForms, manager_);
  }
  TFrozenForms(const TFrozenForms&) = delete;
  TFrozenForms& operator=(const TFrozenForms&) = delete;

 private:
  TsSkinManager& manager_;
  bool frozen_;
};

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return skin::UpperCase(a) < skin::UpperCase(b);
}

// A text field of the preview block: up to its first NUL or the end of the field, and never
// past the bytes that were handed over.
std::string Field(const char* block, size_t size, size_t offset, size_t length) {
  if (offset >= size) return {};
  length = std::min(length, size - offset);
  const char* start = block + offset;
  const void* nul = std::memchr(start, 0, length);
  return std::string(start, nul ? static_cast<const char*>(nul) : start + length);
}

}  // namespace

TsManagerHooks& ManagerHooks() {
  static TsManagerHooks hooks;
  return hooks;
}

void TsSkinManager::ApplySkin(bool animate) {
  if (Loading()) return;
  Run(ManagerHooks().HideAllGlows);
  TFrozenForms frozen(*this, animate && !Designing());
  Run(ManagerHooks().ResetMenuBorderWidth);
  GlobalInfo.IsLoaded = false;
  BuildQuickIndexes();
  Windows().Broadcast(*this, CmdSkinLoaded, TsBroadcastScope::Everything);
  GlobalInfo.IsLoaded = true;
  if (IsDefault() && !Designing()) Windows().InstallCreationHook(*this);
  if (animate) RefreshSkin(false);
}

void TsSkinManager::RemoveSkin() {
  removingSkin_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{removingSkin_};
  Run(ManagerHooks().HideAllGlows);
  if (IsDefault() && !Designing()) Windows().RemoveCreationHook();
  GlobalInfo.IsLoaded = false;
  Windows().Broadcast(*this, CmdSkinRemoved, TsBroadcastScope::Everything);
  Clear();
  scaledCopies_.clear();
}

void TsSkinManager::RefreshSkin(bool freeze) {
  if (!Designing()) Windows().Broadcast(*this, CmdStopFade, TsBroadcastScope::ApplicationForms);
  bool animated = !Designing() && !Loading();
  TFrozenForms frozen(*this, animated && freeze);
  Windows().Broadcast(*this, CmdSkinRefresh, TsBroadcastScope::ApplicationForms);
  if (animated) Run(ManagerHooks().EndChangeAnimation, *this);
  Windows().RepaintSystemWindows();
}

void TsSkinManager::UnlockUpdates(bool animate) {
  updatesLocked_ = false;
  if (!active_) return;
  bool fading = AnimEffects.SkinChanging.Active;
  if (!animate) AnimEffects.SkinChanging.Active = false;
  ApplySkin(true);
  AnimEffects.SkinChanging.Active = fading;
}

void TsSkinManager::SetHotWindow(void* window) {
  if (window == hotWindow_) return;
  if (hotWindow_ && hotControl_) {
    SetHotControl(nullptr);
    if (hotControl_) return;
  }
  void* previous = hotWindow_;
  hotWindow_ = window;
  if (previous) Windows().SendToWindow(previous, CmdLostHot, *this);
  if (window) Windows().SendToWindow(window, CmdBecameHot, *this);
}

void TsSkinManager::SetHotControl(fw::TControl* control) {
  if (control == hotControl_) return;
  // A control whose skin data still sees the mouse over it stays hot.
  if (!control && hotControl_ && Windows().ControlHasMouse(hotControl_)) return;
  fw::TControl* previous = hotControl_;
  hotControl_ = control;
  if (control) hotWindow_ = nullptr;
  if (previous) Windows().SendToControl(previous, CmdLostHot, *this);
}

std::string TsSkinManager::GetSkinNames(std::vector<std::string>& list, TsSkinListKind kind) const {
  std::vector<std::string> names;
  for (int i = 0; i < InternalSkins.Count(); ++i) names.push_back(InternalSkins.Items(i).Name);
  std::vector<std::string> found =
      ListSkinsIn(ResolveSkinFolder(), kind != sklPacked, kind != sklFolders);
  names.insert(names.end(), found.begin(), found.end());
  std::string first = names.empty() ? std::string() : names.front();
  std::stable_sort(names.begin(), names.end(), LessIgnoringCase);
  list = std::move(names);
  return first;
}

int TsSkinManager::LoadPreviewData(const void* data, size_t size) {
  const auto* block = static_cast<const char*>(data);
  if (!block || size < 4) return 0;
  uint32_t marker = 0;
  for (int i = 3; i >= 0; --i) marker = (marker << 8) | static_cast<unsigned char>(block[i]);
  if (marker != kPreviewMarker) return 0;
  PreviewMode = true;
  LockUpdates();
  PreviewOptions = fw::SplitLines(Field(block, size, kPreviewOptionsOffset, kPreviewOptionsSize));
  struct Discard {
    ~Discard() { PreviewOptions.reset(); }
  } discard;
  SetSkinDirectory(Field(block, size, kPreviewDirOffset, kPreviewDirSize));
  SetSkinName(Field(block, size, kPreviewNameOffset, kPreviewNameSize));
  UnlockUpdates(false);
  return 1;
}

void ShowEngineVersionIfAsked(const std::vector<std::string>& args, const std::string& caption) {
  if (HasSwitch(args, "/vever"))
    platform::CurrentHost().ShowMessage(nullptr, "Velvane v" + std::string(kSkinEngineVersion),
                                        caption, platform::MbOk);
}
