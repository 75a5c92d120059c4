// A world for skin manager tests: files in memory (read through the host, listed through the
// file system), a window system that records what the manager tells it, and the test skin.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/FileSystemMemory.h"
#include "skin/data/sSkinWindows.h"
#include "skin/data/sStoredSkins.h"
#include "support/FakeHost.h"

namespace manager_test {

class RecordingWindows final : public TsSkinWindows {
 public:
  // "all:1" or "app:3" for broadcasts, "w<n>:30" for a window, "c<n>:30" for a control.
  std::vector<std::string> log;
  std::vector<std::string> commandLine;
  bool layered = true;
  bool controlHasMouse = false;
  int creationHooks = 0;  // installed minus removed

  void Broadcast(TsSkinManager&, uint16_t command, TsBroadcastScope scope) override;
  void SendToWindow(void* window, uint16_t command, TsSkinManager&) override;
  void SendToControl(fw::TControl* control, uint16_t command, TsSkinManager&) override;
  bool ControlHasMouse(fw::TControl*) override { return controlHasMouse; }
  void RepaintSystemWindows() override {}
  void InstallCreationHook(TsSkinManager&) override { creationHooks = 1; }
  void RemoveCreationHook() override { creationHooks = 0; }
  void HookApplicationWindow(TsSkinManager&) override {}
  void UnhookApplicationWindow(TsSkinManager&) override {}
  bool LayeredWindowsAvailable() override { return layered; }
  std::vector<std::string> CommandLine() override { return commandLine; }
  void* MessageOwner() override { return nullptr; }
  std::string ApplicationTitle() override { return "Driver Keeper"; }
};

// The members of the test skin "Slate", with its VERSION line replaced when version is given.
std::map<std::string, std::string> SlateMembers(const std::string& version = "");
std::string PackedSlate(const std::string& version = "");

inline TsStoredSkin Stored(const std::string& name, const std::string& data = "") {
  TsStoredSkin skin;
  skin.Name = name;
  skin.Data = data;
  return skin;
}

struct World {
  World();
  ~World();

  testing_support::FakeHost host;
  platform::MemoryFileSystem files;
  RecordingWindows windows;

  // A file seen both by reading (under the path as given) and by listing (relative paths
  // below the memory file system's current folder).
  void AddFile(const std::string& path, const std::string& content);
  void AddSkinFolder(const std::string& folder, const std::map<std::string, std::string>& members);
  std::vector<std::string> Messages() const;

 private:
  platform::FileSystem* previousFiles_;
  TsSkinWindows* previousWindows_;
};

}  // namespace manager_test
