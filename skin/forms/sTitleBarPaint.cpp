// A title bar item painted into the window image: its plate from its section (or the built-in
// menu-button plate), its picture, caption and drop-down arrow in the section's colours, all at
// half strength for a disabled item.
#include <algorithm>

#include "platform/GdiScopes.h"
#include "skin/forms/sTitleBar.h"
#include "skin/forms/sWindowImage.h"
#include "skin/render/sBgSource.h"
#include "skin/render/sBlend.h"
#include "skin/render/sDcHelpers.h"
#include "skin/render/sSection.h"
#include "skin/render/sSkinText.h"
#include "skin/render/sSmallGlyphs.h"
#include "skin/render/sWindowRegion.h"

using namespace fw;

namespace {

constexpr int32_t kMenuTextColor = 0xFFFFFF;
constexpr int32_t kMenuGlowColor = 0x0E5A8D;
constexpr int kMenuGlowSize = 2;

// How the item's texts are drawn.
struct TextLook {
  int Section = -1;  // the section whose colours are used; -1: Color
  int State = 0;
  COLORREF Color = 0;
  int GlowSize = 0;
  int32_t GlowColor = 0;
};

// The glow of a section's state, or none.
void GlowOf(const TsSkinModel& skin, int section, int state, TextLook& look) {
  look.GlowSize = 0;
  if (!skin.IsValidSectionIndex(section)) return;
  const TsGenState& s = skin.SectionTable[size_t(section)].States[size_t(std::clamp(state, 0, 1))];
  look.GlowSize = s.GSize;
  look.GlowColor = s.GCol;
}

void DrawItemText(img::Bitmap32& target, HFONT font, const std::string& text, const TRect& rect,
                  const TextLook& look, const TsSkinModel& skin) {
  constexpr UINT kFormat = DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX;
  if (look.GlowSize > 0) {
    TsGlowImage glow;
    PaintTextGlow(target, font, text, rect, glow, look.GlowColor, look.GlowSize, 15, kFormat);
  }
  HDC dc = target.DC();
  {
    platform::Selection selected(dc, font);
    SetTextColor(dc, look.Color);
    PaintSkinText(dc, text, true, &skin, look.State, look.Section, kFormat, ToRect(rect));
  }
  GdiFlush();
}

// One state's frame of a glyph that holds NumGlyphs of them side by side: normal, disabled,
// pressed, down.
img::Bitmap32 GlyphFrame(const TveTitleBarItem& item, int state) {
  const img::Bitmap32& glyph = item.Glyph();
  int count = std::max(1, item.NumGlyphs());
  int width = glyph.Width() / count;
  if (width <= 0) return {};  // more states announced than the glyph is wide
  int frame = !item.Enabled() ? 1 : state == 2 ? (item.Down() ? 3 : 2) : 0;
  if (frame >= count) frame = 0;
  img::Bitmap32 part(width, glyph.Height());
  CopyBlock(part, 0, 0, width, glyph.Height(), glyph, frame * width, 0);
  return part;
}

}  // namespace

void PaintTitleItem(TveTitleBarItem& item, const TRect& rect, img::Bitmap32& target,
                    const TsItemPaintContext& c) {
  if (!c.Skin || rect.Width() <= 0 || rect.Height() <= 0) return;
  const TsSkinModel& skin = *c.Skin;
  const int section = item.SkinData.SectionIndex;
  const bool hasSection = skin.IsValidSectionIndex(section);
  const int state = item.PaintState();
  int s = 0;
  if (hasSection)
    s = std::max(0, std::min({state, 1, skin.SectionTable[size_t(section)].StateCount - 1}));

  // A disabled item is painted on a copy and laid back at half strength.
  img::Bitmap32 copy;
  img::Bitmap32* canvas = &target;
  if (!item.Enabled()) {
    copy = target;
    canvas = &copy;
  }
  if (!item.SizeComputed()) item.CalcItemSize(!item.AutoSize());
  TveFontData& fd = item.FontData;
  TextLook look;
  look.Color = ColorToRGB(fd.Font.Color());
  if (!c.WindowImage) {
    FillRectSolid(*canvas, rect, 0);
    SetRectAlpha(*canvas, rect, 0);
  }

  const TveBtnStyle style = item.Style();
  TsItemPlate plate =
      ItemPlate(style, rect, c.Bar.Height(), hasSection, item.Down(), item.ContentWidth());
  TsBgSource bg = MakeBgSource(canvas, 0, 0);
  auto paintPlate = [&] {
    if (hasSection)
      PaintSection(&skin, section, item.SkinData.SectionName, bg, -1, -1, *canvas, {0, 0},
                   plate.Plate, state);
  };
  bool menuPlate = false, idle = false;
  switch (style) {
    case TveBtnStyle::bsButton:
    case TveBtnStyle::bsInfo:
      paintPlate();
      // Without a look of its own, an idle button reads like the caption.
      idle = item.SkinSection().empty() && state == 0;
      break;
    case TveBtnStyle::bsMenu:
      if (hasSection) {
        paintPlate();
      } else {
        PaintMenuButtonPlate(*canvas, plate.Plate, MenuButtonPicture(), state);
        menuPlate = true;
      }
      break;
    case TveBtnStyle::bsTab:
      s = std::min(state, 1);
      paintPlate();
      break;
    case TveBtnStyle::bsSpacing:
      s = c.FormState;
      break;
  }

  look.State = s;
  if (idle) {
    look.State = FrameState(skin, c.TitleSection, c.FormState != 0);
    if (fd.UseSysColor) look.Section = c.TitleSection;
    if (fd.UseSysGlowing) GlowOf(skin, c.TitleSection, look.State, look);
  } else {
    if (fd.UseSysColor && hasSection) look.Section = section;
    if (fd.UseSysGlowing) GlowOf(skin, hasSection ? section : -1, s, look);
  }
  if (!fd.UseSysGlowing) {
    look.GlowSize = fd.GlowSize;
    look.GlowColor = fd.GlowColor;
  }
  if (menuPlate) {
    if (fd.UseSysColor) {
      look.Section = -1;
      look.Color = kMenuTextColor;
    }
    if (fd.UseSysGlowing) {
      look.GlowSize = kMenuGlowSize;
      look.GlowColor = kMenuGlowColor;
    }
  }

  const TRect& box = plate.Content;
  int x = box.Left + c.ItemsMargin + (style == TveBtnStyle::bsMenu ? 4 : 0);
  const bool caption = !item.Caption().empty();
  int index = ItemImageIndex(item.Images(), state, item.Enabled());
  if (c.Images && index >= 0 && index < c.Images->Count()) {
    c.Images->Draw(canvas->DC(), x, box.Top + (item.Height() - c.Images->Height()) / 2, index);
    GdiFlush();
    x += c.Images->Width() + (caption ? item.Spacing() : 0);
  } else if (img::Bitmap32 glyph = GlyphFrame(item, state); !glyph.Empty()) {
    const img::TRGBAPixel& key = glyph.Pixel(0, 0);
    PaintGlyph(*canvas, {x, box.Top + (item.Height() - glyph.Height()) / 2}, glyph,
               (int32_t(key.B) << 16) | (int32_t(key.G) << 8) | key.R);
    x += glyph.Width() + (caption ? item.Spacing() : 0);
  }

  HFONT font = fd.UsedFont().Handle();
  if (caption) {
    SIZE text = MeasureText(font, item.Caption(), 0, 0, false);
    int top = box.Top + (item.Height() - text.cy) / 2;
    DrawItemText(*canvas, font, item.Caption(), {x, top, box.Right, top + text.cy}, look, skin);
    x += text.cx;
  }
  if (item.DropdownMenu() && (style == TveBtnStyle::bsButton || style == TveBtnStyle::bsMenu)) {
    x += (style == TveBtnStyle::bsMenu ? 3 : 0) + 1;
    if (ArrowFontPresent()) {
      HFONT arrow = CreateArrowFont(fd.UsedFont().Height());
      SIZE size = MeasureText(arrow, kArrowChar, 0, 0, false);
      int top = box.Top + (item.Height() - size.cy) / 2;
      DrawItemText(*canvas, arrow, kArrowChar, {x, top, x + size.cx, top + size.cy}, look, skin);
      DeleteObject(arrow);
    } else {
      int32_t color = int32_t(look.Color);
      if (skin.IsValidSectionIndex(look.Section))
        color = skin.SectionTable[size_t(look.Section)].States[size_t(look.State > 0)].FontColor;
      PaintSmallArrow(*canvas, color, {x, box.Top, x + kDrawnArrowWidth, box.Top + item.Height()},
                      adDown);
    }
  }
  if (canvas != &target) BlendDisabled(target, copy, rect);
}
