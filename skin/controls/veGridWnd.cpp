#include "skin/controls/veGridWnd.h"

#include <array>

#include "framework/Graphics.h"

namespace {

// The colour properties a grid may have, and the fonts whose colour the skin sets.
constexpr std::array<const char*, 9> kColorProps = {
    "FixedColor",        "GridFixedLineColor",      "GridLineColor",         "FixedGradientFrom",
    "FixedGradientTo",   "FixedGradientMirrorFrom", "FixedGradientMirrorTo", "SelectionColor",
    "SelectionTextColor"};
constexpr std::array<const char*, 2> kFontProps = {"TitleFont", "FixedFont"};

COLORREF Mix(COLORREF a, COLORREF b) {
  return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2,
             (GetBValue(a) + GetBValue(b)) / 2);
}

// A property that can be read and written.
const fw::TPropInfo* Writable(fw::TComponent* component, const std::string& name) {
  const fw::TPropInfo* info = component ? component->FindProperty(name) : nullptr;
  return info && info->Get && info->Set ? info : nullptr;
}

}  // namespace

TveGridWnd::TveGridWnd(HWND handle, bool repaint, const std::string& skinSection,
                       TsSkinManager* manager, TsCommonData* skinData)
    : TveEditWnd(handle, false, skinSection, manager, skinData) {
  SaveControlColors();
  ApplySkinColors();
  if (repaint && IsWindowVisible(handle))
    RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

TveGridWnd::~TveGridWnd() {
  if (!Destroyed && IsWindow(Handle)) LetGo();
}

bool TveGridWnd::SkinValue(const std::string& name, std::intptr_t& value) const {
  auto section = [this](const char* first, const char* second) -> const TsGeneralData* {
    int index = SkinManager->FindSection(first);
    if (index < 0) index = SkinManager->FindSection(second);
    return index >= 0 ? &SkinManager->SectionTable[size_t(index)] : nullptr;
  };
  const TsGeneralData* header = section("COLHEADER", "BUTTON");
  const TsGeneralData* selection = section("SELECTION", "SELECTION");
  const TsGeneralData& own = SkinManager->SectionTable[size_t(SkinData->SectionIndex)];
  const COLORREF back = COLORREF(SkinData->GetBgColor(0, Handle));
  const COLORREF text = COLORREF(own.States[0].FontColor);
  COLORREF color;
  if (name == "GridLineColor" || name == "GridFixedLineColor") {
    color = Mix(back, text);
  } else if (name == "SelectionColor" || name == "SelectionTextColor") {
    if (!selection) return false;
    color = COLORREF(name == "SelectionColor" ? selection->States[0].Color
                                              : selection->States[0].FontColor);
  } else if (name == "TitleFont" || name == "FixedFont") {
    if (!header) return false;
    color = COLORREF(header->States[0].FontColor);
  } else {
    if (!header) return false;
    color = COLORREF(header->States[0].Color);
  }
  value = std::intptr_t(SkinData->Tone(int32_t(color)));
  return true;
}

void TveGridWnd::SaveControlColors() {
  TveEditWnd::SaveControlColors();
  // Only the grid's own values are kept: a second call while skinned would keep the skin's.
  if (savedOnce_) return;
  fw::TWinControl* control = OwnerControl();
  if (!control) return;
  savedOnce_ = true;
  for (const char* name : kColorProps)
    if (const fw::TPropInfo* info = Writable(control, name)) saved_.push_back({name, info->Get()});
  for (const char* name : kFontProps)
    if (const fw::TPropInfo* info = control->FindProperty(name); info && info->Get)
      if (auto* font = reinterpret_cast<fw::TFont*>(info->Get()))
        saved_.push_back({name, std::intptr_t(font->Color())});
}

void TveGridWnd::RestoreControlColors() {
  TveEditWnd::RestoreControlColors();
  fw::TWinControl* control = OwnerControl();
  if (!control || control->Destroying()) return;
  for (const TSaved& saved : saved_) {
    const fw::TPropInfo* info = control->FindProperty(saved.Name);
    if (!info || !info->Get) continue;
    if (saved.Name == "TitleFont" || saved.Name == "FixedFont") {
      if (auto* font = reinterpret_cast<fw::TFont*>(info->Get()))
        font->SetColor(fw::TColor(saved.Value));
    } else if (info->Set) {
      info->Set(saved.Value);
    }
  }
}

void TveGridWnd::ApplySkinColors() {
  TveEditWnd::ApplySkinColors();
  fw::TWinControl* control = OwnerControl();
  if (!control || !SectionSkinned()) return;
  for (const TSaved& saved : saved_) {
    std::intptr_t value = 0;
    const fw::TPropInfo* info = control->FindProperty(saved.Name);
    if (!info || !info->Get || !SkinValue(saved.Name, value)) continue;
    if (saved.Name == "TitleFont" || saved.Name == "FixedFont") {
      if (auto* font = reinterpret_cast<fw::TFont*>(info->Get()))
        if (font->Color() != fw::TColor(value)) font->SetColor(fw::TColor(value));
    } else if (info->Set && info->Get() != value) {
      info->Set(value);
    }
  }
}
