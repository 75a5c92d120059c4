#include "skin/forms/veDialogSystemMenu.h"

#include "skin/controls/sSkinableMenus.h"
#include "skin/forms/veDialogWnd.h"

using namespace fw;

TveSystemMenu::TveSystemMenu(TveDialogWnd& owner, HMENU platformMenu)
    : TPopupMenu(nullptr), Owner(owner) {
  items_[dmRestore] = AddCommand(platformMenu, SC_RESTORE, "miRestore", "Restore");
  items_[dmMove] = AddCommand(platformMenu, SC_MOVE, "miMove", "Move");
  items_[dmSize] = AddCommand(platformMenu, SC_SIZE, "miSize", "Size");
  items_[dmMinimize] = AddCommand(platformMenu, SC_MINIMIZE, "miMinimize", "Minimize");
  items_[dmMaximize] = AddCommand(platformMenu, SC_MAXIMIZE, "miMaximize", "Maximize");
  auto* line = new TMenuItem(this);
  line->SetCaption("-");
  Items()->Add(line);
  items_[dmClose] = AddCommand(platformMenu, SC_CLOSE, "miClose", "Close");
  items_[dmClose]->SetShortCut(ShortCut(VK_F4, scAlt));
}

TMenuItem* TveSystemMenu::AddCommand(HMENU platformMenu, UINT command, const char* name,
                                     const char* fallback) {
  auto* item = new TMenuItem(this);
  item->SetName(name);
  // The platform's caption without its shortcut part: the item shows its own.
  char text[256] = {};
  bool found =
      platformMenu && GetMenuStringA(platformMenu, command, text, sizeof text, MF_BYCOMMAND) > 0;
  std::string caption = found ? text : fallback;
  caption.resize(std::min(caption.size(), caption.find('\t')));
  item->SetCaption(caption);
  item->SetTag(command);  // the menu painter draws the command's symbol
  HWND dialog = Owner.Handle;
  item->OnClick = [dialog, command](TObject*) { SendMessageA(dialog, WM_SYSCOMMAND, command, 0); };
  Items()->Add(item);
  return item;
}

void TveSystemMenu::UpdateItems() {
  auto states = DialogMenuItems(Owner.Facts());
  for (size_t i = 0; i < states.size(); ++i) {
    items_[i]->SetVisible(states[i].Visible);
    items_[i]->SetEnabled(states[i].Enabled);
  }
}

void TveSystemMenu::Popup(int x, int y) {
  UpdateItems();
  const TsSkinManager* manager = Owner.SkinManager;
  SkinableMenus().HookPopupMenu(this, manager && manager->Active() && manager->SkinnedPopups);
  TPopupMenu::Popup(x, y, Owner.Handle);
}
