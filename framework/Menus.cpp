#include "framework/Menus.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace fw {

namespace {

// Every item that exists: item data coming back from the platform is checked against it.
std::unordered_set<const TMenuItem*>& LiveItems() {
  static std::unordered_set<const TMenuItem*> items;
  return items;
}

// The item each platform menu lists the sub-items of.
std::unordered_map<HMENU, TMenuItem*>& MenuOwners() {
  static std::unordered_map<HMENU, TMenuItem*> owners;
  return owners;
}

// Takes every entry out of a platform menu without releasing the sub-menus it shows (their
// items keep them), then releases the menu itself.
void ReleaseMenuHandle(HMENU menu) {
  while (GetMenuItemCount(menu) > 0) RemoveMenu(menu, 0, MF_BYPOSITION);
  DestroyMenu(menu);
  MenuOwners().erase(menu);
}

UINT NextCommand() {
  // Menu commands start well above IDOK .. IDHELP, which dialog navigation sends as commands
  // without a control, like menus do.
  static UINT next = 0x1000;
  return next++;
}

}  // namespace

std::string ShortCutToText(TShortCut shortCut) {
  WORD key = shortCut & 0xFF;
  std::string name;
  if (key >= VK_F1 && key <= VK_F24)
    name = "F" + std::to_string(key - VK_F1 + 1);
  else if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
    name = std::string(1, static_cast<char>(key));
  else if (key == VK_DELETE)
    name = "Del";
  else if (key == VK_INSERT)
    name = "Ins";
  else if (key == VK_RETURN)
    name = "Enter";
  else if (key == VK_ESCAPE)
    name = "Esc";
  if (name.empty()) return "";
  std::string text;
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  return text + name;
}

TShortCut ShortCutFromKey(WPARAM key) {
  TShortCut shortCut = static_cast<TShortCut>(key & 0xFF);
  if (GetKeyState(VK_SHIFT) < 0) shortCut |= scShift;
  if (GetKeyState(VK_CONTROL) < 0) shortCut |= scCtrl;
  if (GetKeyState(VK_MENU) < 0) shortCut |= scAlt;
  return shortCut;
}

// ---- TMenuItem ----

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(NextCommand()) {
  LiveItems().insert(this);
}

TMenuItem::~TMenuItem() {
  LiveItems().erase(this);
  // Sub-items belong to their owner, which releases them; they only lose their place here.
  for (TMenuItem* item : items_) item->parent_ = nullptr;
  items_.clear();
  if (parent_) parent_->Remove(this);
  if (handle_) ReleaseMenuHandle(handle_);
}

TMenuItem* TMenuItem::FromItemData(ULONG_PTR data) {
  auto* item = reinterpret_cast<TMenuItem*>(data);
  return LiveItems().count(item) ? item : nullptr;
}

void TMenuItem::SetCaption(const std::string& caption) {
  caption_ = caption;
  Changed();
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
  shortCut_ = shortCut;
  Changed();
}

void TMenuItem::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (parent_) parent_->ItemsChanged();
}

void TMenuItem::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Changed();
}

void TMenuItem::SetChecked(bool checked) {
  checked_ = checked;
  Changed();
}

void TMenuItem::SetRadioItem(bool radioItem) {
  radioItem_ = radioItem;
  Changed();
}

void TMenuItem::SetDefault(bool isDefault) {
  default_ = isDefault;
  Changed();
}

void TMenuItem::SetBreak(TMenuBreak menuBreak) {
  break_ = menuBreak;
  Changed();
}

void TMenuItem::SetImageIndex(int index) {
  imageIndex_ = index;
  Changed();
}

void TMenuItem::Add(TMenuItem* item) {
  if (item->parent_) item->parent_->Remove(item);
  item->parent_ = this;
  items_.push_back(item);
  ItemsChanged();
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
  ItemsChanged();
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->parent_) root = root->parent_;
  return root->menu_;
}

bool TMenuItem::OwnerDrawn() const {
  TMenu* menu = GetParentMenu();
  return menu && menu->OwnerDraw();
}

HMENU TMenuItem::Handle() {
  if (!handle_) {
    handle_ = menu_ ? menu_->CreateMenuHandle() : CreatePopupMenu();
    MenuOwners()[handle_] = this;
    Fill();
  }
  return handle_;
}

MENUITEMINFOA TMenuItem::EntryInfo(std::string& text) {
  text = caption_;
  if (std::string keys = ShortCutToText(shortCut_); !keys.empty()) text += "\t" + keys;
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
  if (IsLine()) {
    info.fType = MFT_SEPARATOR;
  } else {
    info.fMask |= MIIM_STRING;
    info.dwTypeData = text.data();
  }
  if (OwnerDrawn()) info.fType |= MFT_OWNERDRAW;
  if (radioItem_) info.fType |= MFT_RADIOCHECK;
  if (break_ == TMenuBreak::mbBreak) info.fType |= MFT_MENUBREAK;
  if (break_ == TMenuBreak::mbBarBreak) info.fType |= MFT_MENUBARBREAK;
  info.fState = (enabled_ ? MFS_ENABLED : MFS_GRAYED) | (checked_ ? MFS_CHECKED : 0) |
                (default_ ? MFS_DEFAULT : 0);
  info.wID = command_;
  info.hSubMenu = items_.empty() ? nullptr : Handle();
  info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
  return info;
}

void TMenuItem::Fill() {
  while (GetMenuItemCount(handle_) > 0) RemoveMenu(handle_, 0, MF_BYPOSITION);
  UINT position = 0;
  for (TMenuItem* item : items_) {
    if (!item->visible_) continue;
    std::string text;
    MENUITEMINFOA info = item->EntryInfo(text);
    InsertMenuItemA(handle_, position++, TRUE, &info);
  }
}

void TMenuItem::FillTree() {
  if (handle_) Fill();
  for (TMenuItem* item : items_) item->FillTree();
}

void TMenuItem::Changed() {
  if (parent_ && parent_->handle_ && visible_) {
    // The entry's place among the shown entries of the parent's menu.
    UINT position = 0;
    for (TMenuItem* sibling : parent_->items_) {
      if (sibling == this) break;
      if (sibling->visible_) ++position;
    }
    std::string text;
    MENUITEMINFOA info = EntryInfo(text);
    SetMenuItemInfoA(parent_->handle_, position, TRUE, &info);
  }
  NotifyMenu();
}

void TMenuItem::ItemsChanged() {
  if (handle_) Fill();
  // Gaining the first sub-item or losing the last one turns the entry into a sub-menu or back.
  Changed();
}

void TMenuItem::NotifyMenu() const {
  TMenu* menu = GetParentMenu();
  if (!menu || menu->Destroying() || (menu->Owner() && menu->Owner()->Destroying())) return;
  if (menu->OnChange) menu->OnChange();
}

TMenuItem* TMenuItem::FindCommand(UINT command) {
  if (command_ == command) return this;
  for (TMenuItem* item : items_)
    if (TMenuItem* found = item->FindCommand(command)) return found;
  return nullptr;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut shortCut) {
  for (TMenuItem* item : items_) {
    if (!item->visible_ || !item->enabled_ || item->IsLine()) continue;
    if (item->items_.empty() && item->shortCut_ == shortCut) return item;
    if (TMenuItem* found = item->FindShortCut(shortCut)) return found;
  }
  return nullptr;
}

void TMenuItem::Click() {
  if (enabled_ && OnClick) OnClick(this);
}

// ---- TMenu ----

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(this)) {
  items_->menu_ = this;
}

TMenu::~TMenu() {
  SetDestroying();
  items_->menu_ = nullptr;
}

void TMenu::SetOwnerDraw(bool ownerDraw) {
  if (ownerDraw == ownerDraw_) return;
  ownerDraw_ = ownerDraw;
  items_->FillTree();
  items_->NotifyMenu();
}

void TMenu::SetImages(TImageList* images) {
  images_ = images;
  items_->NotifyMenu();
}

TMenuItem* TMenu::ItemFromHandle(HMENU menu) {
  auto it = MenuOwners().find(menu);
  return it != MenuOwners().end() ? it->second : nullptr;
}

bool TMenu::InitPopup(HMENU menu) {
  TMenuItem* item = ItemFromHandle(menu);
  if (!item) return false;
  if (item->OnPopup) item->OnPopup(item);
  return true;
}

bool TMenu::IsShortCut(TShortCut shortCut) {
  TMenuItem* item = items_->FindShortCut(shortCut);
  if (!item) return false;
  item->Click();
  return true;
}

bool TMenu::DispatchCommand(UINT command) {
  TMenuItem* item = items_->FindCommand(command);
  if (!item || item == items_) return false;
  item->Click();
  return true;
}

void TPopupMenu::Popup(int x, int y, HWND owner) {
  SetForegroundWindow(owner);
  UINT command = TrackPopupMenu(Handle(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0,
                                owner, nullptr);
  if (command) DispatchCommand(command);
}

}  // namespace fw
