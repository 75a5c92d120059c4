// The six detail lines of a clicked driver.
#include <gtest/gtest.h>

#include "DriverFakes.h"
#include "app/drivers/untLoadInfo.h"

namespace {

using testing_support::FakeLabel;
using testing_support::FakeMachine;

struct Details {
  FakeLabel l1, l2, l3, l4, l5, l6;
  std::string inf;
  void Load(const std::string& key) {
    inf = LoadDriverInfo(key, l1, l2, l3, l4);
    LoadInfInfo(inf, l5, l6);
  }
};

TEST(LoadInfoTest, RegistryLinesAndInfLines) {
  FakeMachine m;
  std::string key = m.AddDriver("{c}", "0000", "Acme Card", "Acme");
  m.registry.SetString(key.substr(1), "DriverDate", "6-21-2006");
  m.registry.SetString(key.substr(1), "DriverVersion", "1.2.3.4");
  m.registry.SetString(key.substr(1), "InfPath", "oem12.inf");
  m.files.AddFile("C:\\Windows\\inf\\oem12.inf",
                  "[version]\r\ncatalogfile = acme.cat\r\n[SourceDisksFiles]\r\n"
                  "acme.sys=1\r\nacme.dll=1\r\nacme.hlp=1\r\n");
  Details d;
  d.Load(key);
  EXPECT_EQ(d.inf, "oem12.inf");
  EXPECT_EQ(d.l1.caption, "Device:  Acme Card");
  EXPECT_EQ(d.l2.caption, "Provider: Acme");
  EXPECT_EQ(d.l3.caption, "Driver Date: 6-21-2006");
  EXPECT_EQ(d.l4.caption, "Driver Version: 1.2.3.4");
  EXPECT_EQ(d.l5.caption, "Digital Signature: acme.cat") << "key matched case-insensitively";
  EXPECT_EQ(d.l6.caption, "Driver File: 4 File(s)");
}

TEST(LoadInfoTest, MissingValuesShowBarePrefixes) {
  FakeMachine m;
  std::string key = m.AddDriver("{c}", "0000", "", nullptr);
  Details d;
  d.Load(key);
  EXPECT_EQ(d.inf, "");
  EXPECT_EQ(d.l1.caption, "Device:  ");
  EXPECT_EQ(d.l2.caption, "Provider: ") << "no default provider in the details";
  EXPECT_EQ(d.l4.caption, "Driver Version: ");
  EXPECT_EQ(d.l5.caption, "Digital Signature: No Signature") << "the inf folder has no sections";
  EXPECT_EQ(d.l6.caption, "Driver File: 1 File(s)");
}

TEST(LoadInfoTest, DecoratedFileListCountsOnlyTheInf) {
  FakeMachine m;
  std::string key = m.AddDriver("{c}", "0000", "Card", "Acme");
  m.registry.SetString(key.substr(1), "InfPath", "oem3.inf");
  m.files.AddFile("C:\\Windows\\inf\\oem3.inf",
                  "[Version]\r\nSignature=\"$Windows NT$\"\r\n"
                  "[SourceDisksFiles.amd64]\r\na.sys=1\r\nb.sys=1\r\n");
  Details d;
  d.Load(key);
  EXPECT_EQ(d.l5.caption, "Digital Signature: No Signature");
  EXPECT_EQ(d.l6.caption, "Driver File: 1 File(s)");
}

}  // namespace
