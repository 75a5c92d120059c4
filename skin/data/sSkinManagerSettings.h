// The setting objects a skin manager publishes: effect switches, the animation settings, the menu
// options and the class-name lists the form skinning adopts controls by.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Glowing needs layered-window updating; without it the switch reads false whatever was set.
class TveSkinEffects {
 public:
  bool AllowGlowing() const;
  void SetAllowGlowing(bool value) { allowGlowing_ = value; }
  bool AllowAeroBluring = true;

 private:
  bool allowGlowing_ = true;
};

enum class TveAnimType { atFading, atAero };

class TveFormAnimation {
 public:
  virtual ~TveFormAnimation() = default;
  bool Active = true;
  uint16_t Time = 0;  // milliseconds
  TveAnimType Mode = TveAnimType::atAero;
};

class TveBlendOnMoving : public TveFormAnimation {
 public:
  TveBlendOnMoving() {
    Active = false;
    Time = 1000;
  }
  uint8_t BlendValue = 170;
};

enum TveBtnEvent : unsigned {
  beMouseEnter = 1,
  beMouseLeave = 2,
  beMouseDown = 4,
  beMouseUp = 8,
};

class TveBtnEffects : public TveFormAnimation {
 public:
  unsigned Events = beMouseEnter | beMouseLeave | beMouseDown | beMouseUp;
};

class TveDialogShow : public TveFormAnimation {};
class TveFormShow : public TveFormAnimation {};
class TveFormHide : public TveFormAnimation {};
class TvePageChange : public TveFormAnimation {};

class TveMinimizing : public TveFormAnimation {
 public:
  TveMinimizing() { Time = 200; }
};

class TveSkinChanging : public TveFormAnimation {
 public:
  TveSkinChanging() {
    Time = 100;
    Mode = TveAnimType::atFading;
  }
};

struct TveAnimEffects {
  TveBlendOnMoving BlendOnMoving;
  TveBtnEffects Buttons;
  TveDialogShow DialogShow;
  TveFormShow FormShow;
  TveFormHide FormHide;
  TveFormHide DialogHide;
  TveMinimizing Minimizing;
  TvePageChange PageChange;
  TveSkinChanging SkinChanging;
};

// A font as the menu painter creates it.
struct TveMenuFont {
  std::string Name = "Tahoma";
  int Height = -11;
  unsigned Style = 0;
  int32_t Color = 0;
};

struct TveMenuSupport {
  uint8_t AlphaBlend = 255;
  std::string IcoLineSkin;  // empty becomes "ICOLINE" when the manager finishes loading
  bool UseExtraLine = false;
  int32_t ExtraLineWidth = 32;
  TveMenuFont ExtraLineFont;
};

// The class-name lists, in their fixed index order.
enum class TveThirdKind {
  Edits,
  Buttons,
  BitBtns,
  CheckBoxes,
  ComboBoxes,
  Grids,
  GroupBoxes,
  ListViews,
  Panels,
  TreeViews,
  WWEdits,
  GridEh,
  VirtualTrees,
  PageControl,
  TabControl,
  ToolBar,
  StatusBar,
  SpeedButton,
  ScrollControl,
  UpDown,
  ScrollBar,
};
inline constexpr size_t kThirdListCount = 21;

inline constexpr std::array<std::string_view, kThirdListCount> kThirdListNames = {
    "ThirdEdits",        "ThirdButtons",     "ThirdBitBtns",       "ThirdCheckBoxes",
    "ThirdComboBoxes",   "ThirdGrids",       "ThirdGroupBoxes",    "ThirdListViews",
    "ThirdPanels",       "ThirdTreeViews",   "ThirdWWEdits",       "ThirdGridEh",
    "ThirdVirtualTrees", "ThirdPageControl", "ThirdTabControl",    "ThirdToolBar",
    "ThirdStatusBar",    "ThirdSpeedButton", "ThirdScrollControl", "ThirdUpDown",
    "ThirdScrollBar"};

// Each list as text, one class name a line, as it is set and published.
class ThirdPartyList {
 public:
  const std::string& Get(TveThirdKind kind) const { return lists_[size_t(kind)]; }
  void Set(TveThirdKind kind, std::string text) { lists_[size_t(kind)] = std::move(text); }

 private:
  std::array<std::string, kThirdListCount> lists_;
};

// A list of names that compares with letter case, as the form skinning matches class names.
class TveClassNameList {
 public:
  void SetText(std::string_view text);
  const std::vector<std::string>& Names() const { return names_; }
  int IndexOf(std::string_view name) const;

 private:
  std::vector<std::string> names_;
};
