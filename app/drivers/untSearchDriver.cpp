#include "app/drivers/untSearchDriver.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

#include "app/drivers/BackupState.h"
#include "app/drivers/untReg.h"

namespace {
const char kMicrosoft[] = "Microsoft";
const char kRecommended[] = "Recommended";
// Instance keys are numbered "0000", "0001", ...; longer names (such as "Properties") are not.
const size_t kMaxInstanceName = 4;
}  // namespace

void ForEachDriverInstance(
    const std::function<void(const std::string& classKey, const std::string& instanceKey)>& visit) {
  for (const std::string& className : RegGetSubKeyNames(kLocalMachine, kClassRoot)) {
    std::string classKey = kClassRoot + className;
    for (const std::string& instance : RegGetSubKeyNames(kLocalMachine, classKey))
      if (instance.size() <= kMaxInstanceName) visit(classKey, classKey + "\\" + instance);
  }
}

TDriverInventory::TClass TDriverInventory::ReadClass(const std::string& name) {
  std::string classKey = kClassRoot + name;
  // Watched before reading: a change made while reading shows at the next scan.
  TClass read{name, RegWatchTree(kLocalMachine, classKey), {}};
  std::string type;
  for (const std::string& instance : RegGetSubKeyNames(kLocalMachine, classKey)) {
    if (instance.size() > kMaxInstanceName) continue;
    std::string instanceKey = classKey + "\\" + instance;
    std::vector<std::string> texts = RegReadStrings(
        kLocalMachine, instanceKey, {{"DriverDesc", ""}, {"ProviderName", kMicrosoft}});
    // The class description is the class key's default value, the same for all its instances.
    if (read.instances.empty()) type = RegReadString(kLocalMachine, classKey, "", "");
    read.instances.push_back({instanceKey, type, std::move(texts[0]), std::move(texts[1])});
  }
  return read;
}

const std::vector<TDriverInstance>& TDriverInventory::Instances() {
  if (watch_ && !watch_->Changed()) return instances_;
  // Something below the class root changed (or nothing was read yet): the classes are listed
  // again, and each one whose own watch saw nothing is kept as it was read.
  watch_ = RegWatchTree(kLocalMachine, kClassRoot);
  std::vector<TClass> kept = std::move(classes_);
  classes_.clear();
  for (const std::string& name : RegGetSubKeyNames(kLocalMachine, kClassRoot)) {
    auto same =
        std::find_if(kept.begin(), kept.end(), [&](const TClass& c) { return c.name == name; });
    classes_.push_back(same != kept.end() && !same->watch->Changed() ? std::move(*same)
                                                                     : ReadClass(name));
  }
  instances_.clear();
  for (const TClass& c : classes_)
    instances_.insert(instances_.end(), c.instances.begin(), c.instances.end());
  return instances_;
}

void SearchDriver(TDriverRowSink& list, std::uint8_t mode, TDriverInventory& inventory) {
  if (BackupRunning()) return;
  list.Clear();
  if (mode != smRecommended && mode != smAll) return;
  // The captions listed so far (compared byte for byte). Kept here rather than asked of the
  // list: on the main window every such question walks the list view's rows with window
  // messages, which made the duplicate test the larger part of the scan at start-up.
  std::unordered_set<std::string_view> listed;
  for (const TDriverInstance& driver : inventory.Instances()) {
    bool microsoft = driver.provider == kMicrosoft;
    if (driver.description.empty() || (mode == smRecommended && microsoft)) continue;
    if (!listed.insert(driver.description).second) continue;
    list.AppendRow(driver.description, driver.type, microsoft ? kMicrosoft : kRecommended,
                   driver.keyPath);
  }
}
