// The skin sources: "collection.txt" names the family files in order; each family file holds a
// [STYLE] section (the family's shapes and effects) and one section per colour scheme, whose
// name is the skin's name. A scheme's keys override the style's, so every key a skin reads is
// looked up in one place.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tools/skingen/Color.h"

namespace skingen {

class Settings {
 public:
  std::string name;    // the skin's name
  std::string family;  // the family file's stem

  void Set(const std::string& key, const std::string& value);
  bool Has(const std::string& key) const { return Find(key) != nullptr; }
  // Each throws std::runtime_error naming the skin and key when the value is missing or wrong.
  double Number(const std::string& key) const;
  double Number(const std::string& key, double def) const;
  Color Colour(const std::string& key) const;
  Color Colour(const std::string& key, Color def) const;
  std::string Text(const std::string& key, const std::string& def) const;

 private:
  const std::string* Find(const std::string& key) const;
  std::vector<std::pair<std::string, std::string>> values_;
};

// The skins of a list file in order. Throws std::runtime_error for a file that cannot be read, a
// family without [STYLE] or a skin name used twice.
std::vector<Settings> ReadCollection(const std::filesystem::path& listFile);

}  // namespace skingen
