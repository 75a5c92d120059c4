#include "tools/skingen/Collection.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

#include "text/IniText.h"
#include "text/TextLines.h"

namespace skingen {

namespace {

constexpr std::string_view kStyleSection = "STYLE";

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

void Settings::Set(const std::string& key, const std::string& value) {
  auto it =
      std::find_if(values_.begin(), values_.end(), [&](const auto& v) { return v.first == key; });
  if (it == values_.end())
    values_.emplace_back(key, value);
  else
    it->second = value;
}

const std::string* Settings::Find(const std::string& key) const {
  for (const auto& [k, v] : values_)
    if (k == key) return &v;
  return nullptr;
}

double Settings::Number(const std::string& key) const {
  const std::string* text = Find(key);
  if (!text) throw std::runtime_error(name + ": missing \"" + key + "\"");
  double value = 0;
  auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), value);
  if (ec != std::errc() || end != text->data() + text->size())
    throw std::runtime_error(name + ": \"" + key + "\" is not a number: " + *text);
  return value;
}

double Settings::Number(const std::string& key, double def) const {
  return Has(key) ? Number(key) : def;
}

Color Settings::Colour(const std::string& key) const {
  const std::string* text = Find(key);
  if (!text) throw std::runtime_error(name + ": missing \"" + key + "\"");
  std::optional<Color> c = ParseColor(*text);
  if (!c) throw std::runtime_error(name + ": \"" + key + "\" is not a #RRGGBB colour: " + *text);
  return *c;
}

Color Settings::Colour(const std::string& key, Color def) const {
  return Has(key) ? Colour(key) : def;
}

std::string Settings::Text(const std::string& key, const std::string& def) const {
  const std::string* text = Find(key);
  return text ? *text : def;
}

std::vector<Settings> ReadCollection(const std::filesystem::path& listFile) {
  std::vector<Settings> skins;
  std::set<std::string> names;
  for (const std::string& rawLine : fw::SplitLines(ReadText(listFile))) {
    std::string line(fw::TrimControl(rawLine));
    if (line.empty() || line[0] == ';') continue;
    std::filesystem::path familyFile = listFile.parent_path() / line;
    std::vector<std::string> lines = fw::SplitLines(ReadText(familyFile));
    fw::IniText ini(lines, fw::NameCase::Sensitive);
    // The INI rules drop a repeated section silently; here it would lose a skin.
    size_t headers = std::count_if(lines.begin(), lines.end(), [](const std::string& l) {
      std::string_view t = fw::TrimControl(l);
      return t.size() > 1 && t.front() == '[' && t.back() == ']';
    });
    if (headers != ini.Sections().size())
      throw std::runtime_error(familyFile.string() + ": a section is written twice");
    const fw::IniText::Section* style = ini.FindSection(kStyleSection);
    if (!style) throw std::runtime_error(familyFile.string() + ": no [STYLE] section");
    for (const fw::IniText::Section& scheme : ini.Sections()) {
      if (scheme.name == kStyleSection) continue;
      Settings s;
      s.name = scheme.name;
      s.family = familyFile.stem().string();
      for (const auto& [k, v] : style->entries) s.Set(k, v);
      for (const auto& [k, v] : scheme.entries) s.Set(k, v);
      if (!names.insert(s.name).second) throw std::runtime_error("skin name used twice: " + s.name);
      skins.push_back(std::move(s));
    }
  }
  return skins;
}

}  // namespace skingen
