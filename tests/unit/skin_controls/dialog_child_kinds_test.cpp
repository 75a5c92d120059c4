// Which adapter and section each control of a system dialog gets, by class and style, including
// the button and static types whose low bits look alike.
#include <gtest/gtest.h>

#include "skin/controls/sDialogChildKinds.h"

TEST(DialogChildKinds, ClassAndStyleChooseTheAdapterAndSection) {
  using K = TveDialogChildKind;
  constexpr uint32_t kStaticEdge = 0x00020000;
  struct Row {
    const char* cls;
    uint32_t style, exStyle;
    K kind;
    const char* section;
  } rows[] = {
      {"static", 0x0, 0, K::Static, "CHECKBOX"},      // left-aligned text
      {"static", 0x3, 0, K::Icon, "CHECKBOX"},        // icon
      {"static", 0xE, kStaticEdge, K::Edge, "EDIT"},  // bitmap in a sunken edge
      {"static", 0xB, 0, K::None, ""},                // simple text: its own painting
      {"static", 0xD, 0, K::None, ""},                // owner-drawn
      {"static", 0x5, 0, K::None, ""},                // grey rectangle
      {"static", 0x7, 0, K::Static, "CHECKBOX"},      // a frame, not an icon
      {"button", 0x0, 0, K::Button, "BUTTON"},
      {"button", 0x1, 0, K::Button, "BUTTON"},      // default push button
      {"button", 0x2, 0, K::CheckBox, "CHECKBOX"},  // plain check box
      {"button", 0x3, 0, K::CheckBox, "CHECKBOX"},
      {"button", 0x4, 0, K::CheckBox, "CHECKBOX"},  // radio
      {"button", 0x9, 0, K::CheckBox, "CHECKBOX"},  // automatic radio
      {"button", 0x7, 0, K::GroupBox, "GROUPBOX"},
      {"button", 0xB, 0, K::None, ""},                     // owner-drawn
      {"button", 0xC, 0, K::None, ""},                     // split button
      {"button", 0x50010003, 0, K::CheckBox, "CHECKBOX"},  // window bits do not count
      {"edit", 0, 0, K::Edit, "EDIT"},
      {"listbox", 0, 0, K::Edit, "EDIT"},
      {"combolbox", 0, 0, K::Edit, "COMBOBOX"},
      {"combobox", 0, 0, K::ComboBox, "COMBOBOX"},
      {"syslistview32", 0, 0, K::ListView, "EDIT"},
      {"systreeview32", 0, 0, K::TreeView, "EDIT"},
      {"scrollbar", 0x10, 0, K::Sizer, "CHECKBOX"},
      {"scrollbar", 0x1, 0, K::None, ""},
      {"systabcontrol32", 0x2000, 0, K::None, ""},  // owner-drawn tabs
      {"systabcontrol32", 0, 0, K::TabControl, "PAGECONTROL"},
      {"toolbarwindow32", 0x200, 0, K::ToolBar, "BAR"},
      {"toolbarwindow32", 0, 0, K::ToolBar, "CHECKBOX"},
      {"#32770", 0, 0, K::TransPanel, "CHECKBOX"},
      {"msctls_updown32", 0, 0, K::Spin, "SPEEDBUTTON_SMALL"},
      {"msctls_progress32", 0x4, 0, K::Progress, "GAUGE"},  // vertical
      {"msctls_progress32", 0x8, 0, K::None, ""},           // marquee
      {"richedit20a", 0, 0, K::None, ""},
  };
  for (const Row& r : rows) {
    TveDialogChildRule rule = DialogChildRule(r.cls, r.style, r.exStyle);
    EXPECT_EQ(rule.Kind, r.kind) << r.cls << " " << std::hex << r.style;
    EXPECT_EQ(rule.Section, r.section) << r.cls << " " << std::hex << r.style;
  }
  EXPECT_TRUE(DialogChildRule("edit", 0, 0).VisibleOnly);
  EXPECT_TRUE(DialogChildRule("edit", 0, 0).RepaintWithDialog);
  EXPECT_FALSE(DialogChildRule("listbox", 0, 0).RepaintWithDialog);
  EXPECT_EQ(LowerClassName("SysListView32"), "syslistview32");
}
