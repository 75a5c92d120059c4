// The driver list that the shipped exporter plug-in writes.
#include <gtest/gtest.h>

#include "DriverFakes.h"
#include "app/drivers/DriverRecords.h"

namespace {

TEST(DriverRecordsTest, EveryDescribedInstanceWithItsDetails) {
  testing_support::FakeMachine m;
  m.registry.SetString(testing_support::kClassKey + "\\{n}", "", "Network adapters");
  std::string key = m.AddDriver("{n}", "0000", "Card", "Acme").substr(1);
  m.registry.SetString(key, "DriverVersion", "1.0");
  m.registry.SetString(key, "DriverDate", "1-2-2020");
  m.registry.SetString(key, "InfPath", "oem1.inf");
  m.AddDriver("{n}", "0001", "Card", "Microsoft");
  m.AddDriver("{n}", "0002", "", "Acme");
  m.AddDriver("{n}", "Properties", "Not a driver", "Acme");
  std::vector<TDriverRecord> records = ReadDriverRecords();
  ASSERT_EQ(records.size(), 2u) << "duplicates are kept: this is an inventory";
  EXPECT_EQ(records[0].className, "Network adapters");
  EXPECT_EQ(records[0].provider, "Acme");
  EXPECT_EQ(records[0].version, "1.0");
  EXPECT_EQ(records[0].date, "1-2-2020");
  EXPECT_EQ(records[0].inf, "oem1.inf");
}

TEST(DriverRecordsTest, CsvQuotesEveryField) {
  std::string csv = FormatDriverCsv({{"Ports", "Port \"COM1\", legacy", "Acme", "", "", "x.inf"}});
  EXPECT_EQ(csv,
            "\"Class\",\"Description\",\"Provider\",\"Version\",\"Date\",\"INF\"\r\n"
            "\"Ports\",\"Port \"\"COM1\"\", legacy\",\"Acme\",\"\",\"\",\"x.inf\"\r\n");
}

}  // namespace
