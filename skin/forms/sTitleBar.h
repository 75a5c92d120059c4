// Items in a skinned form's title: buttons, drop-down menu buttons, tabs, spacers and labels
// placed between the icon and the caption buttons. The form's provider hands the title bar the
// band its title leaves free, paints the items into its window image, hit-tests them and passes
// the mouse on; the title bar sizes and arranges them and runs their events.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Classes.h"
#include "framework/Graphics.h"
#include "framework/Lifetime.h"
#include "framework/Menus.h"
#include "imaging/Bitmap32.h"
#include "skin/forms/sTitleItems.h"
#include "skin/forms/sUserTitleButtons.h"

namespace fw {
class TForm;
}
class TsTitleBar;
class TveTitleItems;

// The drop-down arrow's font: the symbol font at height (the caller deletes it), and the
// character drawn with it.
HFONT CreateArrowFont(int height);
inline constexpr const char* kArrowChar = "u";
// Whether the platform has that font; without it the arrow is a small triangle this wide, not a
// letter of whatever font stood in.
bool ArrowFontPresent();
inline constexpr int kDrawnArrowWidth = 8;

// How an item's caption is drawn: the skin's (or the system's) colour, font name, size, style
// and glow, each unless switched to the item's own.
class TveFontData {
 public:
  fw::TFont Font;
  fw::TColor GlowColor = 0x808080;
  int GlowSize = 0;
  bool UseSysColor = true, UseSysFontName = true, UseSysGlowing = true, UseSysSize = true,
       UseSysStyle = true;
  // The font the caption is drawn with: the platform's caption font with Font's name, height
  // and style where those are the item's own.
  const fw::TFont& UsedFont() const { return usedFont_; }
  void UpdateUsedFont();

 private:
  fw::TFont usedFont_;
};

// The section the provider chose for an item.
struct TveItemSkinData {
  std::string SectionName;
  int SectionIndex = -1;
  int BorderIndex = -1;
};

class TveTitleBarItem {
 public:
  using TMouseEvent = std::function<void(TveTitleBarItem& sender, TMouseButton button,
                                         unsigned shift, int x, int y)>;
  using TItemEvent = std::function<void(TveTitleBarItem& sender)>;
  TveTitleBarItem(TveTitleItems& owner, int index);

  TveItemAlign Align() const { return align_; }
  void SetAlign(TveItemAlign value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  fw::TPopupMenu* DropdownMenu() const { return dropdownMenu_; }
  void SetDropdownMenu(fw::TPopupMenu* value);
  bool Down() const { return down_; }
  void SetDown(bool value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  TveFontData FontData;
  const img::Bitmap32& Glyph() const { return glyph_; }
  void SetGlyph(const img::Bitmap32& value);
  int Height() const { return height_; }
  void SetHeight(int value);
  std::string Hint;
  bool ShowHint = false;
  int ImageIndex() const { return images_.Normal; }
  void SetImageIndex(int value);
  int HotImageIndex() const { return images_.Hot; }
  void SetHotImageIndex(int value);
  int PressedImageIndex() const { return images_.Pressed; }
  void SetPressedImageIndex(int value);
  int DisabledImageIndex() const { return images_.Disabled; }
  void SetDisabledImageIndex(int value);
  const TsItemImages& Images() const { return images_; }
  std::string Name = "TveTitleBarItem";
  int Index() const { return index_; }
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int value);
  const std::string& SkinSection() const { return skinSection_; }
  void SetSkinSection(const std::string& value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);
  TveBtnStyle Style() const { return style_; }
  void SetStyle(TveBtnStyle value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  int Width() const { return width_; }
  void SetWidth(int value);
  // Items with the same group number form one group of tabs.
  int Group() const { return group_; }
  void SetGroup(int value);
  TItemEvent OnClick, OnMouseEnter, OnMouseLeave;
  TMouseEvent OnMouseDown, OnMouseUp;

  // Run time: the place in the window image, the mouse's state, the content's size.
  TRect Rect;
  int HoverState = 0;  // 0 normal, 1 hot
  bool Pressed = false;
  bool MenuDropped() const { return menuDropped_; }
  int ContentWidth() const { return size_.ContentWidth; }
  int ContentHeight() const { return size_.ContentHeight; }
  bool SizeComputed() const { return sizeComputed_; }
  TveItemSkinData SkinData;
  // The state painted: 2 while the menu is open or the item is down, else the hover state.
  int PaintState() const { return menuDropped_ || down_ ? 2 : HoverState; }
  // Measures the content and, unless keepSize, sets Width and Height around it.
  void CalcItemSize(bool keepSize);
  // Pressed cleared and OnClick.
  void Click();
  // Has a drop-down menu with items, shown by a press.
  bool DropsMenu() const;

 private:
  friend class TsTitleBar;
  // A change that shows: the size follows the content when sized, and the title is repainted.
  void Changed(bool resize);
  template <class T, class V>
  void Set(T& field, const V& value, bool resize) {
    if (field == value) return;
    field = value;
    Changed(resize);
  }
  TveTitleItems& owner_;
  int index_;
  TveItemAlign align_ = TveItemAlign::tbaLeft;
  bool autoSize_ = true;
  std::string caption_;
  fw::TPopupMenu* dropdownMenu_ = nullptr;
  bool down_ = false;
  bool enabled_ = true;
  img::Bitmap32 glyph_;
  int height_ = 18;
  TsItemImages images_;
  int numGlyphs_ = 1;
  std::string skinSection_;
  int spacing_ = 4;
  TveBtnStyle style_ = TveBtnStyle::bsButton;
  bool visible_ = true;
  int width_ = 22;
  int group_ = 0;
  bool menuDropped_ = false;
  bool sizeComputed_ = false;
  TsItemSize size_;
};

class TveTitleItems {
 public:
  explicit TveTitleItems(TsTitleBar& bar) : bar_(bar) {}
  TveTitleBarItem& Add();
  int Count() const { return static_cast<int>(items_.size()); }
  TveTitleBarItem& Items(int index) const { return *items_.at(size_t(index)); }
  TsTitleBar& TitleBar() const { return bar_; }

 private:
  TsTitleBar& bar_;
  std::vector<std::unique_ptr<TveTitleBarItem>> items_;
};

class TsTitleBar : public fw::TComponent {
 public:
  // owner must be a form; otherwise the construction is abandoned silently (fw::EAbort).
  explicit TsTitleBar(fw::TComponent* owner);
  ~TsTitleBar() override;
  std::string ClassName() const override { return "TsTitleBar"; }
  // Told when the title bar goes (the provider that shows it lets it go).
  std::function<void()> OnDestroy;

  fw::TImageList* Images() const { return images_; }
  void SetImages(fw::TImageList* images);
  TveTitleItems Items{*this};
  int ItemsMargin = 3;
  // Kept for the design; the items lie edge to edge.
  int ItemsSpacing = 0;
  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool value);

  // Set by the provider at each layout: the band, and the caption's place it leaves.
  TsBarGeometry Geometry;
  TRect CaptionRect;
  // Sizes the items never measured and places every visible one in the band.
  void Arrange();

  // The mouse, from the provider (x and y in the window image's coordinates, like the items'
  // rectangles). A press on an item with a drop-down menu shows the menu owned by form below the
  // item, the image's corner lying at imageOnScreen, and returns when it closed.
  void MouseDown(TveTitleBarItem& item, TMouseButton button, unsigned shift, int x, int y,
                 HWND form, TPoint imageOnScreen);
  void MouseUp(TveTitleBarItem& item, TMouseButton button, unsigned shift, int x, int y);
  // The mouse came over the item (hot) or left it.
  void SetHover(TveTitleBarItem& item, bool hot);
  // Tells the form to paint its frame again (not while it is being loaded).
  void RepaintFrame();

 protected:
  void Notification(fw::TComponent* component, fw::TOperation operation) override;

 private:
  fw::TForm* form_;
  fw::TImageList* images_ = nullptr;
  bool showCaption_ = true;
  fw::TLifetime life_;
};

// What painting an item needs of the form.
struct TsItemPaintContext {
  const TsSkinModel* Skin = nullptr;
  int TitleSection = -1;  // the form's title section, for idle buttons
  int FormState = 0;      // the form's look: 0 inactive, 1 active
  fw::TImageList* Images = nullptr;
  int ItemsMargin = 3;
  TRect Bar;
  bool WindowImage = true;  // false: a picture of its own, cleared to transparent first
};
// Paints the item into rect of target.
void PaintTitleItem(TveTitleBarItem& item, const TRect& rect, img::Bitmap32& target,
                    const TsItemPaintContext& context);
