// The skin state of one skinned control: the section it is drawn with, the indexes that section
// resolves to, its colour settings and its cached picture. Painters that compose a control with
// what its parent shows read it; parents and children talk to the control through the skin
// command message.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "framework/Controls.h"
#include "imaging/Bitmap32.h"
#include "skin/data/sSkinModel.h"

class TsCommonData {
 public:
  // host is the control the state belongs to (may be null); withCache makes an empty picture.
  TsCommonData(fw::TControl* host, bool withCache);

  // The skin leaves the control's colour alone, and backgrounds use the control's own colour.
  bool CustomColor = false;
  // The skin the control is drawn with; null: none.
  const TsSkinModel* SkinManager = nullptr;
  std::string SkinSection;
  int32_t HUEOffset = 0;   // hue rotation in degrees of the painted control
  int32_t Saturation = 0;  // saturation change in percent

  int SectionIndex = -1;     // SkinSection in the manager's SectionTable
  int BorderMaskIndex = -1;  // the section's border image entry
  int PatternIndex = -1;     // the section's texture entries
  int HotPatternIndex = -1;
  bool BgDirty = true;  // the cached picture must be painted again before use
  fw::TControl* HostControl = nullptr;
  std::unique_ptr<img::Bitmap32> CacheBitmap;  // the control's painted picture, or null

  const TsSkinModel* GetSkinManager() const { return SkinManager; }
  // The control has a section in a skin.
  bool IsSkinned() const;
  // Makes CacheBitmap exist and have the host's size (empty when that cannot be had).
  void PrepareCache();
  // The plain colour of the control's background in state (0 normal, above 0 hot), as RGB: the
  // section's colour, the parent's colour where the section is transparent, or a mix of the two.
  // Unskinned or custom-coloured controls answer their own colour. window stands in for the
  // host when there is none; with neither, the parent's colour is the button face.
  int32_t GetBgColor(int state, HWND window) const;
};

// Sends a message to a control: through its window when it has one, else straight to its
// handler. Returns the answer.
LRESULT SendToControl(fw::TControl* control, UINT msg, WPARAM wParam, LPARAM lParam);
// Sends the skin command with its argument and value to a control.
LRESULT SendSkinCommand(fw::TControl* control, uint16_t command, LPARAM value,
                        uint16_t argument = 0);
