#include "skin/render/sCommonData.h"

#include <algorithm>
#include <cctype>
#include <exception>

#include "framework/Forms.h"
#include "skin/data/sSkinCommands.h"
#include "skin/render/sColorTransforms.h"
#include "skin/render/sControlKinds.h"
#include "skin/render/sManagerLink.h"

namespace {

std::string StoredSectionName(const std::string& value) {
  if (value.empty()) return "UNKNOWN";
  std::string upper = value;
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return char(std::toupper(c)); });
  return upper;
}

bool Designing(const fw::TControl* host) {
  return host && host->ComponentState() & fw::csDesigning;
}

// The reply of a parent's CmdGetSkinState as an IsUniformBg answer: a state the parent has not
// computed yet is "not known", else its uniform bit.
int UniformFromFlags(LRESULT flags) {
  if (flags & kStateUnknown) return 2;
  return flags & kStateUniformBg ? 1 : 0;
}

// The gradient kinds of BgKind by the first band's mode.
uint16_t GradientKind(int32_t mode) {
  switch (mode) {
    case 0:
      return 2;
    case 1:
      return 1;
    case 2:
      return 3;
    default:
      return 0;
  }
}

}  // namespace

TsCommonData::TsCommonData(fw::TControl* host, bool withCache) : HostControl(host) {
  if (withCache) CacheBitmap = std::make_unique<img::Bitmap32>();
}

const TsSkinModel* TsCommonData::GetSkinManager() const {
  return ResolveManager(SkinManager);
}

int TsCommonData::Dpi() const {
  return HostControl ? HostControl->Dpi() : WindowDpi;
}

const TsSkinModel* TsCommonData::PaintSkin() const {
  const TsSkinModel* manager = GetSkinManager();
  const int dpi = Dpi();
  const auto& atDpi = ManagerLink().AtDpi;
  if (!manager || dpi <= 0 || dpi == platform::kDesignDpi || !atDpi) return manager;
  return &atDpi(*manager, dpi);
}

const TsGeneralData* TsCommonData::Section() const {
  const TsSkinModel* manager = PaintSkin();
  if (!manager || !manager->IsValidSectionIndex(SectionIndex)) return nullptr;
  return &manager->SectionTable[size_t(SectionIndex)];
}

const TsMaskData* TsCommonData::BorderEntry() const {
  const TsSkinModel* manager = PaintSkin();
  if (!manager || !manager->IsValidImageIndex(BorderMaskIndex)) return nullptr;
  return &manager->ImageTable[size_t(BorderMaskIndex)];
}

fw::TWinControl* TsCommonData::WindowedHost() const {
  return HostControl && HostControl->IsWindowed() ? static_cast<fw::TWinControl*>(HostControl)
                                                  : nullptr;
}

HWND TsCommonData::HostWindow() const {
  fw::TWinControl* windowed = WindowedHost();
  return windowed && windowed->HandleAllocated() ? windowed->Handle() : nullptr;
}

bool TsCommonData::HostIsPlaced() const {
  return HostControl && HostControl->Parent() &&
         !(HostControl->ComponentState() & (fw::csLoading | fw::csReading | fw::csDestroying));
}

void TsCommonData::TellHostSkinChanged() {
  const TsSkinModel* manager = GetSkinManager();
  const bool skinned = manager && manager->IsValidSectionIndex(SectionIndex);
  SendSkinCommand(HostControl, skinned ? CmdSkinLoaded : CmdSkinRemoved, ManagerParam(manager));
}

void TsCommonData::SetSkinSection(const std::string& value) {
  std::string stored = StoredSectionName(value);
  if (stored == SkinSection) return;
  SkinSection = std::move(stored);
  const TsSkinModel* manager = GetSkinManager();
  if (!manager || manager->SectionTable.empty())
    SectionIndex = -1;
  else
    UpdateIndexes();
  if (!HostControl) {
    SetBgDirty(true);
    return;
  }
  if (!HostIsPlaced()) return;
  if (!Deferred) TellHostSkinChanged();
  ShowGlowFor(true, nullptr);
}

void TsCommonData::SetSkinManager(const TsSkinModel* value) {
  const TsSkinModel* stored = value == ResolveManager(nullptr) ? nullptr : value;
  if (stored == SkinManager) return;
  SkinManager = stored;
  if (HostControl && HostControl->Loading()) return;
  const TsSkinModel* manager = GetSkinManager();
  if (manager && !manager->SectionTable.empty())
    UpdateIndexes();
  else
    SectionIndex = -1;
  if (HostControl && HostControl->Parent() && !HostControl->Destroying()) TellHostSkinChanged();
}

void TsCommonData::SetCustomColor(bool value) {
  if (value == CustomColor) return;
  CustomColor = value;
  if (!HostControl || !HostControl->Loading()) UpdateColors(true);
}

void TsCommonData::SetCustomFont(bool value) {
  if (value == CustomFont) return;
  CustomFont = value;
  if (!HostControl || !HostControl->Loading()) UpdateColors(true);
}

bool TsCommonData::IsSkinned(bool requireActive) const {
  const TsSkinModel* manager = GetSkinManager();
  if (SkinSection.empty() || !manager || ManagerDestroying(*manager)) return false;
  if (!manager->IsValidSectionIndex(SectionIndex)) return false;
  if (HostControl && HostControl->Destroying()) return false;
  return !requireActive || ManagerActive(*manager);
}

void TsCommonData::UpdateIndexes() {
  SetBgDirty(true);
  const TsSkinModel* manager = GetSkinManager();
  SectionIndex = manager && ManagerActive(*manager) ? manager->FindSection(SkinSection) : -1;
  UpdateBgKind();
  SkinStateFlags = kStateUnknown;
  if (const TsGeneralData* section = Section()) {
    BorderMaskIndex = section->BorderIndex;
    PatternIndex = manager->FindTexture(SectionIndex, SkinSection, "PATTERN");
    HotPatternIndex = manager->FindTexture(SectionIndex, SkinSection, "HOTPATTERN");
    UpdateSkinState(false);
  } else {
    // An index left from the previous skin would point into the new skin's tables.
    BorderMaskIndex = PatternIndex = HotPatternIndex = -1;
  }
}

void TsCommonData::UpdateBgKind() {
  BgKind = 0;
  const TsGeneralData* section = Section();
  if (!section) return;
  const TsGenState& normal = section->States[0];
  if (normal.ImagePercent != 0) BgKind |= 4;
  if (normal.GradientPercent != 0 && !normal.Gradient.empty())
    BgKind |= GradientKind(normal.Gradient.front().Mode);
}

void TsCommonData::UpdateSkinState(bool propagate) {
  SkinStateFlags &= uint16_t(~kStateUniformBg);
  // Forms compute whether their background is plain; their children ask them.
  if (FormHost || dynamic_cast<fw::TForm*>(HostControl)) {
    const int uniform = IsUniformBg();
    if (uniform == 2) return;
    SkinStateFlags = uint16_t((SkinStateFlags & ~kStateUnknown) | (uniform ? kStateUniformBg : 0));
  }
  fw::TWinControl* windowed = FormHost ? FormHost : WindowedHost();
  if (!propagate || !windowed) return;
  for (int i = 0; i < windowed->ControlCount(); ++i)
    SendSkinCommand(windowed->Controls(i), CmdGetSkinState, 1);
}

void TsCommonData::UpdateDefaultSection() {
  if (!SkinSection.empty()) {
    UpdateIndexes();
    return;
  }
  const std::string_view byKind = DefaultSectionForKind(ControlKind);
  if (!byKind.empty())
    SetSkinSection(std::string(byKind));
  else
    SetSkinSection(HostControl ? HostControl->ClassName() : std::string());
}

int32_t TsCommonData::Tone(int32_t color) const {
  return ChangeSaturation(Saturation, ChangeHueColor(HUEOffset, color));
}

void TsCommonData::UpdateColors(bool repaint) {
  if (!IsSkinned() || !IsEditorKind(ControlKind) || !HostControl) return;
  if (fw::TWinControl* windowed = WindowedHost(); windowed && !windowed->HandleAllocated()) return;
  const TsGenState& normal = Section()->States[0];
  auto tone = [this](int32_t color) { return Tone(color); };
  if (!CustomColor) {
    const int32_t color = tone(normal.Color);
    if (HostControl->Color() != color) HostControl->SetColor(color);
  }
  if (!CustomFont && ControlKind != 10) {
    const int32_t color = tone(normal.FontColor);
    if (HostControl->Font().Color() != color) HostControl->Font().SetColor(color);
  }
  if (repaint) Invalidate(false);
}

void TsCommonData::Refresh() {
  UpdateDefaultSection();
  if (!IsSkinned() || !HostControl || !HostControl->Parent() || HostControl->Loading()) return;
  if (HostControl->IsWindowed()) NotifyFormAdopt(HostControl);
  UpdateColors(false);
}

void TsCommonData::PrepareCache() {
  if (!CacheBitmap) CacheBitmap = std::make_unique<img::Bitmap32>();
  if (!HostControl) return;
  const int w = std::max(HostControl->Width(), 0), h = std::max(HostControl->Height(), 0);
  if (CacheBitmap->Width() == w && CacheBitmap->Height() == h) return;
  try {
    CacheBitmap->Resize(w, h);
  } catch (const std::exception&) {
    // A size the platform cannot hold leaves the cache empty; painting then draws nothing.
  }
}

void TsCommonData::EmptyCache() {
  if (CacheBitmap) CacheBitmap->Resize(0, 0);
}

void TsCommonData::Invalidate(bool withChildren) {
  if (!HostControl) {
    SetBgDirty(true);
    return;
  }
  if (HostControl->ComponentState() & (fw::csDestroying | fw::csLoading)) return;
  SetBgDirty(true);
  if (!HostControl->Showing() || !HostControl->Parent()) return;
  fw::TWinControl* windowed = WindowedHost();
  if (!windowed) {
    HostControl->Invalidate();
  } else if (windowed->HandleAllocated()) {
    const UINT flags = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN;
    RedrawWindow(windowed->Handle(), nullptr, nullptr,
                 withChildren ? flags | RDW_UPDATENOW : flags);
  }
}

void TsCommonData::BeginUpdate() {
  ++LockCount;
  Deferred = true;
  SkinStateFlags |= kStateLocked;
  if (HostControl) SendSkinCommand(HostControl, CmdBeginLock, 0);
}

void TsCommonData::EndUpdate(bool repaint) {
  --LockCount;
  Deferred = false;
  SkinStateFlags &= uint16_t(~kStateLocked);
  if (LockCount > 0) return;
  if (HostControl) SendSkinCommand(HostControl, CmdEndLock, 0);
  if (repaint) Invalidate(false);
}

bool TsCommonData::IsHot() const {
  if (!HostControl || HostControl->Destroying() || !HostControl->Enabled() ||
      Designing(HostControl))
    return false;
  if (IsFocused) return true;
  if (auto* windowed = WindowedHost();
      windowed && windowed->HandleAllocated() && GetFocus() == windowed->Handle())
    return true;
  return IsMouseOver && !IsContainerKind(ControlKind);
}

bool TsCommonData::NeedsOwnPaint() const {
  return !(SkinStateFlags & kStateUniformBg) || IsHot();
}

int TsCommonData::IsUniformBg() const {
  const TsGeneralData* section = Section();
  if (!section) return 1;
  const TsMaskData* border = BorderEntry();
  if (border && border->PaintFlags & 4) return 0;
  const TsGenState& normal = section->States[0];
  const TsSkinModel& manager = *GetSkinManager();
  if (normal.Transparency == 100) {
    const int texture = section->TextureIndex;
    if (manager.IsValidImageIndex(texture) && manager.ImageTable[size_t(texture)].PaintFlags == 10)
      return 0;
    fw::TWinControl* parent = HostControl ? HostControl->Parent() : nullptr;
    if (!parent) return 0;
    if (!parent->HandleAllocated()) return 2;
    if (IsSkinnedControl(parent))
      return UniformFromFlags(SendSkinCommand(parent, CmdGetSkinState, 0));
    return 1;
  }
  if (normal.Transparency != 0 || normal.ImagePercent != 0 || normal.GradientPercent != 0) return 0;
  for (int corner : section->CornerIndex)
    if (manager.IsValidImageIndex(corner)) return 0;
  return 1;
}

bool TsCommonData::IsDeferred() const {
  if (!GetSkinManager() || Designing(HostControl)) return false;
  if (!NeedsOwnPaint()) return Deferred;
  if (HostControl && HostControl->Destroying()) return Deferred;
  if (Deferred) return true;
  fw::TControl* host = HostControl ? HostControl : FormHost;
  fw::TWinControl* parent = host ? host->Parent() : nullptr;
  return parent && SendSkinCommand(parent, CmdIsDeferred, 0) == 1;
}

bool TsCommonData::ResetDeferred(bool clear) {
  if (clear) Deferred = false;
  if (!IsDeferred()) return false;
  Deferred = true;
  return true;
}

bool TsCommonData::NeedsParentRepaint() const {
  fw::TControl* host = HostControl ? HostControl : FormHost;
  if (PaintUrgently || !IsSkinned() || !host || !host->Enabled()) return true;
  if (Section()->States[0].Transparency <= 0) return false;
  fw::TWinControl* parent = host->Parent();
  return parent && parent->HandleAllocated() && SendSkinCommand(parent, CmdIsBgComplex, 0) != 0;
}

int TsCommonData::MaxBorderWidth() const {
  const TsMaskData* border = BorderEntry();
  if (!border || border->PaintFlags & 2) return 0;
  return std::max(
      {border->MarginLeft, border->MarginTop, border->MarginRight, border->MarginBottom});
}

void TsCtrlSkinData::SetHUEOffset(int32_t value) {
  if (value == HUEOffset) return;
  HUEOffset = value;
  Refresh();
  Invalidate(false);
}

void TsCtrlSkinData::SetSaturation(int32_t value) {
  if (value == Saturation) return;
  Saturation = value;
  Refresh();
  Invalidate(false);
}
