// Every installed driver with the details a user wants in a driver list, and that list as CSV
// text, for exporting it to a file.
#pragma once

#include <string>
#include <vector>

struct TDriverRecord {
  std::string className;  // the class key's default value
  std::string description;
  std::string provider;
  std::string version;
  std::string date;
  std::string inf;
};

// Every driver instance that has a description, in registry enumeration order.
std::vector<TDriverRecord> ReadDriverRecords();

// A header line and one line per record, fields quoted, lines ending in CR LF.
std::string FormatDriverCsv(const std::vector<TDriverRecord>& records);
