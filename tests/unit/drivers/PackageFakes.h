// The system's driver installer as package restore sees it, over the in-memory file system of the
// driver tests, with the private staging folders in that file system too.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/DriverSetup.h"
#include "platform/FileSystemMemory.h"
#include "platform/StagingMemory.h"

namespace testing_support {

// Remembers the INF bytes it installed, and which INF each device update was given.
class FakeSetup : public platform::DriverSetup {
 public:
  explicit FakeSetup(platform::MemoryFileSystem& memory) : files(&memory), staging(memory) {}

  platform::MemoryFileSystem* files;
  platform::MemoryStaging staging;
  platform::ScopedInstall<platform::Staging> useStaging{staging};
  std::vector<std::string> installed;  // contents, in oem order
  std::vector<std::string> infPaths;   // the path of every INF given to install
  std::vector<std::string> updated;
  std::vector<std::string> updateInfs;           // the INF path of every update
  std::vector<platform::TDeviceUpdate> updates;  // what the next updates answer, in turn
  std::string refusal;
  std::string installError;  // when set, installing fails with it
  // Runs as an install begins, before the INF is read: another process acting meanwhile.
  std::function<void(const std::string& infPath)> onInstall;

  bool promptsAllowed = true;
  std::string architecture = "amd64";

  std::string DriverArchitecture() override { return architecture; }

  void AllowPrompts(bool allowed) override { promptsAllowed = allowed; }
  std::string InstallRefusal() override { return refusal; }
  std::string DriverStoreFolder(const std::string&) override { return {}; }
  platform::TInfInstall InstallInf(const std::string& infPath) override {
    infPaths.push_back(infPath);
    if (onInstall) onInstall(infPath);
    if (!installError.empty()) return {platform::TInfInstall::Failed, {}, installError};
    std::string content = files->Content(infPath).value_or("");
    for (size_t i = 0; i < installed.size(); ++i)
      if (installed[i] == content)
        return {platform::TInfInstall::Present, "oem" + std::to_string(100 + i) + ".inf", {}};
    installed.push_back(content);
    return {platform::TInfInstall::Installed,
            "oem" + std::to_string(99 + installed.size()) + ".inf",
            {}};
  }
  std::vector<std::string> PresentDeviceIds() override { return {"PCI\\VEN_1234&DEV_0001"}; }
  platform::TDeviceUpdate UpdateDevices(const std::string& id, const std::string& inf) override {
    updated.push_back(id);
    updateInfs.push_back(inf);
    if (updates.empty()) return {platform::TDeviceUpdate::Updated, false, {}};
    platform::TDeviceUpdate next = updates.front();
    updates.erase(updates.begin());
    return next;
  }
};

}  // namespace testing_support
