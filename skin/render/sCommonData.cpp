#include "skin/render/sCommonData.h"

#include <algorithm>
#include <exception>

#include "skin/data/SkinSystem.h"
#include "skin/data/sSkinCommands.h"
#include "skin/render/sBlend.h"

namespace {

int32_t ButtonFace() {
  return skin::SysColor(skin::kColorBtnFace);
}

// The plain colour behind the control: a skinned parent's answer, else the parent's own colour;
// without a host, the answer of the window's parent; else the button face.
int32_t ParentColor(const fw::TControl* host, HWND window) {
  if (host) {
    fw::TWinControl* parent = host->Parent();
    if (!parent) return ButtonFace();
    if (SendSkinCommand(parent, CmdIsSkinned, 0) == 1)
      return int32_t(SendSkinCommand(parent, CmdGetBgColor, 0));
    return skin::ColorToRGB(parent->Color());
  }
  HWND parent = GetParent(window);
  if (!parent) return ButtonFace();
  return int32_t(SendMessageA(parent, SkinCommandMsg, SkinCommandParam(CmdGetBgColor), 0));
}

}  // namespace

TsCommonData::TsCommonData(fw::TControl* host, bool withCache) : HostControl(host) {
  if (withCache) CacheBitmap = std::make_unique<img::Bitmap32>();
}

bool TsCommonData::IsSkinned() const {
  const TsSkinModel* manager = GetSkinManager();
  return !SkinSection.empty() && manager && manager->IsValidSectionIndex(SectionIndex);
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

int32_t TsCommonData::GetBgColor(int state, HWND window) const {
  if (!IsSkinned() || CustomColor)
    return HostControl ? skin::ColorToRGB(HostControl->Color()) : ButtonFace();
  const TsGeneralData& section = GetSkinManager()->SectionTable[size_t(SectionIndex)];
  const TsGenState& look = section.States[state > 0 && section.StateCount > 1 ? 1 : 0];
  if (look.Transparency == 0) return look.Color;
  if (!HostControl && !window) return ButtonFace();
  const int32_t parent = ParentColor(HostControl, window);
  if (look.Transparency >= 100) return parent;
  return MixColors(parent, look.Color, look.Transparency / 100.0);
}

LRESULT SendToControl(fw::TControl* control, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (control->IsWindowed()) {
    auto* windowed = static_cast<fw::TWinControl*>(control);
    if (windowed->HandleAllocated()) return windowed->SendMessage(msg, wParam, lParam);
  }
  return control->Perform(msg, wParam, lParam);
}

LRESULT SendSkinCommand(fw::TControl* control, uint16_t command, LPARAM value, uint16_t argument) {
  return SendToControl(control, SkinCommandMsg, SkinCommandParam(command, argument), value);
}
