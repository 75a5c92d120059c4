// The provider's own system menu. While the skin paints the frame the platform's system menu is
// hidden from the platform, so the provider offers this one: Restore, Move, Size, Minimize,
// Maximize and Close (captions taken from the platform's menu), the application's own items,
// and on request the skin choice at the top. The same object says which caption buttons show and
// work.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Menus.h"
#include "skin/forms/sTitleLayout.h"

class TsSkinProvider;

// Skins listed per column of the skin sub-menu.
inline constexpr int kSkinsPerColumn = 20;
// The name the skin sub-menu's item stands for: its caption without access-key marks, cut after
// the stored-skin marker.
std::string SkinNameFromCaption(const std::string& caption);

class TsSystemMenu : public fw::TPopupMenu {
 public:
  explicit TsSystemMenu(TsSkinProvider& provider);
  std::string ClassName() const override { return "TsSystemMenu"; }

  bool VisibleClose() const;
  bool VisibleMax() const;
  bool VisibleMin() const;
  bool EnabledMax() const;
  bool EnabledMin() const;
  bool EnabledRestore() const;
  bool CanClose() const;
  TsTitleButtonRules Rules() const;

  // Takes the platform's menu of the form's window; a window made again has a new one.
  void TakePlatformMenu();
  // Shows and hides the items for the form's state.
  void UpdateItems();
  // Rebuilds the skin sub-menu (when the provider asks for it), updates the items and shows the
  // menu at a screen point.
  void Popup(int x, int y);

 private:
  // Builds the items anew: the skin sub-menu when asked for, the window commands, the
  // application's items, Close, and the merged sub-menu at its place.
  void Build();
  fw::TMenuItem* AddCommand(UINT command, const char* fallback);
  void BuildSkinMenu();
  // The provider's merged sub-menu under a divider of that name, when it has one.
  void AddMergedMenu(const char* divider, bool dividerFirst);
  void CopyItems(fw::TMenuItem* from, fw::TMenuItem* to);
  HMENU PlatformMenu() const;

  TsSkinProvider& provider_;
  HMENU platformMenu_ = nullptr;
  fw::TMenuItem *restore_, *move_, *size_, *minimize_, *maximize_, *close_;
};
