// The main window on a fake machine: its configuration, a few drivers and the files of one of
// them, with the program in a made-up folder; and the same with two plug-ins beside it.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "app/core/Configuration.h"
#include "app/core/UtilFuncs.h"
#include "app/windows/untMain.h"
#include "framework/Application.h"
#include "text/Paths.h"
#include "support/FakeHost.h"
#include "tests/unit/drivers/DriverFakes.h"

namespace testing_support {

inline constexpr char kConfig[] =
    "[SYSTEM]\r\nName=Test Keeper\r\nVersion=2.5\r\nCopyright=Test makers\r\n"
    "HelpContectLink=help\\index.html\r\nHelpHomePageLink=https://example.org/\r\n"
    "HelpMoreFreeToolsLink=example.org/tools\r\n";

struct MainWindowTest : ::testing::Test {
  MainWindowTest() {
    host.files["C:\\Program Files\\Driver Keeper\\lamecore.dll"] = EncodeConfiguration(kConfig);
    fw::Application.SetTitle("Test Keeper");
    ms = "Microsoft";
    nvme = machine.AddDriver("{disk}", "0000", "Sorrel NX2 NVMe", "Sorrel Storage");
    machine.registry.SetString(nvme.substr(1), "DriverVersion", "1.3.0.0");
    machine.registry.SetString(nvme.substr(1), "InfPath", "oem30.inf");
    machine.files.AddFile("C:\\Windows\\inf\\oem30.inf",
                          "[Version]\r\ncatalogfile=sorrel.cat\r\n[SourceDisksFiles]\r\n"
                          "sorrelnx.sys=1\r\n");
    machine.files.AddFile("C:\\Windows\\system32\\drivers\\SorrelNX.sys", "driver");
    machine.AddDriver("{disk}", "0001", "Disk drive", ms);
    machine.AddDriver("{net}", "0000", "Veltra A/B: Adapter", "Veltra");
  }
  ~MainWindowTest() override {
    // Closing the main window ends the message loop; keep that from the next test.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  std::string Status() { return form->Sbar->PanelText(0); }
  void CheckAll() {
    for (int i = 0; i < form->lv->Count(); ++i) form->lv->Items(i).SetChecked(true);
  }

  testing_support::FakeHost host;
  testing_support::FakeMachine machine;
  std::string ms, nvme;
  std::unique_ptr<TfrmMain> form;
};

// The program's folder is the test's own, whose "plugin" folder holds the test plug-ins; the
// fake file system lists two of them there, "named" and then "second".
struct MainWindowWithPluginsTest : MainWindowTest {
  MainWindowWithPluginsTest() {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    host.exePath = exe;
    host.files[GetConfigFileName()] = EncodeConfiguration(kConfig);
    pluginDir = AddTrailingBackslash(fw::ExtractFileDir(exe)) + "plugin\\";
    for (const char* name : {"named.dll", "second.dll"})
      machine.files.AddFile(pluginDir + name, "");
    for (const char* record : {"DK_TEST_FORM_SHOWS", "DK_TEST_FORM_SHOWS_TWO",
                               "DK_TEST_ABOUT_OWNER", "DK_TEST_ABOUT_OWNER_TWO"})
      SetEnvironmentVariableA(record, nullptr);
  }
  std::string pluginDir;
};

}  // namespace testing_support
