#include "skin/forms/sDialogFrame.h"

namespace {

// Window style bits, named here because this file is portable.
constexpr uint32_t kBorder = 0x00800000, kDlgFrame = 0x00400000, kThickFrame = 0x00040000;
constexpr uint32_t kMinimizeBox = 0x00020000, kMaximizeBox = 0x00010000;
constexpr uint32_t kExDlgModalFrame = 0x1, kExToolWindow = 0x80, kExContextHelp = 0x400;

bool HasBoxes(const TsDialogFacts& f) {
  return f.HasSysMenu && !IsToolWindow(f) && (f.Style & (kMinimizeBox | kMaximizeBox));
}

}  // namespace

TsBorderKind DialogBorderKind(uint32_t style, uint32_t exStyle) {
  bool thick = style & kThickFrame;
  if (!thick && !(style & (kBorder | kDlgFrame))) return TsBorderKind::None;
  if (exStyle & kExToolWindow) return thick ? TsBorderKind::SizeToolWin : TsBorderKind::ToolWindow;
  if (thick) return TsBorderKind::Sizeable;
  if ((exStyle & kExDlgModalFrame) || !(style & kBorder)) return TsBorderKind::Dialog;
  return TsBorderKind::Single;
}

bool IsToolWindow(const TsDialogFacts& f) {
  return f.ExStyle & kExToolWindow;
}

TsTitleButtonRules DialogButtonRules(const TsDialogFacts& f) {
  TsTitleButtonRules r;
  r.HasSysMenu = f.HasSysMenu && f.HasCloseItem;
  r.CanClose = f.CloseEnabled;
  bool boxes = HasBoxes(f);
  r.VisibleMax = boxes;
  r.VisibleMin = boxes;
  r.VisibleHelp = f.HasSysMenu && !boxes && (f.ExStyle & kExContextHelp);
  r.EnabledMax = boxes && (f.Style & kMaximizeBox);
  r.EnabledMin = boxes && (f.Style & kMinimizeBox) && !f.Minimized;
  r.EnabledRestore = f.Minimized || (f.Maximized && (f.Style & kMaximizeBox));
  return r;
}

std::array<TsMenuItemState, kDialogMenuItems> DialogMenuItems(const TsDialogFacts& f) {
  TsBorderKind bs = DialogBorderKind(f.Style, f.ExStyle);
  bool normal = !f.Minimized && !f.Maximized;
  bool boxes = HasBoxes(f);
  bool canMin = boxes && (f.Style & kMinimizeBox), canMax = boxes && (f.Style & kMaximizeBox);
  bool sizeable =
      bs != TsBorderKind::None && bs != TsBorderKind::Dialog && bs != TsBorderKind::ToolWindow;
  std::array<TsMenuItemState, kDialogMenuItems> items;
  items[dmRestore] = {canMin || canMax, !normal};
  items[dmMove] = {true, normal};
  items[dmSize] = {sizeable, normal && (f.Style & kThickFrame)};
  items[dmMinimize] = {canMin, !f.Minimized};
  items[dmMaximize] = {canMax, !f.Maximized};
  // A dialog that greys its close command (one that must not be cancelled now) keeps the item
  // greyed too: the item would close it as the button would.
  items[dmClose] = {f.HasSysMenu && f.HasCloseItem, f.CloseEnabled};
  return items;
}
