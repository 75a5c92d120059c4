#include "skin/data/sSkinManager.h"

#include <algorithm>

#include "platform/FileSystem.h"
#include "platform/Host.h"
#include "skin/data/SkinSources.h"
#include "skin/data/SkinText.h"
#include "skin/data/sDefaultModel.h"
#include "skin/data/sSkinFiles.h"
#include "skin/data/sSkinPaths.h"
#include "skin/data/sSkinWindows.h"

TsSkinManager* DefaultManager = nullptr;
bool SkinChanging = false;
bool PreviewMode = false;
std::optional<std::vector<std::string>> PreviewOptions;

namespace {

std::vector<TsSkinManager*>& LiveManagers() {
  static std::vector<TsSkinManager*> managers;
  return managers;
}

// MB_TASKMODAL: the program's other windows stay disabled while the box shows, and the window
// that was active gets the focus back afterwards.
constexpr unsigned kTaskModal = 0x2000;

bool EndsWithPackedExt(const std::string& name) {
  return name.size() > kPackedSkinExt.size() &&
         skin::SameTextAscii(std::string_view(name).substr(name.size() - kPackedSkinExt.size()),
                             kPackedSkinExt);
}

TsSkinWindows& Windows() {
  return TsSkinWindows::Current();
}

void Raise(const fw::TNotifyEvent& event, fw::TObject* sender) {
  if (event) event(sender);
}

}  // namespace

TsSkinManager::TsSkinManager(fw::TComponent* owner)
    : fw::TComponent(owner), InternalSkins([this] { Raise(OnSkinListChanged, this); }) {
  LiveManagers().push_back(this);
  OnCheckVersion = [this](const TsSkinModel&) { CheckSkinVersion(); };
  OnQuickIndexesBuilt = [this](const TsSkinModel&) { UpdateBorderShadows(); };
  PublishProperties();
  // The owner hears only of its direct components, and not while it is destroyed itself: a hot
  // windowless control on another form, or on this owner's child, is forgotten through the
  // framework's notice that every destroyed control sends.
  fw::AddControlDestroyedHandler(this, [this](fw::TControl* control) {
    if (control == hotControl_) hotControl_ = nullptr;
  });
  SetDefaultModelLookup([]() -> const TsSkinModel* { return DefaultManager; });
  if (!DefaultManager) {
    DefaultManager = this;
    if (!Designing()) Windows().HookApplicationWindow(*this);
  }
}

TsSkinManager::~TsSkinManager() {
  SetDestroying();
  fw::RemoveControlDestroyedHandler(this);
  // The watch over the application window may still name this manager after another became
  // the default; it forgets the manager only when it names this one.
  Windows().UnhookApplicationWindow(*this);
  if (DefaultManager == this) {
    Windows().RemoveCreationHook();
    DefaultManager = nullptr;
  }
  auto& live = LiveManagers();
  live.erase(std::find(live.begin(), live.end(), this));
}

const std::vector<TsSkinManager*>& SkinManagers() {
  return LiveManagers();
}

void TsSkinManager::PublishProperties() {
  Publish("SkinnedPopups", {[this] { return std::intptr_t(SkinnedPopups); },
                            [this](std::intptr_t v) { SkinnedPopups = v != 0; }});
  Publish("Active", {[this] { return std::intptr_t(active_); },
                     [this](std::intptr_t v) { SetActive(v != 0); }});
  Publish("IsDefault", {[this] { return std::intptr_t(IsDefault()); },
                        [this](std::intptr_t v) { SetIsDefault(v != 0); }});
  Publish("ExtendedBorders", {[this] { return std::intptr_t(ExtendedBorders()); },
                              [this](std::intptr_t v) { SetExtendedBorders(v != 0); }});
  Publish("HueOffset", {[this] { return std::intptr_t(HueOffset); },
                        [this](std::intptr_t v) { SetHueOffset(int32_t(v)); }});
  Publish("Saturation", {[this] { return std::intptr_t(Saturation); },
                         [this](std::intptr_t v) { SetSaturation(int32_t(v)); }});
  Publish("SkinningRules", {[this] { return std::intptr_t(SkinningRules); },
                            [this](std::intptr_t v) { SkinningRules = unsigned(v); }});
}

bool TsSkinManager::ExtendedBorders() const {
  return extendedBorders_ && Windows().LayeredWindowsAvailable();
}

void TsSkinManager::UpdateBorderShadows() {
  scaledCopies_.clear();
  borderShadows_ = ComputeBorderShadows(*this, ExtendedBorders() && active_);
}

void TsSkinManager::SetExtendedBorders(bool value) {
  if (value == extendedBorders_) return;
  extendedBorders_ = value;
  UpdateBorderShadows();
  if (!GlobalInfo.IsLoaded || Loading()) return;
  ReloadSkin();
  // A refresh reaches only the forms without a provider; the skinned forms must hear of it too,
  // since their border windows come and go with this setting: the skin is applied anew.
  if (!Designing()) ApplySkin(true);
}

bool TsSkinManager::IsDefault() const {
  return DefaultManager == this;
}

void TsSkinManager::SetIsDefault(bool value) {
  if (!value) {
    if (DefaultManager == this) {
      if (!Designing()) Windows().RemoveCreationHook();
      DefaultManager = nullptr;
    }
    return;
  }
  DefaultManager = this;
  if (Loading()) return;
  if (active_)
    ApplySkin(false);
  else
    RemoveSkin();
}

void TsSkinManager::SetActive(bool value) {
  if (value == active_) return;
  active_ = value;
  UpdateBorderShadows();
  if (active_) {
    SetSkinName(skinName_);
    return;
  }
  if (skinName_.empty()) return;
  if (!Loading()) RemoveSkin();
  BuildQuickIndexes();
  if (!Designing()) Raise(OnDeactivate, this);
}

void TsSkinManager::SetCommonSections(const std::vector<std::string>& lines) {
  CommonSections.clear();
  for (std::string line : lines) {
    if (!line.starts_with(';')) std::erase(line, ' ');
    CommonSections.push_back(std::move(line));
  }
  SetSkinName(skinName_);
}

void TsSkinManager::SetSaturation(int32_t value) {
  SetColorSetting(Saturation, value);
}

void TsSkinManager::SetHueOffset(int32_t value) {
  SetColorSetting(HueOffset, value);
}

void TsSkinManager::SetColorSetting(int32_t& setting, int32_t value) {
  if (value == setting) return;
  setting = value;
  if (!active_ || Loading()) return;
  ReloadSkin();
  Raise(OnAfterChange, this);
  if (!updatesLocked_) RefreshSkin(true);
}

void TsSkinManager::SetSkinDirectory(const std::string& value) {
  if (value == skinDirectory_) return;
  skinDirectory_ = value;
  GlobalInfo.SkinFolder = ResolveSkinFolder();
  Raise(OnSkinListChanged, this);
}

void TsSkinManager::SetSkinName(const std::string& value) {
  std::string previous = skinName_;
  skinName_ = value;
  if (!active_) return;
  Raise(OnBeforeChange, this);
  const auto& prepare = ManagerHooks().PrepareChangeAnimation;
  if (prepare && ExtendedBorders() && !updatesLocked_ && AnimEffects.SkinChanging.Active)
    prepare(*this);
  SkinChanging = true;
  GlobalInfo.IsLoaded = false;
  if (EndsWithPackedExt(skinName_)) skinName_.resize(skinName_.size() - kPackedSkinExt.size());
  try {
    LoadCurrentSkin(value);
  } catch (const std::exception& error) {
    skinName_ = previous;
    ShowLoadError(error.what());
  }
  if (active_) {
    if (!updatesLocked_) ApplySkin(true);
    if (!Loading() && !Designing()) Raise(OnActivate, this);
  } else {
    RemoveSkin();
    Raise(OnActivate, this);
  }
  SkinChanging = false;
  Raise(OnAfterChange, this);
}

void TsSkinManager::LoadCurrentSkin(const std::string& requestedName) {
  std::string directory = WithTrailingSeparator(skinDirectory_);
  bool packed = platform::FileExists(directory + skinName_ + std::string(kPackedSkinExt));
  // A skin editor previewing a skin folder wins over a packed file of the same name.
  if (PreviewMode && platform::FileSystem::Current().DirectoryExists(directory + requestedName))
    packed = false;
  if (packed)
    LoadPackedSkin();
  else
    LoadSkinFromFolder();
}

void TsSkinManager::ReloadSkin() {
  try {
    LoadCurrentSkin(skinName_);
  } catch (const std::exception& error) {
    ShowLoadError(error.what());
  }
}

void TsSkinManager::LoadPackedSkin() {
  // Packed files are named from SkinDirectory as set, relative to the current folder, while
  // the skin folder recorded for the model is resolved against the program's folder.
  std::string file =
      WithTrailingSeparator(skinDirectory_) + skinName_ + std::string(kPackedSkinExt);
  Load(PackedFileSource(file, ResolveSkinFolder() + "\\"));
}

void TsSkinManager::LoadSkinFromFolder() {
  std::string folder = ResolveSkinFolder() + "\\" + skinName_ + "\\";
  if (PreviewOptions) {
    std::string text;
    for (const std::string& line : *PreviewOptions) text += line + "\r\n";
    Load({std::move(text), nullptr, folder});
    return;
  }
  if (platform::FileExists(folder + std::string(kOptionsFileName))) {
    Load(FolderSource(folder));
    return;
  }
  int index = InternalSkins.IndexOfSkin(skinName_);
  if (index < 0) {
    if (InternalSkins.Count() == 0) {
      active_ = false;
      return;
    }
    index = 0;
    skinName_ = InternalSkins.Items(0).Name;
  }
  Load(PackedDataSource(InternalSkins.Items(index).Data));
}

void TsSkinManager::CheckSkinVersion() {
  double version = GlobalInfo.SkinVersion;
  platform::Host& host = platform::CurrentHost();
  if (version > 8.99) {
    // System dialogs are left alone while the warning shows: the skin may not paint them.
    bool dialogs = SkinningRules & srStdDialogs;
    SkinningRules &= ~unsigned(srStdDialogs);
    host.ShowMessage(Windows().MessageOwner(), std::string(kNewSkinWarning), "Warning",
                     platform::MbIconWarning | platform::MbOk);
    if (dialogs) SkinningRules |= srStdDialogs;
  } else if (version < 7 && (Designing() || HasSwitch(Windows().CommandLine(), "/vetest"))) {
    host.ShowMessage(Windows().MessageOwner(), OldSkinNotice(skinName_),
                     Windows().ApplicationTitle(), platform::MbOk);
  }
}

void TsSkinManager::ShowLoadError(const std::string& text) const {
  platform::CurrentHost().ShowMessage(Windows().MessageOwner(), text, "Error",
                                      platform::MbIconError | platform::MbOk | kTaskModal);
}

std::string TsSkinManager::SkinInfo() const {
  return GlobalInfo.IsLoaded ? SkinVersionText(GlobalInfo.SkinVersion) : "N/A";
}

std::string TsSkinManager::Version() const {
  return std::string(kSkinEngineVersion);
}

void TsSkinManager::SetThirdParty(TveThirdKind kind, const std::string& text) {
  thirdParty_.Set(kind, text);
  thirdLists_[size_t(kind)].SetText(text);
}

std::string TsSkinManager::ResolveSkinFolder() const {
  return ::ResolveSkinFolder(skinDirectory_, platform::CurrentHost().ExecutablePath());
}

void TsSkinManager::Loaded() {
  if (skinDirectory_.empty()) skinDirectory_ = "c:\\Skins";
  if (MenuSupport.IcoLineSkin.empty()) MenuSupport.IcoLineSkin = "ICOLINE";
  for (size_t i = 0; i < kThirdListCount; ++i) {
    auto kind = TveThirdKind(i);
    std::string text = thirdParty_.Get(kind);
    if (text.empty()) text = kind == TveThirdKind::Buttons ? "TButton" : " ";
    SetThirdParty(kind, text);
  }
  if (active_ && !skinName_.empty()) ApplySkin(false);
  if (active_ && !Designing()) Raise(OnActivate, this);
}

void TsSkinManager::Notification(fw::TComponent* component, fw::TOperation operation) {
  // A hot control among the owner's direct components that goes away must not be sent anything
  // afterwards; controls elsewhere are forgotten through the framework's control-destroyed
  // notice. Controls derive from components along single inheritance, so both pointers hold the
  // same address.
  if (operation == fw::TOperation::opRemove &&
      static_cast<const void*>(component) == static_cast<const void*>(hotControl_))
    hotControl_ = nullptr;
}
