#include "skin/forms/sSystemMenu.h"

#include <ctime>
#include <vector>

#include "framework/Application.h"
#include "skin/controls/sSkinableMenus.h"
#include "skin/forms/sSkinProvider.h"

using namespace fw;

namespace {

constexpr std::string_view kInternalMarker = "(internal)";

bool IsMinimized(TForm* form) {
  return IsIconic(form->Handle());
}

// Items and their sub-items are all owned by the menu; each goes when its place goes.
void DeleteItem(TMenuItem* item) {
  while (item->Count() > 0) DeleteItem(item->Items(item->Count() - 1));
  delete item;
}

}  // namespace

std::string SkinNameFromCaption(const std::string& caption) {
  std::string name;
  for (char c : caption)
    if (c != '&') name += c;
  if (size_t at = name.find(kInternalMarker); at != std::string::npos)
    name.resize(at + kInternalMarker.size());
  return name;
}

TsSystemMenu::TsSystemMenu(TsSkinProvider& provider) : TPopupMenu(&provider), provider_(provider) {
  SetName("veSysMenu" + std::to_string(GetTickCount()));
  TakePlatformMenu();
  Build();
}

void TsSystemMenu::TakePlatformMenu() {
  // Taken while the platform still offers it: the provider hides it from the platform next.
  platformMenu_ = GetSystemMenu(provider_.Form()->Handle(), FALSE);
}

HMENU TsSystemMenu::PlatformMenu() const {
  return platformMenu_;
}

TMenuItem* TsSystemMenu::AddCommand(UINT command, const char* fallback) {
  auto* item = new TMenuItem(this);
  char text[256] = {};
  HMENU platform = PlatformMenu();
  bool found = platform && GetMenuStringA(platform, command, text, sizeof text, MF_BYCOMMAND) > 0;
  item->SetCaption(found ? text : fallback);
  HWND wnd = provider_.Form()->Handle();
  item->OnClick = [wnd, command](TObject*) { SendMessageA(wnd, WM_SYSCOMMAND, command, 0); };
  item->SetTag(command);  // the menu painter draws the command's symbol
  Items()->Add(item);
  return item;
}

void TsSystemMenu::Build() {
  while (Items()->Count() > 0) DeleteItem(Items()->Items(Items()->Count() - 1));
  SetImages(nullptr);  // the merged sub-menu brings its own
  BuildSkinMenu();
  TveMenuItemPos merged = provider_.SysSubMenu.Position;
  if (merged == TveMenuItemPos::ipTop) AddMergedMenu("ve_TopDiv", false);
  restore_ = AddCommand(SC_RESTORE, "Restore");
  move_ = AddCommand(SC_MOVE, "Move");
  size_ = AddCommand(SC_SIZE, "Size");
  minimize_ = AddCommand(SC_MINIMIZE, "Minimize");
  maximize_ = AddCommand(SC_MAXIMIZE, "Maximize");
  auto* line = new TMenuItem(this);
  line->SetCaption("-");
  Items()->Add(line);
  // Items the application added to the platform's menu come along, posting their commands.
  if (HMENU platform = PlatformMenu()) {
    HWND wnd = provider_.Form()->Handle();
    for (int i = 0, n = GetMenuItemCount(platform); i < n; ++i) {
      UINT command = GetMenuItemID(platform, i);
      if (command == UINT(-1) || command == 0 || (command >= 0xF000 && command <= 0xF1FF)) continue;
      char text[256] = {};
      GetMenuStringA(platform, i, text, sizeof text, MF_BYPOSITION);
      auto* item = new TMenuItem(this);
      item->SetCaption(text);
      item->SetTag(command);
      item->OnClick = [wnd, command](TObject*) { PostMessageA(wnd, WM_SYSCOMMAND, command, 0); };
      Items()->Add(item);
    }
  }
  if (merged == TveMenuItemPos::ipBeforeClose) AddMergedMenu("ve_TopDiv", false);
  close_ = AddCommand(SC_CLOSE, "Close");
  if (merged == TveMenuItemPos::ipBottom) AddMergedMenu("ve_BtmDiv", true);
}

void TsSystemMenu::AddMergedMenu(const char* divider, bool dividerFirst) {
  const TveSysSubMenu& sub = provider_.SysSubMenu;
  if (sub.Caption.empty() || !sub.PopupMenu) return;
  auto* line = new TMenuItem(this);
  line->SetName(divider);
  line->SetCaption("-");
  auto* merged = new TMenuItem(this);
  merged->SetName("ve_SubMenu");
  merged->SetCaption(sub.Caption);
  CopyItems(sub.PopupMenu->Items(), merged);
  SetImages(sub.PopupMenu->Images());
  Items()->Add(dividerFirst ? line : merged);
  Items()->Add(dividerFirst ? merged : line);
}

void TsSystemMenu::CopyItems(TMenuItem* from, TMenuItem* to) {
  for (int i = 0; i < from->Count(); ++i) {
    TMenuItem* source = from->Items(i);
    auto* copy = new TMenuItem(this);
    copy->SetName(source->Name() + "Copy");
    copy->SetCaption(source->Caption());
    copy->SetShortCut(source->ShortCut());
    copy->SetChecked(source->Checked());
    copy->SetEnabled(source->Enabled());
    copy->SetImageIndex(source->ImageIndex());
    copy->OnClick = source->OnClick;
    CopyItems(source, copy);
    to->Add(copy);
  }
}

bool TsSystemMenu::VisibleClose() const {
  HMENU platform = PlatformMenu();
  return (provider_.Form()->BorderIcons() & biSystemMenu) && platform &&
         GetMenuState(platform, SC_CLOSE, MF_BYCOMMAND) != UINT(-1);
}

namespace {

bool BigBorder(TFormBorderStyle bs) {
  return bs == TFormBorderStyle::bsSingle || bs == TFormBorderStyle::bsSizeable;
}

}  // namespace

bool TsSystemMenu::VisibleMax() const {
  TForm* f = provider_.Form();
  return (f->BorderIcons() & biSystemMenu) &&
         (IsMinimized(f) || (BigBorder(f->BorderStyle()) && (f->BorderIcons() & biMaximize)));
}

bool TsSystemMenu::VisibleMin() const {
  TForm* f = provider_.Form();
  return (f->BorderIcons() & biSystemMenu) &&
         (IsMinimized(f) || (BigBorder(f->BorderStyle()) && (f->BorderIcons() & biMinimize)));
}

bool TsSystemMenu::EnabledMax() const {
  TForm* f = provider_.Form();
  TFormBorderStyle bs = f->BorderStyle();
  if (bs == TFormBorderStyle::bsNone || bs == TFormBorderStyle::bsDialog) return false;
  return f->BorderIcons() & biMaximize;
}

bool TsSystemMenu::EnabledMin() const {
  TForm* f = provider_.Form();
  bool minimizedChild = IsMinimized(f) && Application.MainForm() != f;
  return (f->BorderIcons() & biMinimize) && !minimizedChild;
}

bool TsSystemMenu::EnabledRestore() const {
  TForm* f = provider_.Form();
  HWND wnd = f->Handle();
  return ((f->BorderIcons() & biMaximize) && (IsZoomed(wnd) || IsIconic(wnd))) || IsIconic(wnd);
}

bool TsSystemMenu::CanClose() const {
  HMENU platform = PlatformMenu();
  if (!platform) return true;
  UINT state = GetMenuState(platform, SC_CLOSE, MF_BYCOMMAND);
  return state == UINT(-1) || !(state & (MF_GRAYED | MF_DISABLED));
}

TsTitleButtonRules TsSystemMenu::Rules() const {
  TsTitleButtonRules r;
  r.HasSysMenu = VisibleClose();
  r.VisibleMax = VisibleMax();
  r.VisibleMin = VisibleMin();
  r.CanClose = CanClose();
  r.EnabledMax = EnabledMax();
  r.EnabledMin = EnabledMin();
  r.EnabledRestore = EnabledRestore();
  return r;
}

void TsSystemMenu::UpdateItems() {
  TForm* f = provider_.Form();
  TFormBorderStyle bs = f->BorderStyle();
  bool sysMenu = f->BorderIcons() & biSystemMenu;
  bool minimized = IsMinimized(f);
  restore_->SetVisible(sysMenu && BigBorder(bs));
  restore_->SetEnabled(EnabledRestore());
  move_->SetEnabled(!IsZoomed(f->Handle()));
  size_->SetVisible(bs != TFormBorderStyle::bsNone && bs != TFormBorderStyle::bsDialog);
  size_->SetEnabled(bs != TFormBorderStyle::bsSingle && !minimized);
  minimize_->SetVisible(VisibleMin());
  minimize_->SetEnabled(EnabledMin());
  maximize_->SetVisible(VisibleMax());
  maximize_->SetEnabled(EnabledMax());
  close_->SetVisible(VisibleClose());
}

void TsSystemMenu::BuildSkinMenu() {
  TsSkinManager* manager = provider_.SkinManager();
  if (!provider_.MakeSkinMenu || !manager) return;
  std::vector<std::string> names;
  manager->GetSkinNames(names, sklBoth);
  if (names.empty()) return;
  auto* skinItem = new TMenuItem(this);
  skinItem->SetName("SkinSelectItem");
  skinItem->SetCaption("Available skins");
  Items()->Add(skinItem);
  for (size_t i = 0; i < names.size(); ++i) {
    auto* item = new TMenuItem(this);
    item->SetName("SkinSelectItem" + std::to_string(i));
    item->SetCaption(names[i]);
    item->SetRadioItem(true);
    item->SetChecked(names[i] == manager->SkinName());
    if (i > 0 && i % kSkinsPerColumn == 0) item->SetBreak(TMenuBreak::mbBreak);
    TsSkinProvider* provider = &provider_;
    item->OnClick = [provider, item](TObject*) {
      std::string name = SkinNameFromCaption(item->Caption());
      if (TsSkinManager* m = provider->SkinManager()) m->SetSkinName(name);
      if (provider->OnSkinSelected) provider->OnSkinSelected(name);
    };
    skinItem->Add(item);
  }
  auto* divider = new TMenuItem(this);
  divider->SetCaption("-");
  Items()->Add(divider);
}

void TsSystemMenu::Popup(int x, int y) {
  Build();
  UpdateItems();
  // The items are new every time: the skin's painter takes them over again.
  const TsSkinManager* manager = provider_.SkinManager();
  SkinableMenus().HookPopupMenu(
      this, manager && manager->Active() && manager->SkinnedPopups && provider_.Skinned());
  TPopupMenu::Popup(x, y, provider_.Form()->Handle());
}
