// Registry reading and the driver scan against the real registry.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "DriverFakes.h"
#include "WinMachine.h"
#include "app/drivers/untReg.h"
#include "app/drivers/untSearchDriver.h"

namespace {

using testing_support::TempRegKey;

TEST(RegistryWinTest, ReadsTextKindsAndDefaultsForTheRest) {
  TempRegKey key("SOFTWARE\\" + testing_support::Unique("DriverKeeperTest-"));
  key.SetString("", "DriverDesc", "Acme Card");
  key.SetString("", "", "Class description");
  key.Set("", "Expand", REG_EXPAND_SZ, "%SystemRoot%\\x", 15);
  DWORD number = 7;
  key.Set("", "Number", REG_DWORD, &number, sizeof number);
  key.Set("", "Cut", REG_SZ, "first\0second", 13);
  // Around the size read in one call (512 bytes with the terminating NUL), and far above it.
  const std::string sizes[] = {std::string(511, 'e'), std::string(512, 'f'),
                               std::string(5000, 'b')};
  for (const std::string& text : sizes)
    key.SetString("", "Big" + std::to_string(text.size()), text);

  EXPECT_EQ(RegReadString(kLocalMachine, key.path(), "DriverDesc", ""), "Acme Card");
  EXPECT_EQ(RegReadString(kLocalMachine, "\\" + key.path(), "DriverDesc", ""), "Acme Card");
  EXPECT_EQ(RegReadString(kLocalMachine, key.path(), "", ""), "Class description");
  EXPECT_EQ(RegReadString(kLocalMachine, key.path(), "Expand", ""), "%SystemRoot%\\x");
  EXPECT_EQ(RegReadString(kLocalMachine, key.path(), "Number", "def"), "def");
  EXPECT_EQ(RegReadString(kLocalMachine, key.path(), "Cut", ""), "first");
  for (const std::string& text : sizes)
    EXPECT_EQ(RegReadString(kLocalMachine, key.path(), "Big" + std::to_string(text.size()), ""),
              text);
  EXPECT_EQ(RegReadString(kLocalMachine, key.path(), "ProviderName", "Microsoft"), "Microsoft");
  HKEY open;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.path().c_str(), 0, KEY_READ, &open), 0);
  EXPECT_NE(RegQueryValueExA(open, "ProviderName", nullptr, nullptr, nullptr, nullptr), 0)
      << "reading must not create the value";
  RegCloseKey(open);
  EXPECT_EQ(RegReadString(kLocalMachine, key.path() + "\\Nowhere", "DriverDesc", "d"), "d");

  // Several values at one opening of the key, each with its own default.
  EXPECT_EQ(
      RegReadStrings(kLocalMachine, key.path(),
                     {{"DriverDesc", ""},
                      {"ProviderName", "Microsoft"},
                      {"Number", "n"},
                      {"Big5000", ""},
                      {"", ""}}),
      (std::vector<std::string>{"Acme Card", "Microsoft", "n", sizes[2], "Class description"}));
  EXPECT_EQ(RegReadStrings(kLocalMachine, key.path() + "\\Nowhere", {{"DriverDesc", "d"}}),
            std::vector<std::string>{"d"});
}

TEST(RegistryWinTest, ListsSubkeys) {
  TempRegKey key("SOFTWARE\\" + testing_support::Unique("DriverKeeperTest-"));
  key.SetString("0000", "A", "1");
  key.SetString("0001", "A", "1");
  key.SetString("Properties", "A", "1");
  EXPECT_EQ(RegGetSubKeyNames(kLocalMachine, "\\" + key.path() + "\\"),
            (std::vector<std::string>{"0000", "0001", "Properties"}));
  EXPECT_TRUE(RegGetSubKeyNames(kLocalMachine, key.path() + "\\0000").empty());
  EXPECT_TRUE(RegGetSubKeyNames(kLocalMachine, key.path() + "\\Nowhere").empty());
}

TEST(RegistryWinTest, ScanFindsDriversUnderTheRealClassRoot) {
  std::string guid = "{" + testing_support::Unique("dk-test-") + "}";
  TempRegKey cls(std::string(kClassRoot).substr(1) + guid);
  std::string tag = guid + " ";
  cls.SetString("", "", "Test devices");
  cls.SetString("0000", "DriverDesc", tag + "Vendor card");
  cls.SetString("0000", "ProviderName", "Vendor");
  cls.SetString("0001", "DriverDesc", tag + "Inbox card");
  cls.SetString("0002", "DriverDesc", tag + "Vendor card");
  cls.SetString("0002", "ProviderName", "Other");
  cls.SetString("Properties", "DriverDesc", tag + "Not an instance");

  testing_support::FakeDriverList list;

  TDriverInventory inventory;
  SearchDriver(list, smAll, inventory);
  std::vector<testing_support::Row> ours;
  for (const auto& row : list.rows)
    if (row.caption.rfind(tag, 0) == 0) ours.push_back(row);
  ASSERT_EQ(ours.size(), 2u);
  EXPECT_EQ(ours[0].caption, tag + "Vendor card");
  EXPECT_EQ(ours[0].type, "Test devices");
  EXPECT_EQ(ours[0].action, "Recommended");
  EXPECT_EQ(ours[0].keyPath, kClassRoot + guid + "\\0000");
  EXPECT_EQ(ours[1].action, "Microsoft");

  SearchDriver(list, smRecommended, inventory);
  for (const auto& row : list.rows) EXPECT_NE(row.action, "Microsoft") << row.caption;
}

// The registry's change notification on a key's tree, once per kind of change, each on a watch
// of its own; a key that cannot be opened reports a change at once.
TEST(RegistryWinTest, ATreeWatchSeesChangesAnywhereBelowItsKey) {
  TempRegKey key("SOFTWARE\\" + testing_support::Unique("DriverKeeperTest-"));
  key.SetString("Class\\0000", "DriverDesc", "Card");
  key.SetString("Other", "A", "1");
  auto deleteKey = [&](const char* sub) {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, (key.path() + "\\" + sub).c_str());
  };
  auto deleteValue = [&](const char* sub, const char* name) {
    HKEY open;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, (key.path() + "\\" + sub).c_str(), 0, KEY_SET_VALUE, &open);
    RegDeleteValueA(open, name);
    RegCloseKey(open);
  };
  const struct {
    const char* change;
    std::function<void()> make;
    bool seen;
  } cases[] = {
      {"nothing", [] {}, false},
      {"a value read elsewhere", [&] { RegReadString(kLocalMachine, key.path(), "A", ""); }, false},
      {"a value set on a sibling key", [&] { key.SetString("Other", "A", "2"); }, false},
      {"a value set two levels down",
       [&] { key.SetString("Class\\0000", "DriverDesc", "Renamed"); }, true},
      {"a value deleted two levels down", [&] { deleteValue("Class\\0000", "DriverDesc"); }, true},
      {"a key added", [&] { key.SetString("Class\\0001", "DriverDesc", "New"); }, true},
      {"a key deleted", [&] { deleteKey("Class\\0001"); }, true},
      {"the key's default value set", [&] { key.SetString("Class", "", "Devices"); }, true},
  };
  for (const auto& c : cases) {
    std::unique_ptr<platform::RegistryWatch> watch =
        RegWatchTree(kLocalMachine, "\\" + key.path() + "\\Class\\");
    EXPECT_FALSE(watch->Changed()) << c.change << ": before";
    c.make();
    EXPECT_EQ(watch->Changed(), c.seen) << c.change;
    EXPECT_EQ(watch->Changed(), c.seen) << c.change << ": asked again";
  }
  EXPECT_TRUE(RegWatchTree(kLocalMachine, key.path() + "\\Nowhere")->Changed());
}

// A rescan through the class root's linked path sees a change made through the same path; an
// unchanged machine gives the same rows again.
TEST(RegistryWinTest, ARescanSeesADriverChangedUnderTheRealClassRoot) {
  std::string guid = "{" + testing_support::Unique("dk-test-") + "}";
  TempRegKey cls(std::string(kClassRoot).substr(1) + guid);
  std::string tag = guid + " ";
  cls.SetString("0000", "DriverDesc", tag + "Card");
  testing_support::FakeDriverList list;
  TDriverInventory inventory;
  auto ours = [&] {
    std::vector<std::string> captions;
    for (const auto& row : list.rows)
      if (row.caption.rfind(tag, 0) == 0) captions.push_back(row.caption + " | " + row.action);
    return captions;
  };
  SearchDriver(list, smAll, inventory);
  EXPECT_EQ(ours(), std::vector<std::string>{tag + "Card | Microsoft"});
  SearchDriver(list, smAll, inventory);
  EXPECT_EQ(ours(), std::vector<std::string>{tag + "Card | Microsoft"});
  cls.SetString("0000", "ProviderName", "Vendor");
  cls.SetString("0001", "DriverDesc", tag + "Second");
  SearchDriver(list, smAll, inventory);
  EXPECT_EQ(ours(),
            (std::vector<std::string>{tag + "Card | Recommended", tag + "Second | Microsoft"}));
}

}  // namespace
