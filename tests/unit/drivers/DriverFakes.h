// The machine of the driver tests: an in-memory registry and file system (Windows paths), the
// private-profile reading over that file system, and the main window's driver list, labels and
// backup controls as plain objects.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/drivers/BackupCommand.h"
#include "app/drivers/DriverList.h"
#include "platform/FileSystemMemory.h"
#include "platform/ProfileIni.h"
#include "platform/RegistryMemory.h"

namespace testing_support {

inline const std::string kClassKey = "SYSTEM\\CurrentControlSet\\Control\\Class";

// A fake machine, installed for the lifetime of the object.
struct FakeMachine {
  platform::MemoryRegistry registry;
  platform::MemoryFileSystem files;
  platform::IniProfile profile{[this](const std::string& path) { return files.Content(path); }};
  platform::ScopedInstall<platform::Registry> useRegistry{registry};
  platform::ScopedInstall<platform::FileSystem> useFiles{files};
  platform::ScopedInstall<platform::Profile> useProfile{profile};

  // Adds a driver instance below the class root; returns its key path as the scan writes it.
  std::string AddDriver(const std::string& classGuid, const std::string& instance,
                        const std::string& desc, const std::string* provider = nullptr) {
    std::string key = kClassKey + "\\" + classGuid + "\\" + instance;
    registry.AddKey(key);
    if (!desc.empty()) registry.SetString(key, "DriverDesc", desc);
    if (provider) registry.SetString(key, "ProviderName", *provider);
    return "\\" + key;
  }
  std::string AddDriver(const std::string& classGuid, const std::string& instance,
                        const std::string& desc, const std::string& provider) {
    return AddDriver(classGuid, instance, desc, &provider);
  }
};

struct Row {
  std::string caption, type, action, keyPath;
  bool checked = false;
};

// The driver list as both seams see it.
class FakeDriverList : public TDriverRowSink, public TDriverRows {
 public:
  std::vector<Row> rows;

  void Clear() override { rows.clear(); }
  int Count() const override { return static_cast<int>(rows.size()); }
  void AppendRow(const std::string& caption, const std::string& type, const std::string& action,
                 const std::string& keyPath) override {
    rows.push_back({caption, type, action, keyPath});
  }
  std::string Caption(int row) const override { return rows.at(row).caption; }
  bool Checked(int row) const override { return rows.at(row).checked; }
  std::string SubItem(int row, int index) const override {
    const Row& r = rows.at(row);
    return index == kTypeColumn ? r.type : index == kActionColumn ? r.action : r.keyPath;
  }
};

struct FakeLabel : TCaptionTarget {
  std::string caption = "...";
  void SetCaption(const std::string& text) override { caption = text; }
};

// The main window's status bar, Backup button and message processing, recorded in order.
class FakeBackupWindow : public TBackupWindow {
 public:
  std::vector<std::string> events;  // "status:...", "enabled:0/1", "messages"
  std::string status;
  bool enabled = true;
  // Runs on each message processing, to act like a user meanwhile.
  std::function<void()> onMessages;

  void SetStatusText(const std::string& text) override {
    status = text;
    events.push_back("status:" + text);
  }
  void SetBackupEnabled(bool on) override {
    enabled = on;
    events.push_back(on ? "enabled:1" : "enabled:0");
  }
  void ProcessMessages() override {
    events.push_back("messages");
    if (onMessages) onMessages();
  }
  void* Owner() override { return this; }
  std::string Title() override { return "Driver Keeper Test"; }
};

}  // namespace testing_support
