#include "skin/render/sControlText.h"

#include <optional>

#include "platform/GdiScopes.h"
#include "skin/render/sBlend.h"
#include "skin/render/sFontSection.h"
#include "skin/render/sSkinText.h"

namespace {

// Check boxes, radio buttons and group boxes draw their text over their parent.
constexpr int32_t kCheckBoxKind = 32, kRadioButtonKind = 33, kGroupBoxKind = 74;

void Draw(HDC dc, const std::string& text, RECT r, UINT format) {
  DrawTextA(dc, text.c_str(), int(text.size()), &r, format);
}

// The section whose colours the text takes: a control drawn over its parent, on a see-through
// section, takes its parent's font colours.
int TextSection(TsCommonData& data, const TsSkinModel& manager, int state) {
  fw::TControl* host = data.HostControl;
  int section = data.SectionIndex;
  if (!host || !host->Parent() || !manager.IsValidSectionIndex(section)) return section;
  int32_t kind = data.ControlKind;
  bool overParent = !host->IsWindowed() || kind == kCheckBoxKind || kind == kRadioButtonKind ||
                    kind == kGroupBoxKind;
  if (overParent && manager.SectionTable[size_t(section)].States[state].Transparency > 0)
    return FontSectionFor(host, section, manager, state);
  return section;
}

// The font with the underline style added, while it is selected.
class UnderlinedFont {
 public:
  explicit UnderlinedFont(HDC dc) : font_(Underlined(dc)), selected_(dc, font_) {}

 private:
  static HFONT Underlined(HDC dc) {
    LOGFONTA log{};
    if (!GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof log, &log)) return nullptr;
    log.lfUnderline = TRUE;
    return CreateFontIndirectA(&log);
  }
  platform::Owned<HFONT> font_;
  // Without the underlined font the context keeps its own.
  platform::Selection selected_;
};

void PaintSkinned(HDC dc, const std::string& text, bool enabled, int state, TsCommonData& data,
                  const TsSkinModel& manager, UINT format, RECT rect, img::Bitmap32* picture) {
  int index = TextSection(data, manager, state);
  if (!manager.IsValidSectionIndex(index)) {
    Draw(dc, text, rect, format);
    return;
  }
  const TsGeneralData& section = manager.SectionTable[size_t(index)];
  const TsGenState& s = section.States[state];
  auto tone = [&data](int32_t color) { return data.Tone(color); };
  if (!picture) picture = data.CacheBitmap.get();
  if (picture && s.GSize != 0) {
    TsGlowImage glow;
    HFONT font = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
    GdiFlush();
    PaintTextGlow(*picture, font, text, {rect.left, rect.top, rect.right, rect.bottom}, glow,
                  tone(s.GCol), s.GSize, 15, format);
  }
  if (!enabled) {
    SetTextColor(dc,
                 COLORREF(tone(MixColors(section.States[0].FontColor, manager.Palette[0], 0.4))));
    Draw(dc, text, rect, format);
    return;
  }
  DrawStateText(dc, text, s, rect, format, format | DT_NOCLIP, tone);
}

}  // namespace

void PaintControlText(HDC dc, const std::string& text, bool enabled, bool hot,
                      TsCommonData& skinData, UINT format, RECT rect, img::Bitmap32* picture) {
  if (text.empty()) return;
  int state = hot ? 1 : 0;
  const TsSkinModel* manager = skinData.PaintSkin();
  int saved = SaveDC(dc);
  IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  SetBkMode(dc, TRANSPARENT);
  bool web = hot && manager && manager->IsValidSectionIndex(skinData.SectionIndex) &&
             skinData.SectionIndex == manager->QuickIndexes.WebButton;
  {
    std::optional<UnderlinedFont> underline;
    if (web) underline.emplace(dc);
    if (manager && skinData.IsSkinned() && !skinData.CustomFont) {
      PaintSkinned(dc, text, enabled, state, skinData, *manager, format, rect, picture);
    } else if (enabled) {
      Draw(dc, text, rect, format);
    } else {
      // The platform's disabled look: a highlight one pixel down and right under the shadow.
      SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
      RECT light = rect;
      OffsetRect(&light, 1, 1);
      Draw(dc, text, light, format);
      SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
      Draw(dc, text, rect, format);
    }
  }
  RestoreDC(dc, saved);
}

UINT TextAlignFlags(fw::TControl* control, fw::TAlignment alignment) {
  UINT flags = DT_EXPANDTABS | DT_VCENTER;
  bool rightToLeft = false, mirrored = false;
  for (fw::TControl* c = control; c; c = c->Parent()) {
    if (!c->IsWindowed()) continue;
    auto* windowed = static_cast<fw::TWinControl*>(c);
    if (windowed->HandleAllocated()) {
      const LONG exStyle = GetWindowLongA(windowed->Handle(), GWL_EXSTYLE);
      mirrored = exStyle & WS_EX_LAYOUTRTL;
      rightToLeft = mirrored || exStyle & WS_EX_RTLREADING;
    }
    break;
  }
  const bool swap = rightToLeft && !mirrored;
  switch (alignment) {
    case fw::TAlignment::taLeftJustify:
      flags |= swap ? DT_RIGHT : DT_LEFT;
      break;
    case fw::TAlignment::taRightJustify:
      flags |= swap ? DT_LEFT : DT_RIGHT;
      break;
    case fw::TAlignment::taCenter:
      flags |= DT_CENTER;
      break;
  }
  return rightToLeft ? flags | DT_RTLREADING : flags;
}
