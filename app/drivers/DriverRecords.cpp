#include "app/drivers/DriverRecords.h"

#include "app/drivers/untReg.h"
#include "app/drivers/untSearchDriver.h"

namespace {

// Every field quoted, inner quotes doubled, so commas, quotes and line breaks in a description
// stay inside their field.
std::string CsvLine(const std::vector<std::string>& fields) {
  std::string line;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) line += ',';
    line += '"';
    for (char c : fields[i]) {
      if (c == '"') line += '"';
      line += c;
    }
    line += '"';
  }
  line += "\r\n";
  return line;
}

}  // namespace

std::vector<TDriverRecord> ReadDriverRecords() {
  std::vector<TDriverRecord> records;
  ForEachDriverInstance([&](const std::string& classKey, const std::string& instanceKey) {
    auto read = [&](const char* name) {
      return RegReadString(kLocalMachine, instanceKey, name, "");
    };
    TDriverRecord record{RegReadString(kLocalMachine, classKey, "", ""),
                         read("DriverDesc"),
                         read("ProviderName"),
                         read("DriverVersion"),
                         read("DriverDate"),
                         read("InfPath")};
    if (!record.description.empty()) records.push_back(std::move(record));
  });
  return records;
}

std::string FormatDriverCsv(const std::vector<TDriverRecord>& records) {
  std::string text = CsvLine({"Class", "Description", "Provider", "Version", "Date", "INF"});
  for (const TDriverRecord& r : records)
    text += CsvLine({r.className, r.description, r.provider, r.version, r.date, r.inf});
  return text;
}
