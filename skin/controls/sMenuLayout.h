// The arithmetic and the background picture of skinned pop-up menus: item kinds, item and popup
// sizes, the popup's background (plate, glyph column, frame, extra band) and the corners its
// window region leaves out.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/Bitmap32.h"
#include "platform/Dpi.h"
#include "skin/data/sSkinData.h"
#include "skin/render/sBgSource.h"

class TsSkinModel;

// "-" is a separator; a caption that begins and ends with "-" is a heading; the rest are items.
enum class TsMenuItemKind { Normal, Separator, Heading };
TsMenuItemKind MenuItemKind(std::string_view caption);
// A heading's text: its caption without the dashes around it.
std::string HeadingText(std::string_view caption);

struct TsMenuSpacing {
  int Margin = 2;       // vertical margin of items, horizontal spacing unit
  int Spacing = 8;      // between glyph column and text, and between caption and shortcut
  int BorderWidth = 3;  // the popup window's frame
  // The scale the lengths above are at; the layout's own fixed gaps follow it.
  int Dpi = platform::kDesignDpi;
};
// The spacing designed at 96 DPI at dpi: margin and spacing scaled, the frame kept, because the
// popup's frame is the platform's and its size is read from the window.
TsMenuSpacing MenuSpacingAt(const TsMenuSpacing& design, int dpi);

// The size an item asks for, from its measured text (word-broken, tabs expanded) and glyph.
// extraLine is the width of the popup's extra band when the item stands in the first column.
int PopupItemHeight(TsMenuItemKind kind, int textHeight, int glyphHeight,
                    const TsMenuSpacing& spacing);
int PopupItemWidth(TsMenuItemKind kind, int textWidth, int glyphWidth, const TsMenuSpacing& spacing,
                   int extraLine);

struct TsPopupEntry {
  int Width = 0, Height = 0;
  bool Break = false;  // starts a new column
};
// The popup's size: columns side by side (widest item + 12, 4 more per break, at 96 DPI), the
// tallest column's height, both with the frame on each side.
TPoint PopupSize(std::span<const TsPopupEntry> entries, const TsMenuSpacing& spacing);

// The width of the MAINMENU border: its border width, 3 when it has none, 0 without one.
int MenuSkinBorderWidth(const TsSkinModel& skin);

struct TsPopupBackground {
  int Width = 0, Height = 0;
  int GlyphWidth = 16;
  std::string IcoLineSkin = "ICOLINE";
  bool GlyphColumn = true;  // false for right-aligned popups
  int ExtraLineWidth = 0;   // 0: no extra band
  std::string ExtraLineSection = "EXTRALINE";
  bool RightToLeft = false;  // the finished picture mirrored
};
// The popup's background picture, and in corners the rectangles of the frame's transparent corner
// pixels that the window region leaves out. An empty picture when the skin has no MAINMENU.
img::Bitmap32 BuildPopupPicture(const TsSkinModel& skin, const TsPopupBackground& popup,
                                const TsMenuSpacing& spacing, std::vector<TRect>& corners);
// Where the extra band lies inside the background.
TRect ExtraLineBand(const TsSkinModel& skin, const TsPopupBackground& popup);
