// The driver scan: which instances become rows, with what, and in which order.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "DriverFakes.h"
#include "app/drivers/BackupState.h"
#include "app/drivers/untSearchDriver.h"
#include "platform/RegistryMemory.h"

namespace {

using testing_support::FakeDriverList;
using testing_support::FakeMachine;

const std::string kNet = "{4d36e972-e325-11ce-bfc1-08002be10318}";
const std::string kDisplay = "{4d36e968-e325-11ce-bfc1-08002be10318}";

std::vector<std::string> Captions(const FakeDriverList& list) {
  std::vector<std::string> captions;
  for (const auto& row : list.rows) captions.push_back(row.caption);
  return captions;
}

TEST(SearchDriverTest, RowsCarryTypeActionAndKeyPath) {
  FakeMachine m;
  m.registry.SetString(testing_support::kClassKey + "\\" + kNet, "", "Network adapters");
  m.AddDriver(kNet, "0000", "Fast Ethernet", "Acme");
  m.AddDriver(kNet, "0001", "Loopback", "Microsoft");
  FakeDriverList list;
  TDriverInventory inventory;
  SearchDriver(list, smAll, inventory);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.rows[0].type, "Network adapters");
  EXPECT_EQ(list.rows[0].action, "Recommended");
  EXPECT_EQ(list.rows[0].keyPath,
            "\\SYSTEM\\CurrentControlSet\\Control\\Class\\" + kNet + "\\0000");
  EXPECT_EQ(list.rows[1].action, "Microsoft");
  SearchDriver(list, smRecommended, inventory);
  EXPECT_EQ(Captions(list), std::vector<std::string>{"Fast Ethernet"}) << "rows replaced";
}

TEST(SearchDriverTest, ProviderComparesExactly) {
  FakeMachine m;
  m.AddDriver(kNet, "0000", "No provider value");
  m.AddDriver(kNet, "0001", "Lower case", "microsoft");
  m.AddDriver(kNet, "0002", "Blank after", "Microsoft ");
  FakeDriverList list;
  TDriverInventory inventory;
  SearchDriver(list, smRecommended, inventory);
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"Lower case", "Blank after"}));
  SearchDriver(list, smAll, inventory);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.rows[0].action, "Microsoft") << "missing ProviderName counts as Microsoft";
}

TEST(SearchDriverTest, DuplicateDescriptionsKeepTheFirstMet) {
  FakeMachine m;
  m.AddDriver(kNet, "0000", "Same", "First");
  m.AddDriver(kNet, "0001", "Other", "Acme");
  m.AddDriver(kNet, "0002", "Same", "Apart in same class");
  m.AddDriver(kNet, "0003", "Other", "Adjacent");
  m.AddDriver(kDisplay, "0000", "Same", "Other class");
  m.AddDriver(kDisplay, "0001", "same", "Case differs");
  FakeDriverList list;
  TDriverInventory inventory;
  SearchDriver(list, smAll, inventory);
  ASSERT_EQ(Captions(list), (std::vector<std::string>{"Same", "Other", "same"}));
  EXPECT_EQ(list.rows[0].keyPath.substr(list.rows[0].keyPath.size() - 4), "0000");
}

TEST(SearchDriverTest, DuplicateTestOnlySeesListedRows) {
  FakeMachine m;
  // A Microsoft driver skipped in the recommended mode does not hide a later one of its name.
  m.AddDriver(kNet, "0000", "Shared", "Microsoft");
  m.AddDriver(kNet, "0001", "Shared", "Vendor");
  FakeDriverList list;
  TDriverInventory inventory;
  SearchDriver(list, smRecommended, inventory);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.rows[0].action, "Recommended");
}

TEST(SearchDriverTest, OnlyShortSubkeyNamesAreInstances) {
  FakeMachine m;
  m.AddDriver(kNet, "0000", "Four", "Acme");
  m.AddDriver(kNet, "12345", "Five", "Acme");
  m.AddDriver(kNet, "Properties", "Props", "Acme");
  m.AddDriver(kNet, "9", "One", "Acme");
  FakeDriverList list;
  TDriverInventory inventory;
  SearchDriver(list, smAll, inventory);
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"Four", "One"}));
}

TEST(SearchDriverTest, EmptyDescriptionsAndMissingClassDescription) {
  FakeMachine m;
  m.AddDriver(kNet, "0000", "", "Acme");
  m.registry.SetString(testing_support::kClassKey + "\\" + kNet + "\\0001", "DriverDesc", "");
  m.AddDriver(kNet, "0002", "Listed", "Acme");
  FakeDriverList list;
  TDriverInventory inventory;
  SearchDriver(list, smAll, inventory);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.rows[0].type, "") << "class key without default value";
}

TEST(SearchDriverTest, UnreadableMachineGivesEmptyList) {
  FakeMachine m;
  FakeDriverList list;
  TDriverInventory inventory;
  list.AppendRow("stale", "", "", "");
  SearchDriver(list, smAll, inventory);
  EXPECT_EQ(list.Count(), 0);
  m.AddDriver(kNet, "0000", "Hidden", "Acme");
  m.registry.DenyAccess(testing_support::kClassKey + "\\" + kNet);
  SearchDriver(list, smAll, inventory);
  EXPECT_EQ(list.Count(), 0);
}

TEST(SearchDriverTest, DoesNotTouchTheListWhileABackupRuns) {
  FakeMachine m;
  m.AddDriver(kNet, "0000", "New", "Acme");
  FakeDriverList list;
  TDriverInventory inventory;
  list.AppendRow("Being backed up", "", "Recommended", "\\x");
  {
    TBackupRunScope run;
    SearchDriver(list, smAll, inventory);
    EXPECT_EQ(Captions(list), std::vector<std::string>{"Being backed up"});
  }
  SearchDriver(list, smAll, inventory);
  EXPECT_EQ(Captions(list), std::vector<std::string>{"New"});
}

// Counts the reads that reach the registry in use behind it.
class CountingRegistry final : public platform::Registry {
 public:
  explicit CountingRegistry(platform::Registry& inner) : inner_(inner) {}
  int reads = 0;
  std::vector<std::string> valuesRead;  // the instance keys whose values were read, in order

  std::optional<platform::RegValue> QueryValue(platform::RegRoot root, const std::string& path,
                                               const std::string& name) override {
    ++reads;
    return inner_.QueryValue(root, path, name);
  }
  std::vector<std::optional<platform::RegValue>> QueryValues(
      platform::RegRoot root, const std::string& path,
      const std::vector<std::string>& names) override {
    ++reads;
    if (path.size() - path.rfind('\\') == 5)
      valuesRead.push_back(path.substr(path.rfind('\\', path.size() - 6) + 1));
    return inner_.QueryValues(root, path, names);
  }
  std::vector<std::string> SubKeyNames(platform::RegRoot root, const std::string& path) override {
    ++reads;
    return inner_.SubKeyNames(root, path);
  }
  std::unique_ptr<platform::RegistryWatch> WatchTree(platform::RegRoot root,
                                                     const std::string& path) override {
    return inner_.WatchTree(root, path);
  }

 private:
  platform::Registry& inner_;
};

std::vector<std::string> Actions(const FakeDriverList& list) {
  std::vector<std::string> actions;
  for (const auto& row : list.rows) actions.push_back(row.action);
  return actions;
}

// A scan of a machine unchanged since the last one lists the same rows without reading the
// registry; a change has the classes listed again and the class it concerns read again.
TEST(SearchDriverTest, ARescanReadsAgainOnlyTheClassesThatChanged) {
  const std::string net = testing_support::kClassKey + "\\" + kNet;
  const std::string usb = "{36fc9e60-c465-11cf-8056-444553540000}";
  struct Case {
    const char* change;
    std::function<void(FakeMachine&)> make;
    std::vector<std::string> captions, actions, valuesRead;
  };
  const Case cases[] = {
      {"nothing",
       nullptr,
       {"Card", "Inbox", "Stick"},
       {"Recommended", "Microsoft", "Recommended"},
       {}},
      {"a class added",
       [](FakeMachine& m) { m.AddDriver(kDisplay, "0000", "Screen", "Acme"); },
       {"Card", "Inbox", "Stick", "Screen"},
       {"Recommended", "Microsoft", "Recommended", "Recommended"},
       {kDisplay + "\\0000"}},
      {"an instance added",
       [](FakeMachine& m) { m.AddDriver(kNet, "0002", "Second card", "Acme"); },
       {"Card", "Inbox", "Second card", "Stick"},
       {"Recommended", "Microsoft", "Recommended", "Recommended"},
       {kNet + "\\0000", kNet + "\\0001", kNet + "\\0002"}},
      {"a description changed",
       [&](FakeMachine& m) { m.registry.SetString(net + "\\0001", "DriverDesc", "Renamed"); },
       {"Card", "Renamed", "Stick"},
       {"Recommended", "Microsoft", "Recommended"},
       {kNet + "\\0000", kNet + "\\0001"}},
      {"a provider changed",
       [&](FakeMachine& m) { m.registry.SetString(net + "\\0000", "ProviderName", "Microsoft"); },
       {"Card", "Inbox", "Stick"},
       {"Microsoft", "Microsoft", "Recommended"},
       {kNet + "\\0000", kNet + "\\0001"}},
      {"a class shut",
       [&](FakeMachine& m) { m.registry.DenyAccess(net); },
       {"Stick"},
       {"Recommended"},
       {}},
  };
  for (const Case& c : cases) {
    FakeMachine m;
    m.AddDriver(kNet, "0000", "Card", "Acme");
    m.AddDriver(kNet, "0001", "Inbox", "Microsoft");
    m.AddDriver(usb, "0000", "Stick", "Acme");
    CountingRegistry counting(m.registry);
    platform::ScopedInstall<platform::Registry> use(counting);
    FakeDriverList list;
    TDriverInventory inventory;
    SearchDriver(list, smRecommended, inventory);
    ASSERT_EQ(Captions(list), (std::vector<std::string>{"Card", "Stick"})) << c.change;
    if (c.make) c.make(m);
    counting.reads = 0;
    counting.valuesRead.clear();
    SearchDriver(list, smAll, inventory);
    EXPECT_EQ(Captions(list), c.captions) << c.change;
    EXPECT_EQ(Actions(list), c.actions) << c.change;
    EXPECT_EQ(counting.valuesRead, c.valuesRead) << c.change;
    EXPECT_EQ(counting.reads > 0, c.make != nullptr) << c.change;
  }
}

// Another registry put in place of the one read last (as tests and benchmarks do) is read, and
// so is the first one again when it comes back, even if it is a new one at the same place.
TEST(SearchDriverTest, ARescanReadsAnotherRegistryPutInPlace) {
  FakeDriverList list;
  TDriverInventory inventory;
  auto first = std::make_unique<FakeMachine>();
  first->AddDriver(kNet, "0000", "First", "Acme");
  SearchDriver(list, smAll, inventory);
  {
    FakeMachine second;
    second.AddDriver(kNet, "0000", "Second", "Acme");
    SearchDriver(list, smAll, inventory);
    EXPECT_EQ(Captions(list), std::vector<std::string>{"Second"});
  }
  SearchDriver(list, smAll, inventory);
  EXPECT_EQ(Captions(list), std::vector<std::string>{"First"});
  first.reset();
  FakeMachine third;
  third.AddDriver(kNet, "0000", "Third", "Acme");
  SearchDriver(list, smAll, inventory);
  EXPECT_EQ(Captions(list), std::vector<std::string>{"Third"});
}

}  // namespace
