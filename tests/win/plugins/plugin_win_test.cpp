// Real plug-in libraries in the "plugin" folder beside the test: discovery, names, calls,
// unloading after every call, and the plug-in that ships with the program.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <thread>

#include "app/plugins/untPlugin.h"
#include "text/Paths.h"
#include "platform/Host.h"
#include "tests/win/plugins/TestPluginRecords.h"

namespace {

using testing_support::Counter;

std::string PluginDir() {
  return fw::ExtractFileDir(platform::CurrentHost().ExecutablePath()) + "\\plugin\\";
}

TEST(PluginWinTest, ListsLibrariesAndAFolderNamedLikeOne) {
  std::string folder = PluginDir() + "x.dll";
  CreateDirectoryA(folder.c_str(), nullptr);
  std::vector<std::string> paths = GetPluginList();
  RemoveDirectoryA(folder.c_str());
  std::sort(paths.begin(), paths.end());
  std::string dir = PluginDir();
  EXPECT_EQ(paths,
            (std::vector<std::string>{dir + "empty.dll", dir + "named.dll", dir + "noexports.dll",
                                      dir + "second.dll", dir + "silent.dll", dir + "x.dll"}));
  EXPECT_EQ(GetPluginName(folder), "") << "a folder cannot be loaded";
}

TEST(PluginWinTest, NamesFromEachKindOfPlugin) {
  std::string dir = PluginDir();
  EXPECT_EQ(GetPluginName(dir + "named.dll"), "Test Plugin One");
  EXPECT_EQ(GetPluginName(dir + "empty.dll"), "");
  EXPECT_EQ(GetPluginName(dir + "named.dll"), "Test Plugin One");
  EXPECT_EQ(GetPluginName(dir + "missing.dll"), "") << "not the previous plug-in's name";
  EXPECT_EQ(GetPluginName(dir + "noexports.dll"), "");
  EXPECT_EQ(GetPluginName(dir + "silent.dll"), "");
}

TEST(PluginWinTest, EveryCallLoadsAndUnloads) {
  std::string named = PluginDir() + "named.dll";
  int loads = Counter("DK_TEST_PLUGIN_LOADS"), unloads = Counter("DK_TEST_PLUGIN_UNLOADS");
  int owner = 0;
  SetPluginOwnerWindow(&owner);
  ShowPluginAbout(named);
  SetPluginOwnerWindow(nullptr);
  ShowPluginForm(named);
  ShowPluginForm(named);
  ShowPluginAbout(PluginDir() + "noexports.dll");
  EXPECT_EQ(testing_support::Recorded("DK_TEST_ABOUT_OWNER"), testing_support::OwnerText(&owner));
  EXPECT_EQ(Counter("DK_TEST_FORM_SHOWS"), 2);
  EXPECT_EQ(Counter("DK_TEST_PLUGIN_LOADS") - loads, 4);
  EXPECT_EQ(Counter("DK_TEST_PLUGIN_UNLOADS") - unloads, 4);
  EXPECT_EQ(GetModuleHandleA(named.c_str()), nullptr);
}

// Closes the first top-level window of the process with this caption once it shows.
std::thread CloseWhenShown(const char* caption) {
  return std::thread([caption] {
    for (int i = 0; i < 200; ++i) {
      if (HWND wnd = FindWindowA(nullptr, caption)) {
        PostMessageA(wnd, WM_CLOSE, 0, 0);
        return;
      }
      Sleep(50);
    }
  });
}

TEST(PluginWinTest, ShippedPluginNamesItselfAndClosesItsWindows) {
  EXPECT_EQ(GetPluginName(DK_SAMPLE_PLUGIN), "Driver List Exporter");
  std::thread closer = CloseWhenShown("Driver List Exporter");
  ShowPluginForm(DK_SAMPLE_PLUGIN);
  closer.join();
  EXPECT_EQ(FindWindowA(nullptr, "Driver List Exporter"), nullptr);
  closer = CloseWhenShown("About Driver List Exporter");
  ShowPluginAbout(DK_SAMPLE_PLUGIN);
  closer.join();
  EXPECT_EQ(GetModuleHandleA("DriverListExport.dll"), nullptr);
}

}  // namespace
