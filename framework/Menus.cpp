#include "framework/Menus.h"

#include <algorithm>

namespace fw {

namespace {

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

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(NextCommand()) {}

TMenuItem::~TMenuItem() {
  // Sub-items belong to their owner, which releases them; they only lose their place here.
  for (TMenuItem* item : items_) item->parent_ = nullptr;
  items_.clear();
  if (parent_) parent_->Remove(this);
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
  visible_ = visible;
  Changed();
}

void TMenuItem::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Changed();
}

void TMenuItem::Add(TMenuItem* item) {
  if (item->parent_) item->parent_->Remove(item);
  item->parent_ = this;
  items_.push_back(item);
  Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
  Changed();
}

void TMenuItem::Changed() {
  TMenuItem* root = this;
  while (root->parent_) root = root->parent_;
  if (root->menu_) root->menu_->Rebuild();
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

void TMenuItem::AppendTo(HMENU menu) const {
  for (const TMenuItem* item : items_) {
    if (!item->visible_) continue;
    if (item->IsLine()) {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    std::string text = item->caption_;
    if (std::string keys = ShortCutToText(item->shortCut_); !keys.empty()) text += "\t" + keys;
    UINT flags = MF_STRING | (item->enabled_ ? MF_ENABLED : MF_GRAYED);
    if (item->items_.empty()) {
      AppendMenuA(menu, flags, item->command_, text.c_str());
    } else {
      HMENU sub = CreatePopupMenu();
      item->AppendTo(sub);
      AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), text.c_str());
    }
  }
}

// ---- TMenu ----

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(this)) {
  items_->menu_ = this;
}

TMenu::~TMenu() {
  SetDestroying();
  items_->menu_ = nullptr;
  if (handle_) DestroyMenu(handle_);
}

HMENU TMenu::Handle() {
  if (!handle_) {
    handle_ = CreateMenuHandle();
    items_->AppendTo(handle_);
  }
  return handle_;
}

void TMenu::Rebuild() {
  if (!handle_ || Destroying() || (Owner() && Owner()->Destroying())) return;
  HMENU old = handle_;
  handle_ = nullptr;
  Handle();
  if (OnChange) OnChange();
  DestroyMenu(old);
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
