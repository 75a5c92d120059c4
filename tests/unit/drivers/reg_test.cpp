// Reading the registry: defaults for everything missing or unreadable, never a write.
#include <gtest/gtest.h>

#include "DriverFakes.h"
#include "app/drivers/untReg.h"

namespace {

using testing_support::FakeMachine;

const std::string kKey = "SYSTEM\\Test\\Key";

TEST(RegReadStringTest, MissingKeyOrValueGivesTheDefault) {
  FakeMachine m;
  m.registry.AddKey(kKey);
  EXPECT_EQ(RegReadString(kLocalMachine, kKey, "ProviderName", "Microsoft"), "Microsoft");
  EXPECT_TRUE(m.registry.QueryValue(kLocalMachine, kKey, "ProviderName") == std::nullopt)
      << "reading must not create the value";
  EXPECT_EQ(RegReadString(kLocalMachine, "SYSTEM\\Nowhere", "X", "d"), "d");
  EXPECT_EQ(RegReadString(kLocalMachine, kKey, "", "none"), "none") << "no default value";
}

TEST(RegReadStringTest, LeadingBackslashNamesTheSameKey) {
  FakeMachine m;
  m.registry.SetString(kKey, "DriverDesc", "Card");
  m.registry.SetString(kKey, "", "Default text");
  EXPECT_EQ(RegReadString(kLocalMachine, "\\" + kKey, "DriverDesc", ""), "Card");
  EXPECT_EQ(RegReadString(kLocalMachine, kKey, "DriverDesc", ""), "Card");
  EXPECT_EQ(RegReadString(kLocalMachine, "\\" + kKey, "", ""), "Default text");
}

TEST(RegReadStringTest, OnlyTextKindsAreRead) {
  FakeMachine m;
  m.registry.SetValue(kKey, "Number", {platform::RegDword, std::string("\x01\0\0\0", 4)});
  m.registry.SetValue(kKey, "Bytes", {platform::RegBinary, "abc"});
  m.registry.SetValue(kKey, "Expand",
                      {platform::RegExpandSz, std::string("%SystemRoot%\\x\0", 15)});
  m.registry.SetValue(kKey, "Cut", {platform::RegSz, std::string("first\0second\0", 13)});
  m.registry.SetValue(kKey, "Unterminated", {platform::RegSz, "plain"});
  EXPECT_EQ(RegReadString(kLocalMachine, kKey, "Number", "def"), "def");
  EXPECT_EQ(RegReadString(kLocalMachine, kKey, "Bytes", "def"), "def");
  EXPECT_EQ(RegReadString(kLocalMachine, kKey, "Expand", ""), "%SystemRoot%\\x") << "unexpanded";
  EXPECT_EQ(RegReadString(kLocalMachine, kKey, "Cut", ""), "first");
  EXPECT_EQ(RegReadString(kLocalMachine, kKey, "Unterminated", ""), "plain");
}

TEST(RegReadStringTest, KeyTheUserMayNotOpenReadsAsMissing) {
  FakeMachine m;
  m.registry.SetString(kKey, "DriverDesc", "Hidden");
  m.registry.DenyAccess(kKey);
  EXPECT_EQ(RegReadString(kLocalMachine, kKey, "DriverDesc", "d"), "d");
  EXPECT_TRUE(RegGetSubKeyNames(kLocalMachine, "SYSTEM\\Test").size() == 1);
  EXPECT_TRUE(RegGetSubKeyNames(kLocalMachine, kKey).empty());
}

TEST(RegReadStringTest, SeveralValuesOfOneKeyEachTakeTheirOwnDefault) {
  FakeMachine m;
  m.registry.SetString(kKey, "DriverDesc", "Card");
  m.registry.SetValue(kKey, "Number", {platform::RegDword, std::string("\x01\0\0\0", 4)});
  m.registry.SetValue(kKey, "Cut", {platform::RegSz, std::string("first\0second\0", 13)});
  EXPECT_EQ(RegReadStrings(kLocalMachine, "\\" + kKey,
                           {{"DriverDesc", "a"},
                            {"ProviderName", "Microsoft"},
                            {"Number", "n"},
                            {"Cut", ""},
                            {"DriverDesc", "again"}}),
            (std::vector<std::string>{"Card", "Microsoft", "n", "first", "Card"}));
  EXPECT_EQ(RegReadStrings(kLocalMachine, "SYSTEM\\Nowhere", {{"DriverDesc", "d"}, {"X", "x"}}),
            (std::vector<std::string>{"d", "x"}));
  m.registry.DenyAccess(kKey);
  EXPECT_EQ(RegReadStrings(kLocalMachine, kKey, {{"DriverDesc", "d"}}),
            std::vector<std::string>{"d"});
  EXPECT_TRUE(RegReadStrings(kLocalMachine, kKey, {}).empty());
}

TEST(RegGetSubKeyNamesTest, ListsImmediateSubkeysInEnumerationOrder) {
  FakeMachine m;
  m.registry.AddKey(kKey + "\\0001");
  m.registry.AddKey(kKey + "\\0000\\Deeper");
  m.registry.AddKey(kKey + "\\Properties");
  EXPECT_EQ(RegGetSubKeyNames(kLocalMachine, "\\" + kKey + "\\"),
            (std::vector<std::string>{"0001", "0000", "Properties"}));
  EXPECT_TRUE(RegGetSubKeyNames(kLocalMachine, kKey + "\\0001").empty());
  EXPECT_TRUE(RegGetSubKeyNames(kLocalMachine, "SYSTEM\\Nowhere").empty());
}

}  // namespace
