// Which adapter and section a child window of a system dialog gets, from its class name and
// style. The choice is plain data so that the Win32 side can make the kinds it has adapters for
// and leave the others as the platform draws them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

enum class TveDialogChildKind {
  None,  // left as the platform draws it
  Static,
  Edge,  // a static with a sunken edge around an icon or bitmap
  Icon,
  TransPanel,  // a nested dialog page, or a folder browser's pane
  Panel,
  SilentPanel,
  Edit,  // edits, list boxes and the lists of combo boxes
  GroupBox,
  CheckBox,  // check boxes and radio buttons
  Button,
  ComboBox,
  Sizer,
  TabControl,
  ListView,
  Spin,
  Track,
  Link,
  ToolBar,
  TreeView,
  Progress,
};

struct TveDialogChildRule {
  TveDialogChildKind Kind = TveDialogChildKind::None;
  std::string Section;
  bool VisibleOnly = false;  // adopted only while it shows
  // Repainted at adoption only when the dialog's picture already exists.
  bool RepaintWithDialog = false;
};

// The rule for a child window; className in lower case.
TveDialogChildRule DialogChildRule(std::string_view className, uint32_t style, uint32_t exStyle);

// The class name in lower case (ASCII).
std::string LowerClassName(std::string_view name);
