#include "skin/controls/sDialogChildKinds.h"

#include <cctype>

namespace {

using K = TveDialogChildKind;

// Style bits of the platform's controls, named here because this file is portable.
constexpr uint32_t kStaticTypeMask = 0x1F;
constexpr uint32_t kStaticIcon = 0x03, kStaticBitmap = 0x0E, kStaticOwnerDraw = 0x0D;
constexpr uint32_t kStaticGrayRect = 0x05, kStaticWhiteRect = 0x06, kStaticSimple = 0x0B;
constexpr uint32_t kExStaticEdge = 0x00020000;
constexpr uint32_t kButtonTypeMask = 0x0F;
constexpr uint32_t kScrollSizeGrip = 0x10;
constexpr uint32_t kTabOwnerDrawFixed = 0x2000;
constexpr uint32_t kToolBarFlat = 0x200;
constexpr uint32_t kProgressMarquee = 0x08;

TveDialogChildRule Rule(K kind, const char* section) {
  return {kind, section};
}

TveDialogChildRule StaticRule(uint32_t style, uint32_t exStyle) {
  uint32_t type = style & kStaticTypeMask;
  // Icons and bitmaps are told by their whole type: a mask of the low bits would take simple
  // text statics (type 11) and black frames (type 7) for icons.
  if (type == kStaticIcon || type == kStaticBitmap)
    return exStyle & kExStaticEdge ? Rule(K::Edge, "EDIT") : Rule(K::Icon, "CHECKBOX");
  if ((style & kStaticOwnerDraw) == kStaticOwnerDraw || type == kStaticGrayRect ||
      type == kStaticWhiteRect || type == kStaticSimple)
    return {};
  return Rule(K::Static, "CHECKBOX");
}

// Buttons by their whole type. Plain check boxes (type 2) are check boxes too, and owner-drawn
// buttons (11), split buttons (12, 13), command links (14, 15) and user buttons (8) keep the
// platform's look, as they do on the program's own forms.
TveDialogChildRule ButtonRule(uint32_t style) {
  switch (style & kButtonTypeMask) {
    case 0:
    case 1:
      return Rule(K::Button, "BUTTON");
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 9:
      return Rule(K::CheckBox, "CHECKBOX");
    case 7:
      return Rule(K::GroupBox, "GROUPBOX");
    default:
      return {};
  }
}

TveDialogChildRule TextEntry(K kind, const char* section, bool visibleOnly,
                             bool repaintWithDialog) {
  TveDialogChildRule r = Rule(kind, section);
  r.VisibleOnly = visibleOnly;
  r.RepaintWithDialog = repaintWithDialog;
  return r;
}

}  // namespace

std::string LowerClassName(std::string_view name) {
  std::string lower(name);
  for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

TveDialogChildRule DialogChildRule(std::string_view c, uint32_t style, uint32_t exStyle) {
  if (c == "static") return StaticRule(style, exStyle);
  if (c == "#32770" || c == "shbrowseforfolder") return Rule(K::TransPanel, "CHECKBOX");
  if (c == "tpanel") return Rule(K::Panel, "CHECKBOX");
  if (c == "tsilentpaintpanel") return Rule(K::SilentPanel, "GROUPBOX");
  if (c == "edit") return TextEntry(K::Edit, "EDIT", true, true);
  if (c == "button") return ButtonRule(style);
  if (c == "combobox") return TextEntry(K::ComboBox, "COMBOBOX", false, true);
  if (c == "combolbox") return Rule(K::Edit, "COMBOBOX");
  if (c == "comboboxex32") return Rule(K::ComboBox, "COMBOBOX");
  if (c == "scrollbar")
    return style & kScrollSizeGrip ? Rule(K::Sizer, "CHECKBOX") : TveDialogChildRule{};
  if (c == "systabcontrol32")
    return style & kTabOwnerDrawFixed ? TveDialogChildRule{} : Rule(K::TabControl, "PAGECONTROL");
  if (c == "syslistview32") return Rule(K::ListView, "EDIT");
  if (c == "msctls_updown32") return Rule(K::Spin, "SPEEDBUTTON_SMALL");
  if (c == "msctls_trackbar32") return Rule(K::Track, "TRACKBAR");
  if (c == "listbox") return Rule(K::Edit, "EDIT");
  if (c == "link window" || c == "syslink") return Rule(K::Link, "CHECKBOX");
  if (c == "toolbarwindow32") return Rule(K::ToolBar, style & kToolBarFlat ? "BAR" : "CHECKBOX");
  if (c == "systreeview32") return Rule(K::TreeView, "EDIT");
  // A marquee has no position to show: it keeps the platform's moving block.
  if (c == "msctls_progress32")
    return style & kProgressMarquee ? TveDialogChildRule{} : Rule(K::Progress, "GAUGE");
  return {};
}
