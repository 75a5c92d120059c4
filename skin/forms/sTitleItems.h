// The arithmetic of the items a title bar places in the title between the icon and the caption
// buttons: how big an item is for its content, where the items of each alignment go in the band
// the title leaves free, where an item's plate and content lie, which element is painted over
// which, and the plates an item gets without a section of the skin. Plain integer and pixel
// arithmetic; the title bar component measures text and draws through the platform.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "imaging/Bitmap32.h"
#include "skin/forms/sTitleLayout.h"

enum class TveItemAlign { tbaLeft, tbaRight, tbaCenter, tbaCenterInSpace };
enum class TveBtnStyle { bsButton, bsMenu, bsTab, bsSpacing, bsInfo };

// What an item shows, measured: its picture (from the image list, else its glyph) and caption.
struct TsItemContent {
  TveBtnStyle Style = TveBtnStyle::bsButton;
  int ImageWidth = 0, ImageHeight = 0;  // 0 x 0 without a picture
  bool HasCaption = false;
  int TextWidth = 0, TextHeight = 0;
  int Spacing = 4;  // between picture and caption
  bool HasDropdown = false;
  int ArrowWidth = 0;  // the drop-down arrow character's width
};

struct TsItemSize {
  int ContentWidth = 0, ContentHeight = 0;
  int Width = 0, Height = 0;
};

// The content size, and the item size around it (kept as given when keepSize or for a spacer).
TsItemSize CalcItemSize(const TsItemContent& content, int itemsMargin, bool keepSize, int width,
                        int height);

// The band the title leaves to the items (window-image coordinates).
struct TsBarGeometry {
  TRect Bar;
  int CenterY = 0;
  int FullRight = 0;  // where the caption buttons started, before any of them was placed
};
// The band for a form's title: from the icon (6 further with one) to 6 before the last button
// placed, from the title's top in the skin's own frame (else the window's top, 6 below it
// maximised) to the title's bottom.
TsBarGeometry TitleBarGeometry(const TsSkinModel& skin, const TsFormShape& form,
                               const TsSystemMetrics& metrics, const TsTitleLayout& layout);

struct TsArrangeItem {
  bool Visible = true;
  TveItemAlign Align = TveItemAlign::tbaLeft;
  TveBtnStyle Style = TveBtnStyle::bsButton;
  int Width = 0, Height = 0;
};
struct TsArrangement {
  std::vector<TRect> Rects;  // one per item; empty for hidden ones
  TRect CaptionRect;         // between the left and the right groups, 8 pixels off each
};
TsArrangement ArrangeItems(const TsBarGeometry& bar, const std::vector<TsArrangeItem>& items);

// Indexes in painting order: from the last item to the first, the tabs that are down after all
// the others so that a selected tab lies over its neighbours.
std::vector<int> ItemPaintOrder(const std::vector<bool>& downTabs);

// Where an item's plate and content go.
struct TsItemPlate {
  TRect Plate;
  TRect Content;
};
// A menu button's plate keeps its top and a tab's its bottom, each at most bar height - 2 high;
// a tab with a section that is not down starts 2 lower. A tab's content is narrowed to its
// content width, centred.
TsItemPlate ItemPlate(TveBtnStyle style, const TRect& rect, int barHeight, bool hasSection,
                      bool down, int contentWidth);

// The picture shown in a state (0 normal, 1 hot, 2 pressed or down): the state's own index, the
// disabled one for a disabled item; a negative choice falls back to the normal index.
struct TsItemImages {
  int Normal = -1, Hot = -1, Pressed = -1, Disabled = -1;
};
int ItemImageIndex(const TsItemImages& images, int state, bool enabled);

// The section of an item: its own when the skin has it, else the style's (TB_BTN, TB_MENUBTN,
// TB_TAB), else the style's older one (TOOLBUTTON, TABTOP); -1 for the others.
int ItemSection(const TsSkinModel& skin, const std::string& skinSection, TveBtnStyle style,
                std::string& name);

// The menu button picture as stored: its alpha holds transparency (0 opaque) and its colours are
// not yet weighted by it. Every pixel other than fuchsia gets alpha 255 - a and its colours
// v * (255 - a) div 256.
void ConvertStoredAlpha(img::Bitmap32& picture);
// The built-in plate of menu buttons without a section: three frames side by side (normal, hot,
// pressed), converted.
const img::Bitmap32& MenuButtonPicture();
// One frame of the picture as a nine-slice plate over rect (margins 8, 2, 8, 4): the corners
// copied without their fuchsia pixels, the edges and the middle stretched without smoothing.
void PaintMenuButtonPlate(img::Bitmap32& target, const TRect& rect, const img::Bitmap32& picture,
                          int state);

// Lays what was painted into painted over rect of target at half strength (128 of 255): a
// disabled item over the title.
void BlendDisabled(img::Bitmap32& target, const img::Bitmap32& painted, const TRect& rect);
