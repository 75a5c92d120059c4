// Main and pop-up menus: items with captions ("&" marks the access key, "-" makes a separator),
// shortcuts shown beside the caption and handled through the application's key path, tags,
// visibility and click events. The platform menu is rebuilt from the items whenever they change.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/Classes.h"

namespace fw {

class TMenu;

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

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_[index]; }
  TMenuItem* Parent() const { return parent_; }
  void Add(TMenuItem* item);
  void Remove(TMenuItem* item);

  // The platform command number of this item.
  UINT Command() const { return command_; }
  // The item (this one or below) with that command, or null.
  TMenuItem* FindCommand(UINT command);
  // The reachable item (visible and enabled, like every parent) with that shortcut, or null.
  TMenuItem* FindShortCut(TShortCut shortCut);

  virtual void Click();
  TNotifyEvent OnClick;

 private:
  friend class TMenu;
  void Changed();
  void AppendTo(HMENU menu) const;

  std::string caption_;
  TShortCut shortCut_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;  // set on the root item only
  UINT command_;
};

class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;
  // The root item; its children are the menu's entries.
  TMenuItem* Items() const { return items_; }
  // The platform menu, built on first use and rebuilt after every change.
  HMENU Handle();
  // Clicks the item with that shortcut; false when none is reachable.
  bool IsShortCut(TShortCut shortCut);
  bool DispatchCommand(UINT command);
  // Called after the platform menu was rebuilt.
  std::function<void()> OnChange;

 protected:
  virtual HMENU CreateMenuHandle() const = 0;

 private:
  friend class TMenuItem;
  void Rebuild();
  TMenuItem* items_;
  HMENU handle_ = nullptr;
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
