#include "skin/data/SkinOptions.h"

#include "skin/data/SkinNumbers.h"
#include "skin/data/SkinSystem.h"
#include "skin/data/SkinText.h"

namespace {

// Section names joined by NUL, the list of sections a chain walk has passed.
bool Visited(const std::string& visited, std::string_view name) {
  size_t pos = 0;
  while (pos <= visited.size()) {
    size_t end = visited.find('\0', pos);
    if (end == std::string::npos) end = visited.size();
    if (std::string_view(visited).substr(pos, end - pos) == name) return true;
    pos = end + 1;
  }
  return false;
}

}  // namespace

const std::string* SkinOptions::Find(std::string_view section, std::string_view key) const {
  for (const fw::IniText* ini : {common_, &skin_}) {
    if (!ini) continue;
    if (const fw::IniText::Section* s = ini->FindSection(section))
      for (const auto& [name, value] : s->entries)
        if (name == key) return &value;
  }
  return nullptr;
}

std::string SkinOptions::ReadString(std::string_view section, std::string_view key,
                                    std::string_view def) const {
  const std::string* value = Find(section, key);
  return value ? *value : std::string(def);
}

int32_t SkinOptions::ReadInteger(std::string_view section, std::string_view key,
                                 int32_t def) const {
  const std::string* value = Find(section, key);
  return value ? skin::StrToIntDef(*value, def) : def;
}

bool SkinOptions::ReadBool(std::string_view section, std::string_view key) const {
  std::string value = skin::UpperCase(ReadString(section, key, ""));
  return value == "1" || value == "TRUE";
}

int32_t SkinOptions::ReadStrict(std::string_view section, std::string_view key,
                                std::string_view def) const {
  return skin::StrToInt(ReadString(section, key, def));
}

std::string SkinOptions::Parent(std::string_view section, std::string& visited) const {
  visited.append(section).push_back('\0');
  std::string parent = ReadString(section, kParentClassKey, "");
  if (parent.empty() || Visited(visited, parent)) return {};
  return parent;
}

std::string SkinOptions::InheritedString(std::string_view section, std::string_view key,
                                         std::string_view def) const {
  std::string visited;
  for (std::string name(section); !name.empty(); name = Parent(name, visited))
    if (const std::string* value = Find(name, key)) return *value;
  return std::string(def);
}

bool SkinOptions::InheritedBool(std::string_view section, std::string_view key) const {
  std::string value = skin::UpperCase(InheritedString(section, key, ""));
  return value == "1" || value == "TRUE";
}

int32_t SkinOptions::InheritedInteger(std::string_view section, std::string_view key, int32_t def,
                                      bool resolveOwn) const {
  std::string visited;
  bool own = true;
  for (std::string name(section); !name.empty(); name = Parent(name, visited), own = false) {
    int32_t value = ReadInteger(name, key, -1);
    if (value == -1) continue;
    return own && !resolveOwn ? value : skin::ColorToRGB(value);
  }
  return def;
}
