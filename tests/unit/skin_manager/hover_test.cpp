// Hover tracking through the manager, and the preview block of a skin editor.
#include <gtest/gtest.h>

#include <cstring>

#include "ManagerWorld.h"
#include "skin/data/sSkinCommands.h"
#include "skin/data/sSkinManager.h"

namespace {

using manager_test::World;
using Log = std::vector<std::string>;

// The manager never looks inside a control; plain addresses stand for them here.
fw::TControl* Control(uintptr_t id) {
  return reinterpret_cast<fw::TControl*>(id);
}
void* Window(uintptr_t id) {
  return reinterpret_cast<void*>(id);
}

struct HoverTest : ::testing::Test {
  World world;
  TsSkinManager manager{nullptr};
};

TEST_F(HoverTest, MovingBetweenWindowsTellsTheOldOneFirst) {
  manager.SetHotWindow(Window(1));
  manager.SetHotWindow(Window(1));
  EXPECT_EQ(world.windows.log, Log{"w1:29"});
  manager.SetHotWindow(Window(2));
  manager.SetHotWindow(nullptr);
  EXPECT_EQ(world.windows.log, (Log{"w1:29", "w1:30", "w2:29", "w2:30"}));
  EXPECT_EQ(manager.HotWindow(), nullptr);
}

TEST_F(HoverTest, AHotControlReplacesTheHotWindowSilently) {
  manager.SetHotWindow(Window(1));
  manager.SetHotControl(Control(7));
  EXPECT_EQ(manager.HotWindow(), nullptr);
  EXPECT_EQ(manager.HotControl(), Control(7));
  manager.SetHotControl(Control(8));
  EXPECT_EQ(world.windows.log, (Log{"w1:29", "c7:30"}));
}

TEST_F(HoverTest, AControlThatStillHasTheMouseStaysHot) {
  manager.SetHotControl(Control(7));
  world.windows.controlHasMouse = true;
  manager.SetHotControl(nullptr);
  EXPECT_EQ(manager.HotControl(), Control(7));
  // A window becoming hot while a control stays hot: the window is taken, and the next window
  // change asks the control again and stops there.
  manager.SetHotWindow(Window(1));
  manager.SetHotWindow(Window(2));
  EXPECT_EQ(manager.HotWindow(), Window(1));
  world.windows.controlHasMouse = false;
  manager.SetHotWindow(Window(2));
  EXPECT_EQ(manager.HotControl(), nullptr);
  EXPECT_EQ(world.windows.log, (Log{"w1:29", "c7:30", "w1:30", "w2:29"}));
}

std::vector<char> PreviewBlock(uint32_t marker, const std::string& name, const std::string& dir,
                               const std::string& options) {
  std::vector<char> block(kPreviewBlockSize, 0);
  std::memcpy(block.data(), &marker, 4);
  std::memcpy(block.data() + kPreviewNameOffset, name.data(), name.size());
  std::memcpy(block.data() + kPreviewDirOffset, dir.data(), dir.size());
  std::memcpy(block.data() + kPreviewOptionsOffset, options.data(), options.size());
  return block;
}

TEST_F(HoverTest, PreviewBlockLoadsTheEditorsOptionsText) {
  const std::string options = "[GLOBALINFO]\r\nVERSION=8\r\n[PREVIEWED]\r\nCOLOR=0x10";
  std::vector<char> wrong = PreviewBlock(0xA401, "Edited", "d:\\Work", options);
  EXPECT_EQ(manager.LoadPreviewData(wrong.data(), wrong.size()), 0);
  EXPECT_FALSE(PreviewMode);
  EXPECT_EQ(manager.SkinName(), "");
  EXPECT_EQ(manager.LoadPreviewData(wrong.data(), 3), 0);

  std::vector<char> block = PreviewBlock(kPreviewMarker, "Edited", "d:\\Work", options);
  EXPECT_EQ(manager.LoadPreviewData(block.data(), block.size()), 1);
  EXPECT_TRUE(PreviewMode);
  EXPECT_FALSE(PreviewOptions.has_value());
  EXPECT_FALSE(manager.UpdatesLocked());
  EXPECT_EQ(manager.SkinName(), "Edited");
  EXPECT_EQ(manager.SkinDirectory(), "d:\\Work");
  EXPECT_GE(manager.FindSection("PREVIEWED"), 0);
  EXPECT_EQ(manager.GlobalInfo.SkinFolder, "d:\\Work\\Edited\\");
  EXPECT_EQ(world.windows.log, (Log{"all:1", "app:16", "app:3"}));
  PreviewMode = false;
}

TEST_F(HoverTest, PreviewFieldsEndAtTheBlocksEnd) {
  // A block cut short inside the options text still loads what is there.
  std::vector<char> block = PreviewBlock(kPreviewMarker, "Short", "d:\\Work", "[CUT]\r\nA=1");
  EXPECT_EQ(manager.LoadPreviewData(block.data(), kPreviewOptionsOffset + 5), 1);
  EXPECT_GE(manager.FindSection("CUT"), 0);
  PreviewMode = false;
}

}  // namespace
