// INI text held in memory, read with one rule set for the configuration file and the skin
// options alike: lines are trimmed, ";" starts a comment, "[name]" opens a section, the first "="
// splits key and value (both trimmed), lines before the first section are ignored, a repeated
// section header is never searched, and within a section the first occurrence of a key wins.
// The only difference between the two users is whether names compare case-sensitively.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace fw {

enum class NameCase { Insensitive, Sensitive };

class IniText {
 public:
  struct Section {
    std::string name;
    // Every key line in file order, duplicates included; lookups take the first.
    std::vector<std::pair<std::string, std::string>> entries;
  };

  IniText(const std::vector<std::string>& lines, NameCase nameCase);

  // Sections in order of their first appearance (repeats are dropped).
  const std::vector<Section>& Sections() const { return sections_; }
  const Section* FindSection(std::string_view name) const;
  // The value of the first occurrence of key in the first section called section, or def.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view def) const;
  bool ValueExists(std::string_view section, std::string_view key) const;

 private:
  const std::string* Find(std::string_view section, std::string_view key) const;
  std::string Fold(std::string_view name) const;

  NameCase nameCase_;
  std::vector<Section> sections_;
  std::unordered_map<std::string, size_t> sectionIndex_;
  // Per section: folded key name -> index of its first entry.
  std::vector<std::unordered_map<std::string, size_t>> keyIndex_;
};

}  // namespace fw
