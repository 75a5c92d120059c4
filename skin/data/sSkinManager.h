// The skin manager: the component that owns an application's active skin. It holds where skins
// are found and which one to use, the skins stored in the program, the effect and animation
// switches and the class-name lists of the form skinning; it loads the skin into its model
// whenever the name or a setting that changes the skin's pixels changes, and tells every skinned
// window about it with the skin command message.
//
// The manager is a TsSkinModel, so every painter that takes a model takes a manager. HueOffset,
// Saturation and CommonSections are the model's fields; change them through the setters here so
// that the skin is reloaded.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/Classes.h"
#include "skin/data/sBorderShadows.h"
#include "skin/data/sSkinManagerSettings.h"
#include "skin/data/sSkinModel.h"
#include "skin/data/sStoredSkins.h"

namespace fw {
class TControl;
}

enum TsSkinningRule : unsigned {
  srStdForms = 1,    // standard forms
  srStdDialogs = 2,  // system dialogs
  srThirdParty = 4,  // adopted standard controls
};
inline constexpr unsigned kAllSkinningRules = srStdForms | srStdDialogs | srThirdParty;

// The skin at another display scale, and what border windows show around its forms there.
struct TsScaledSkin {
  std::unique_ptr<TsSkinModel> Model;
  TsBorderShadows Shadows;
};

// Names which skins exist: skin folders (0), packed skins (1) or both (2).
enum TsSkinListKind { sklFolders = 0, sklPacked = 1, sklBoth = 2 };

// The extra line beside a popup menu's items: the menu painter offers the section, text and
// whether it shows, for the first item measured.
using TveMenuExtraLineEvent = std::function<void(fw::TObject* Sender, std::string& SkinSection,
                                                 std::string& Text, bool& LineVisible)>;
// Offered before a popup item is measured and painted; the handler may change the font.
using TvePopupItemEvent =
    std::function<void(fw::TObject* Sender, fw::TObject* Item, TveMenuFont& Font)>;
// Offered before a system dialog (a window handle) is skinned; clearing Allow keeps it plain.
using TveSysDlgInitEvent = std::function<void(fw::TObject* Sender, void* Dialog, bool& Allow)>;

class TsSkinManager : public TsSkinModel, public fw::TComponent {
 public:
  explicit TsSkinManager(fw::TComponent* owner);
  ~TsSkinManager() override;
  std::string ClassName() const override { return "TsSkinManager"; }

  TveSkinEffects Effects;
  TveAnimEffects AnimEffects;
  TveMenuSupport MenuSupport;
  bool SkinnedPopups = true;
  unsigned SkinningRules = kAllSkinningRules;
  // Every change raises OnSkinListChanged.
  TsStoredSkins InternalSkins;

  // Reads true only when set and layered-window updating is available.
  bool ExtendedBorders() const;
  void SetExtendedBorders(bool value);
  // What the border windows of skinned forms show around them, for the current skin and
  // ExtendedBorders; recomputed whenever either changes.
  const TsBorderShadows& BorderShadows() const { return borderShadows_; }
  const TsExtentMargins& ExtentMargins() const { return borderShadows_.Margins; }
  bool IsDefault() const;
  void SetIsDefault(bool value);
  bool Active() const { return active_; }
  void SetActive(bool value);
  void SetCommonSections(const std::vector<std::string>& lines);
  void SetSaturation(int32_t value);
  void SetHueOffset(int32_t value);
  const std::string& SkinDirectory() const { return skinDirectory_; }
  void SetSkinDirectory(const std::string& value);
  const std::string& SkinName() const { return skinName_; }
  void SetSkinName(const std::string& value);
  // "N/A" while no skin is applied, else the skin's version.
  std::string SkinInfo() const;
  std::string Version() const;

  const ThirdPartyList& ThirdParty() const { return thirdParty_; }
  void SetThirdParty(TveThirdKind kind, const std::string& text);
  // The case-sensitive mirror of a ThirdParty list that the form skinning reads.
  const TveClassNameList& ThirdLists(TveThirdKind kind) const { return thirdLists_[size_t(kind)]; }

  fw::TNotifyEvent OnActivate, OnAfterChange, OnBeforeChange, OnDeactivate, OnSkinListChanged;
  TveMenuExtraLineEvent OnGetMenuExtraLineData;
  TvePopupItemEvent OnGetPopupItemData;
  TveSysDlgInitEvent OnSysDlgInit;

  // The skin directory resolved against the program's folder, without a separator at its end.
  std::string ResolveSkinFolder() const;
  // The stored skins, then what the skin directory holds of the kind, sorted without regard to
  // letter case. Answers the first name found (the first stored skin when there are any).
  std::string GetSkinNames(std::vector<std::string>& list, TsSkinListKind kind) const;

  void ApplySkin(bool animate);
  void RemoveSkin();
  void RefreshSkin(bool freeze);
  void LockUpdates() { updatesLocked_ = true; }
  void UnlockUpdates(bool animate);
  bool UpdatesLocked() const { return updatesLocked_; }
  bool RemovingSkin() const { return removingSkin_; }

  // The copies of the loaded skin at other display scales and their border windows' shadows
  // (SkinAtDpi makes them), kept until the skin is loaded again, applied or removed, or what the
  // border windows show changes.
  const TsScaledSkin* ScaledCopy(int dpi) const {
    const auto it = scaledCopies_.find(dpi);
    return it == scaledCopies_.end() ? nullptr : &it->second;
  }
  const TsScaledSkin& KeepScaledCopy(int dpi, TsScaledSkin copy) {
    return scaledCopies_[dpi] = std::move(copy);
  }

  // A skin editor's preview block; answers 1 when it was used, 0 when ignored.
  int LoadPreviewData(const void* data, size_t size);

  // Hover tracking: one hot window (a window handle) and one hot windowless control.
  void SetHotWindow(void* window);
  void SetHotControl(fw::TControl* control);
  void* HotWindow() const { return hotWindow_; }
  fw::TControl* HotControl() const { return hotControl_; }

  // The last system command seen on the application window while a skin was loaded:
  // 2 minimise, 1 restore, 0 any other.
  uint8_t AppSysCommand = 0;

 protected:
  void Loaded() override;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;

 private:
  // Packed file if there is one (unless a preview names a folder), else folder or stored skin.
  void LoadCurrentSkin(const std::string& requestedName);
  void LoadPackedSkin();
  void LoadSkinFromFolder();
  void CheckSkinVersion();
  // Hue and saturation change the skin's pixels: a new value reloads the skin.
  void SetColorSetting(int32_t& setting, int32_t value);
  // Loads again after a setting changed; a failure is reported like a failed skin change.
  void ReloadSkin();
  void ShowLoadError(const std::string& text) const;
  void PublishProperties();
  bool Designing() const { return ComponentState() & fw::csDesigning; }

  void UpdateBorderShadows();

  bool active_ = true;
  bool extendedBorders_ = false;
  TsBorderShadows borderShadows_;
  bool updatesLocked_ = false;
  bool removingSkin_ = false;
  std::string skinDirectory_;
  std::string skinName_;
  ThirdPartyList thirdParty_;
  std::array<TveClassNameList, kThirdListCount> thirdLists_;
  void* hotWindow_ = nullptr;
  fw::TControl* hotControl_ = nullptr;
  std::map<int, TsScaledSkin> scaledCopies_;
};

// The process-wide default manager: the first one created, until it is destroyed.
extern TsSkinManager* DefaultManager;
// Every manager that exists, oldest first.
const std::vector<TsSkinManager*>& SkinManagers();
// Set while a skin is being loaded.
extern bool SkinChanging;
// Set while a skin editor drives the skin; PreviewOptions then holds its options text.
extern bool PreviewMode;
extern std::optional<std::vector<std::string>> PreviewOptions;

// The preview block a skin editor sends.
inline constexpr uint32_t kPreviewMarker = 0xA400;
inline constexpr size_t kPreviewNameOffset = 4, kPreviewNameSize = 128;
inline constexpr size_t kPreviewDirOffset = 132, kPreviewDirSize = 513;
inline constexpr size_t kPreviewOptionsOffset = 645, kPreviewOptionsSize = 30001;
inline constexpr size_t kPreviewBlockSize = kPreviewOptionsOffset + kPreviewOptionsSize;

// Program start: shows the engine's version when the arguments hold "/vever".
void ShowEngineVersionIfAsked(const std::vector<std::string>& args, const std::string& caption);
