#include "app/drivers/untSearchDriver.h"

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

void SearchDriver(TDriverRowSink& list, std::uint8_t mode) {
  if (BackupRunning()) return;
  list.Clear();
  if (mode != smRecommended && mode != smAll) return;
  std::string typeKey, type;
  // The captions listed so far (compared byte for byte). Kept here rather than asked of the
  // list: on the main window every such question walks the list view's rows with window
  // messages, which made the duplicate test the larger part of the scan at start-up.
  std::unordered_set<std::string> listed;
  ForEachDriverInstance([&](const std::string& classKey, const std::string& instanceKey) {
    std::vector<std::string> texts = RegReadStrings(
        kLocalMachine, instanceKey, {{"DriverDesc", ""}, {"ProviderName", kMicrosoft}});
    const std::string& desc = texts[0];
    const std::string& provider = texts[1];
    // The class description is the class key's default value, the same for all its instances.
    if (typeKey != classKey) {
      typeKey = classKey;
      type = RegReadString(kLocalMachine, classKey, "", "");
    }
    bool microsoft = provider == kMicrosoft;
    if (desc.empty() || (mode == smRecommended && microsoft)) return;
    if (!listed.insert(desc).second) return;
    list.AppendRow(desc, type, microsoft ? kMicrosoft : kRecommended, instanceKey);
  });
}
