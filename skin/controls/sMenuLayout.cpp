#include "skin/controls/sMenuLayout.h"

#include <algorithm>
#include <utility>

#include "skin/data/sSkinModel.h"
#include "skin/render/sCornerKeys.h"
#include "skin/render/sMaskSlices.h"
#include "skin/render/sSection.h"

TsMenuItemKind MenuItemKind(std::string_view caption) {
  if (caption == "-") return TsMenuItemKind::Separator;
  if (caption.size() > 1 && caption.front() == '-' && caption.back() == '-')
    return TsMenuItemKind::Heading;
  return TsMenuItemKind::Normal;
}

std::string HeadingText(std::string_view caption) {
  if (MenuItemKind(caption) != TsMenuItemKind::Heading) return std::string(caption);
  return std::string(caption.substr(1, caption.size() - 2));
}

TsMenuSpacing MenuSpacingAt(const TsMenuSpacing& design, int dpi) {
  TsMenuSpacing scaled = design;
  scaled.Margin = platform::ScaleToDpi(design.Margin, dpi);
  scaled.Spacing = platform::ScaleToDpi(design.Spacing, dpi);
  scaled.Dpi = dpi;
  return scaled;
}

int PopupItemHeight(TsMenuItemKind kind, int textHeight, int glyphHeight,
                    const TsMenuSpacing& spacing) {
  auto at = [&](int length) { return platform::ScaleToDpi(length, spacing.Dpi); };
  switch (kind) {
    case TsMenuItemKind::Separator:
      return at(2);
    case TsMenuItemKind::Heading:
      return textHeight + 2 * spacing.Margin + at(3);
    case TsMenuItemKind::Normal:
      break;
  }
  return std::max(textHeight, glyphHeight) + 2 * spacing.Margin + at(2);
}

int PopupItemWidth(TsMenuItemKind kind, int textWidth, int glyphWidth, const TsMenuSpacing& spacing,
                   int extraLine) {
  if (kind == TsMenuItemKind::Separator) textWidth = 0;
  return 2 * glyphWidth + textWidth + 3 * spacing.Margin + spacing.Spacing + extraLine;
}

TPoint PopupSize(std::span<const TsPopupEntry> entries, const TsMenuSpacing& spacing) {
  int width = 0, height = 0, widest = 0, column = 0;
  const int gap = platform::ScaleToDpi(12, spacing.Dpi),
            breakGap = platform::ScaleToDpi(4, spacing.Dpi);
  bool any = false;
  for (const TsPopupEntry& e : entries) {
    if (e.Break && any) {
      width += widest + gap + breakGap;
      height = std::max(height, column);
      widest = column = 0;
    }
    any = true;
    widest = std::max(widest, e.Width);
    column += e.Height;
  }
  if (any) width += widest + gap;
  height = std::max(height, column);
  return {width + 2 * spacing.BorderWidth, height + 2 * spacing.BorderWidth};
}

namespace {

int BorderEntry(const TsSkinModel& skin, int section) {
  if (!skin.IsValidSectionIndex(section)) return -1;
  int index = skin.SectionTable[size_t(section)].BorderIndex;
  return skin.IsValidImageIndex(index) ? index : -1;
}

void Mirror(img::Bitmap32& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y) {
    img::TRGBAPixel* row = bitmap.Row(y);
    std::reverse(row, row + bitmap.Width());
  }
}

}  // namespace

int MenuSkinBorderWidth(const TsSkinModel& skin) {
  int border = BorderEntry(skin, skin.FindSection("MAINMENU"));
  if (border < 0) return 0;
  const TsMaskData& entry = skin.ImageTable[size_t(border)];
  int width = entry.MarginLeft > 0 ? entry.MarginLeft : entry.DefaultMargin;
  return width > 0 ? width : 3;
}

TRect ExtraLineBand(const TsSkinModel& skin, const TsPopupBackground& popup) {
  int b = MenuSkinBorderWidth(skin);
  return {b, b, b + popup.ExtraLineWidth, popup.Height - b};
}

img::Bitmap32 BuildPopupPicture(const TsSkinModel& skin, const TsPopupBackground& popup,
                                const TsMenuSpacing& spacing, std::vector<TRect>& corners) {
  corners.clear();
  int menu = skin.FindSection("MAINMENU");
  if (menu < 0 || popup.Width <= 0 || popup.Height <= 0) return {};
  img::Bitmap32 picture(popup.Width, popup.Height);
  TRect whole{0, 0, popup.Width, popup.Height};
  PaintSection(&skin, menu, "MAINMENU", EmptyBgSource, -1, -1, picture, {0, 0}, whole, 0);
  int b = MenuSkinBorderWidth(skin);
  if (popup.GlyphColumn) {
    if (int line = skin.FindSection(popup.IcoLineSkin); line >= 0) {
      int left = popup.ExtraLineWidth + b;
      TRect band{left, b, left + spacing.Margin + popup.GlyphWidth + spacing.Spacing,
                 popup.Height - b};
      if (band.Width() > 0 && band.Height() > 0)
        PaintSection(&skin, line, popup.IcoLineSkin, MakeBgSource(&picture, 0, 0), -1, -1, picture,
                     {0, 0}, band, 0);
    }
  }
  if (popup.ExtraLineWidth > 0) {
    TRect band = ExtraLineBand(skin, popup);
    if (int line = skin.FindSection(popup.ExtraLineSection);
        line >= 0 && band.Width() > 0 && band.Height() > 0)
      PaintSection(&skin, line, popup.ExtraLineSection, MakeBgSource(&picture, 0, 0), -1, -1,
                   picture, {0, 0}, band, 0);
  }
  // The frame lies over the column and the band.
  if (int border = BorderEntry(skin, menu); border >= 0) {
    const TsMaskData& entry = skin.ImageTable[size_t(border)];
    PaintMaskSlices(picture, whole, entry, 0, EmptyBgSource, false);
    CollectCornerKeyRects(corners, popup.Width, entry, false, 0);
    CollectCornerKeyRects(corners, popup.Width, entry, true,
                          popup.Height - skin.EffectiveMarginBottom(border));
  }
  if (popup.RightToLeft) Mirror(picture);
  return picture;
}
