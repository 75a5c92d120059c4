#include "text/IniText.h"

#include "text/TextLines.h"

namespace fw {

IniText::IniText(const std::vector<std::string>& lines, NameCase nameCase) : nameCase_(nameCase) {
  // Index of the section that receives keys; none before the first header, and none under a
  // header that repeats an earlier one.
  const size_t kNone = static_cast<size_t>(-1);
  size_t current = kNone;
  for (const std::string& raw : lines) {
    std::string_view line = TrimControl(raw);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
      std::string name(TrimControl(line.substr(1, line.size() - 2)));
      auto [it, added] = sectionIndex_.emplace(Fold(name), sections_.size());
      if (added) {
        sections_.push_back({std::move(name), {}});
        keyIndex_.emplace_back();
        current = it->second;
      } else {
        current = kNone;
      }
      continue;
    }
    if (current == kNone) continue;
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    std::string key(TrimControl(line.substr(0, eq)));
    std::string value(TrimControl(line.substr(eq + 1)));
    Section& section = sections_[current];
    keyIndex_[current].emplace(Fold(key), section.entries.size());
    section.entries.emplace_back(std::move(key), std::move(value));
  }
}

std::string IniText::Fold(std::string_view name) const {
  std::string folded(name);
  if (nameCase_ == NameCase::Insensitive)
    for (char& c : folded)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return folded;
}

const IniText::Section* IniText::FindSection(std::string_view name) const {
  auto it = sectionIndex_.find(Fold(name));
  return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

const std::string* IniText::Find(std::string_view section, std::string_view key) const {
  auto s = sectionIndex_.find(Fold(section));
  if (s == sectionIndex_.end()) return nullptr;
  const auto& keys = keyIndex_[s->second];
  auto k = keys.find(Fold(key));
  return k == keys.end() ? nullptr : &sections_[s->second].entries[k->second].second;
}

std::string IniText::ReadString(std::string_view section, std::string_view key,
                                std::string_view def) const {
  const std::string* value = Find(section, key);
  return value ? *value : std::string(def);
}

bool IniText::ValueExists(std::string_view section, std::string_view key) const {
  return Find(section, key) != nullptr;
}

}  // namespace fw
