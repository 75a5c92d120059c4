// The driver scan: which instances become rows, with what, and in which order.
#include <gtest/gtest.h>

#include "DriverFakes.h"
#include "app/drivers/BackupState.h"
#include "app/drivers/untSearchDriver.h"

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
  SearchDriver(list, smAll);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.rows[0].type, "Network adapters");
  EXPECT_EQ(list.rows[0].action, "Recommended");
  EXPECT_EQ(list.rows[0].keyPath,
            "\\SYSTEM\\CurrentControlSet\\Control\\Class\\" + kNet + "\\0000");
  EXPECT_EQ(list.rows[1].action, "Microsoft");
  SearchDriver(list, smRecommended);
  EXPECT_EQ(Captions(list), std::vector<std::string>{"Fast Ethernet"}) << "rows replaced";
}

TEST(SearchDriverTest, ProviderComparesExactly) {
  FakeMachine m;
  m.AddDriver(kNet, "0000", "No provider value");
  m.AddDriver(kNet, "0001", "Lower case", "microsoft");
  m.AddDriver(kNet, "0002", "Blank after", "Microsoft ");
  FakeDriverList list;
  SearchDriver(list, smRecommended);
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"Lower case", "Blank after"}));
  SearchDriver(list, smAll);
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
  SearchDriver(list, smAll);
  ASSERT_EQ(Captions(list), (std::vector<std::string>{"Same", "Other", "same"}));
  EXPECT_EQ(list.rows[0].keyPath.substr(list.rows[0].keyPath.size() - 4), "0000");
}

TEST(SearchDriverTest, DuplicateTestOnlySeesListedRows) {
  FakeMachine m;
  // A Microsoft driver skipped in the recommended mode does not hide a later one of its name.
  m.AddDriver(kNet, "0000", "Shared", "Microsoft");
  m.AddDriver(kNet, "0001", "Shared", "Vendor");
  FakeDriverList list;
  SearchDriver(list, smRecommended);
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
  SearchDriver(list, smAll);
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"Four", "One"}));
}

TEST(SearchDriverTest, EmptyDescriptionsAndMissingClassDescription) {
  FakeMachine m;
  m.AddDriver(kNet, "0000", "", "Acme");
  m.registry.SetString(testing_support::kClassKey + "\\" + kNet + "\\0001", "DriverDesc", "");
  m.AddDriver(kNet, "0002", "Listed", "Acme");
  FakeDriverList list;
  SearchDriver(list, smAll);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.rows[0].type, "") << "class key without default value";
}

TEST(SearchDriverTest, UnreadableMachineGivesEmptyList) {
  FakeMachine m;
  FakeDriverList list;
  list.AppendRow("stale", "", "", "");
  SearchDriver(list, smAll);
  EXPECT_EQ(list.Count(), 0);
  m.AddDriver(kNet, "0000", "Hidden", "Acme");
  m.registry.DenyAccess(testing_support::kClassKey + "\\" + kNet);
  SearchDriver(list, smAll);
  EXPECT_EQ(list.Count(), 0);
}

TEST(SearchDriverTest, DoesNotTouchTheListWhileABackupRuns) {
  FakeMachine m;
  m.AddDriver(kNet, "0000", "New", "Acme");
  FakeDriverList list;
  list.AppendRow("Being backed up", "", "Recommended", "\\x");
  {
    TBackupRunScope run;
    SearchDriver(list, smAll);
    EXPECT_EQ(Captions(list), std::vector<std::string>{"Being backed up"});
  }
  SearchDriver(list, smAll);
  EXPECT_EQ(Captions(list), std::vector<std::string>{"New"});
}

}  // namespace
