#include "skin/forms/sWindowImage.h"

#include <algorithm>

#include "skin/data/MaskGeometry.h"
#include "skin/render/sCornerKeys.h"
#include "skin/render/sDcHelpers.h"
#include "skin/render/sMaskSlices.h"
#include "skin/render/sSection.h"

namespace {

int SectionOr(const TsSkinModel& skin, const std::string& name, const char* fallback,
              std::string& used) {
  used = name.empty() ? fallback : name;
  return skin.FindSection(used);
}

bool ValidImage(const TsSkinModel& skin, int index) {
  return index >= 0 && skin.IsValidImageIndex(index);
}

}  // namespace

TsFrameSections ResolveFrameSections(const TsSkinModel& skin, const std::string& formSection,
                                     const std::string& titleSkin,
                                     const std::string& menuLineSkin) {
  TsFrameSections s;
  s.Form = SectionOr(skin, formSection, "FORM", s.FormName);
  if (s.Form >= 0) {
    s.FormPattern = skin.FindTexture(s.Form, s.FormName, "PATTERN");
    s.FormHotPattern = skin.FindTexture(s.Form, s.FormName, "HOTPATTERN");
    s.TitleBarImage = skin.FindImage(s.Form, s.FormName, "TITLEBAR");
  }
  s.Title = SectionOr(skin, titleSkin, "FORMTITLE", s.TitleName);
  s.MenuLine = SectionOr(skin, menuLineSkin, "MENULINE", s.MenuLineName);
  s.Caption = skin.FindSection("CAPTION");
  s.GripImage = skin.QuickIndexes.GlobalImages[10];  // GRIPIMAGE
  int global = skin.FindSection(std::string(kGlobalInfoSection));
  s.UserButtonImage = skin.FindImage(global, std::string(kGlobalInfoSection), "TITLEBUTTON");
  return s;
}

int FrameState(const TsSkinModel& skin, int sectionIndex, bool active) {
  if (!skin.IsValidSectionIndex(sectionIndex)) return 0;
  int last = std::max(0, skin.SectionTable[size_t(sectionIndex)].StateCount - 1);
  return std::min(active ? 1 : 0, last);
}

void SizeWindowImage(img::Bitmap32& image, const TsFormShape& form,
                     const TsSystemMetrics& metrics) {
  int height = form.Height;
  if (form.Minimized && !form.IsMainForm)
    height = NativeFrameWidth(form, metrics) + CaptionHeight(form, metrics) + 2;
  int width = std::max(0, form.Width);
  height = std::max(0, height);
  if (image.Width() != width || image.Height() != height) image.Resize(width, height);
}

TRect ButtonStripRect(const TsFramePaint& paint, int imageWidth) {
  int frame = NativeFrameWidth(paint.Form, paint.Metrics);
  int buttons = imageWidth - paint.Layout.ButtonsLeft;
  int width = std::min(imageWidth, frame + buttons + 10);
  return {imageWidth - width, 0, imageWidth, paint.Layout.TitleBottom};
}

void PaintTitleButton(const TsSkinModel& skin, img::Bitmap32& image,
                      const TsTitleButtonData& button, bool dimmed) {
  if (!ValidImage(skin, button.ImageIndex) || button.Bounds.Width() <= 0) return;
  int mode = button.State == 0 && dimmed ? 2 : 1;
  PaintStateGlyph(image, {button.Bounds.Left, button.Bounds.Top}, button.State, EmptyBgSource,
                  skin.ImageTable[size_t(button.ImageIndex)], mode);
}

namespace {

void PaintTitleBand(const TsSkinModel& skin, img::Bitmap32& image, const TsFramePaint& p,
                    const TsFramePaintHooks& hooks) {
  const TsFrameSections& s = p.Sections;
  TRect band = {0, 0, image.Width(), p.Layout.TitleBottom};
  if (band.Height() <= 0) return;
  TsBgSource bg = MakeBgSource(&image, 0, 0);
  PaintSection(&skin, s.Title, s.TitleName, bg, -1, -1, image, {0, 0}, band,
               FrameState(skin, s.Title, p.Active));
  if (p.Layout.IconShown && hooks.Icon) hooks.Icon(image, p.Layout.IconRect);
  bool anyButton = p.Layout.Buttons[tbClose].Bounds.Width() > 0;
  if (anyButton && ValidImage(skin, s.TitleBarImage)) {
    const TsMaskData& plate = skin.ImageTable[size_t(s.TitleBarImage)];
    int width = 2 * FrameWidth(plate) + ButtonsAreaWidth(skin, p.Layout, p.Inputs);
    TRect r = {std::max(0, image.Width() - width), 0, image.Width(), p.Layout.TitleBottom};
    PaintMaskSlices(image, r, plate, FrameState(skin, s.Form, p.Active), bg, true);
  }
}

void PaintMenuBand(const TsSkinModel& skin, img::Bitmap32& image, const TsFramePaint& p,
                   const TsFramePaintHooks& hooks) {
  if (p.Form.MenuLineHeight <= 0 || p.Form.MenuLineCount <= 0) return;
  int top = p.Layout.TitleBottom;
  int frame = NativeFrameWidth(p.Form, p.Metrics);
  TRect band = {frame, top, image.Width() - frame,
                top + p.Form.MenuLineCount * p.Form.MenuLineHeight + 1};
  band.Bottom = std::min(band.Bottom, image.Height());
  if (band.Width() <= 0 || band.Height() <= 0) return;
  PaintSection(&skin, p.Sections.MenuLine, p.Sections.MenuLineName, MakeBgSource(&image, 0, 0), -1,
               -1, image, {0, 0}, band, 0);
  if (hooks.MenuItems) hooks.MenuItems(image, band);
}

void PaintGrip(const TsSkinModel& skin, img::Bitmap32& image, const TsFramePaint& p) {
  if (!p.GripShown || !ValidImage(skin, p.Sections.GripImage)) return;
  const TsMaskData& grip = skin.ImageTable[size_t(p.Sections.GripImage)];
  TPoint offset = ClientOffset(p.Form, p.Metrics);
  TPoint at = {offset.X + p.Form.ClientWidth - FrameWidth(grip),
               offset.Y + p.Form.ClientHeight - FrameHeight(grip)};
  PaintStateGlyph(image, at, 0, MakeBgSource(&image, 0, 0), grip, 1);
}

}  // namespace

bool TitleButtonDimmed(const TsFramePaint& p, int kind) {
  if (!p.Active || p.DisabledLook) return true;
  const TsTitleButtonRules& r = p.Inputs.Rules;
  switch (kind) {
    case tbClose:
      return !r.CanClose;
    case tbMax:
      return !r.EnabledMax;
    case tbMin:
      return !r.EnabledMin;
    default:
      return false;
  }
}

void SaveButtonStrip(const img::Bitmap32& image, img::Bitmap32& strip, const TRect& r) {
  if (r.Width() <= 0 || r.Height() <= 0) {
    strip.Resize(0, 0);
    return;
  }
  if (strip.Width() != r.Width() || strip.Height() != r.Height())
    strip.Resize(r.Width(), r.Height());
  CopyBlock(strip, 0, 0, r.Width(), r.Height(), image, r.Left, r.Top);
}

void RestoreButtonArea(img::Bitmap32& image, const img::Bitmap32& strip, const TRect& stripRect,
                       const TRect& area) {
  CopyBlock(image, area.Left, area.Top, area.Width(), area.Height(), strip,
            area.Left - stripRect.Left, area.Top - stripRect.Top);
}

void PaintTitleButtons(const TsSkinModel& skin, img::Bitmap32& image, const TsFramePaint& p) {
  for (int k = 0; k < kTitleButtonKinds; ++k)
    PaintTitleButton(skin, image, p.Layout.Buttons[k], TitleButtonDimmed(p, k));
  for (size_t i = 0; i < p.Layout.UserButtons.size(); ++i) PaintUserButton(skin, image, p, i);
}

void PaintUserButton(const TsSkinModel& skin, img::Bitmap32& image, const TsFramePaint& p,
                     size_t index) {
  const TsTitleButtonData& button = p.Layout.UserButtons[index];
  const TsUserButtonSpec& settings = p.Inputs.UserButtons[index];
  PaintTitleButton(skin, image, button, !p.Active || !settings.Enabled);
  if (!settings.Glyph || settings.Glyph->Empty()) return;
  const img::Bitmap32& glyph = *settings.Glyph;
  const TRect& b = button.Bounds;
  const img::TRGBAPixel& key = glyph.Pixel(0, glyph.Height() - 1);
  PaintGlyph(image,
             {b.Left + (b.Width() - glyph.Width()) / 2, b.Top + (b.Height() - glyph.Height()) / 2},
             glyph, (int32_t(key.B) << 16) | (int32_t(key.G) << 8) | key.R);
}

bool IsOpaque(const img::Bitmap32& glyph) {
  for (int y = 0; y < glyph.Height(); ++y)
    for (int x = 0; x < glyph.Width(); ++x)
      if (glyph.Pixel(x, y).A != 255) return false;
  return true;
}

void PaintGlyph(img::Bitmap32& image, TPoint at, const img::Bitmap32& glyph, int32_t key) {
  const bool opaque = IsOpaque(glyph);
  const img::TRGBAPixel keyPixel = {uint8_t(key >> 16), uint8_t(key >> 8), uint8_t(key), 255};
  for (int y = 0; y < glyph.Height(); ++y) {
    int ty = at.Y + y;
    if (ty < 0 || ty >= image.Height()) continue;
    for (int x = 0; x < glyph.Width(); ++x) {
      int tx = at.X + x;
      if (tx < 0 || tx >= image.Width()) continue;
      img::TRGBAPixel s = glyph.Pixel(x, y);
      img::TRGBAPixel& d = image.Pixel(tx, ty);
      if (opaque) {
        if (s.R != keyPixel.R || s.G != keyPixel.G || s.B != keyPixel.B) d = {s.B, s.G, s.R, 255};
        continue;
      }
      auto mix = [a = s.A](uint8_t src, uint8_t dst) {
        return uint8_t((src * a + dst * (255 - a) + 127) / 255);
      };
      d = {mix(s.B, d.B), mix(s.G, d.G), mix(s.R, d.R), s.A ? uint8_t(255) : d.A};
    }
  }
}

void PaintWindowImage(const TsSkinModel& skin, img::Bitmap32& image, img::Bitmap32& buttonStrip,
                      const TsFramePaint& p, const TsFramePaintHooks& hooks) {
  if (image.Empty()) return;
  const TsFrameSections& s = p.Sections;
  TRect whole = {0, 0, image.Width(), image.Height()};
  TsBgSource none = EmptyBgSource;
  none.BgColor = kKeyColor;
  PaintSection(&skin, s.Form, s.FormName, none, s.FormPattern, s.FormHotPattern, image, {0, 0},
               whole, FrameState(skin, s.Form, p.Active));
  PaintGrip(skin, image, p);
  PaintTitleBand(skin, image, p, hooks);
  PaintMenuBand(skin, image, p, hooks);
  if (CaptionHeight(p.Form, p.Metrics) <= 0) return;
  if (hooks.Caption) hooks.Caption(image);
  SaveButtonStrip(image, buttonStrip, ButtonStripRect(p, image.Width()));
  PaintTitleButtons(skin, image, p);
  if (hooks.TitleItems) hooks.TitleItems(image);
}

std::vector<TRect> CollectFrameCorners(const TsSkinModel& skin, const TsFrameSections& sections,
                                       int width, int height) {
  std::vector<TRect> list;
  auto border = [&](int section) {
    if (!skin.IsValidSectionIndex(section)) return -1;
    int index = skin.SectionTable[size_t(section)].BorderIndex;
    return ValidImage(skin, index) ? index : -1;
  };
  if (int form = border(sections.Form); form >= 0) {
    const TsMaskData& entry = skin.ImageTable[size_t(form)];
    CollectCornerKeyRects(list, width, entry, false, 0);
    CollectCornerKeyRects(list, width, entry, true, height - skin.EffectiveMarginBottom(form));
  }
  if (int title = border(sections.Title); title >= 0)
    CollectCornerKeyRects(list, width, skin.ImageTable[size_t(title)], false, 0);
  return list;
}

bool TitleElementEnabled(const TsFramePaint& p, int code) {
  const TsTitleButtonRules& r = p.Inputs.Rules;
  switch (code) {
    case kHitClose:
      return r.CanClose;
    case kHitMaxButton:
      return r.EnabledMax || (p.Form.Maximized && r.EnabledRestore);
    case kHitMinButton:
      return r.EnabledMin || p.Form.Minimized;
    default:
      return true;
  }
}
