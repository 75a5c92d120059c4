// Main and pop-up menus: items with captions ("&" marks the access key, "-" makes a separator),
// shortcuts shown beside the caption and handled through the application's key path, check
// marks, images, column breaks, visibility and click events. The platform menus are made once
// and kept in step with the items in place, so their handles stay the same and whatever a
// painter set on them (owner drawing) is set again by the framework after every change.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/Classes.h"

namespace fw {

class TMenu;
class TImageList;

// A key with its modifiers: the virtual-key code in the low byte, plus scShift, scCtrl, scAlt.
using TShortCut = std::uint16_t;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut ShortCut(WORD key, TShortCut modifiers = 0) {
  return static_cast<TShortCut>((key & 0xFF) | modifiers);
}
// The text shown beside a menu caption: "F9", "Ctrl+F4", "Shift+Alt+X".
std::string ShortCutToText(TShortCut shortCut);
// The shortcut a key message stands for, with the modifier keys held at the time.
TShortCut ShortCutFromKey(WPARAM key);

// Where an item starts a new column: none, a plain break, or a break with a line.
enum class TMenuBreak { mbNone, mbBreak, mbBarBreak };

class TMenuItem;
using TMenuMeasureItemEvent = std::function<void(TMenuItem* item, HDC dc, int& width, int& height)>;
using TMenuDrawItemEvent =
    std::function<void(TMenuItem* item, HDC dc, const RECT& rect, UINT itemState)>;

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;
  std::string ClassName() const override { return "TMenuItem"; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool IsLine() const { return caption_ == "-"; }
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut shortCut);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  // A checked radio item shows a bullet instead of a check mark.
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool radioItem);
  // The default item of its menu, shown in bold.
  bool Default() const { return default_; }
  void SetDefault(bool isDefault);
  TMenuBreak Break() const { return break_; }
  void SetBreak(TMenuBreak menuBreak);
  // The item's picture in its menu's Images, or -1.
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_[index]; }
  TMenuItem* Parent() const { return parent_; }
  void Add(TMenuItem* item);
  void Remove(TMenuItem* item);

  // The menu this item belongs to (through its parents), or null.
  TMenu* GetParentMenu() const;
  // The platform menu that lists this item's sub-items, made on first use.
  HMENU Handle();
  // The platform command number of this item.
  UINT Command() const { return command_; }
  // The item (this one or below) with that command, or null.
  TMenuItem* FindCommand(UINT command);
  // The reachable item (visible and enabled, like every parent) with that shortcut, or null.
  TMenuItem* FindShortCut(TShortCut shortCut);

  virtual void Click();
  TNotifyEvent OnClick;
  // Raised when the platform is about to open this item's sub-menu.
  TNotifyEvent OnPopup;
  // Owner drawing (see TMenu::SetOwnerDraw): the size the item needs, and painting it. Without
  // them the framework measures and paints the item itself.
  TMenuMeasureItemEvent OnMeasureItem;
  TMenuDrawItemEvent OnAdvancedDrawItem;

  // The item that a menu entry's item data names, or null when it no longer exists (the
  // platform hands the data back later, in messages about the entry).
  static TMenuItem* FromItemData(ULONG_PTR data);

 private:
  friend class TMenu;
  // A property of this item changed: its entry in the parent's platform menu is updated.
  void Changed();
  // Items were added or removed, or shown or hidden: the entries of this menu are refilled.
  void ItemsChanged();
  void NotifyMenu() const;
  void Fill();
  void FillTree();
  MENUITEMINFOA EntryInfo(std::string& text);
  bool OwnerDrawn() const;

  std::string caption_;
  TShortCut shortCut_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  bool checked_ = false;
  bool radioItem_ = false;
  bool default_ = false;
  TMenuBreak break_ = TMenuBreak::mbNone;
  int imageIndex_ = -1;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;  // set on the root item only
  HMENU handle_ = nullptr;
  UINT command_;
};

class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;
  // The root item; its children are the menu's entries.
  TMenuItem* Items() const { return items_; }
  // The platform menu, made on first use; it stays the same for the menu's life.
  HMENU Handle() { return items_->Handle(); }
  // Clicks the item with that shortcut; false when none is reachable.
  bool IsShortCut(TShortCut shortCut);
  bool DispatchCommand(UINT command);
  // Called after any item changed.
  std::function<void()> OnChange;

  // While set, every entry is owner-drawn, with its TMenuItem as item data.
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool ownerDraw);
  // The pictures that items name by ImageIndex (not owned).
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);

  // The item whose sub-menu that platform menu is (the root item for a menu's own handle).
  static TMenuItem* ItemFromHandle(HMENU menu);
  // The owner window's share of owner drawing and opening menus: WM_MEASUREITEM and
  // WM_DRAWITEM of menu entries, and WM_INITMENUPOPUP. False when the message is not about one
  // of the framework's items.
  static bool MeasureItem(HWND owner, MEASUREITEMSTRUCT& measure);
  static bool DrawItem(const DRAWITEMSTRUCT& draw);
  static bool InitPopup(HMENU menu);

 protected:
  virtual HMENU CreateMenuHandle() const = 0;

 private:
  friend class TMenuItem;
  TMenuItem* items_;
  bool ownerDraw_ = false;
  TImageList* images_ = nullptr;
};

class TMainMenu : public TMenu {
 public:
  explicit TMainMenu(TComponent* owner) : TMenu(owner) {}
  std::string ClassName() const override { return "TMainMenu"; }

 protected:
  HMENU CreateMenuHandle() const override { return CreateMenu(); }
};

class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* owner) : TMenu(owner) {}
  std::string ClassName() const override { return "TPopupMenu"; }
  // Shows the menu at a screen point, owned by a window, and clicks the chosen item.
  void Popup(int x, int y, HWND owner);

 protected:
  HMENU CreateMenuHandle() const override { return CreatePopupMenu(); }
};

}  // namespace fw
