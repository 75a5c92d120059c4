#include "tools/skingen/SkinFile.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <stdexcept>

#include "skin/data/SkinText.h"

namespace skingen {

namespace {

std::string Fixed(char mark, int value, int width) {
  int limit = width == 4 ? 9999 : width == 2 ? 99 : 9;
  if (value < 0 || value > limit) throw std::runtime_error("entry field out of range");
  char buf[8];
  std::snprintf(buf, sizeof buf, "%c%0*d", mark, width, value);
  return buf;
}

std::string RectFields(char mark, Rect r) {
  return Fixed(mark, r.left, 4) + Fixed(mark, r.top, 4) + Fixed(mark, r.right, 4) +
         Fixed(mark, r.bottom, 4);
}

}  // namespace

std::string GlyphEntry(Rect r, int states, int maskRows) {
  return RectFields('@', r) + Fixed('@', states, 1) + Fixed('@', maskRows, 1);
}

std::string BorderEntry(Rect r, Margins m, int states, int maskRows, int flags, int defaultMargin) {
  return RectFields('^', r) + Fixed('^', m.left, 4) + Fixed('^', m.top, 4) +
         Fixed('^', m.right, 4) + Fixed('^', m.bottom, 4) + Fixed('^', states, 1) +
         Fixed('^', maskRows, 1) + Fixed('^', flags, 1) + Fixed('^', defaultMargin, 1);
}

std::string TextureEntry(Rect r, int fillMode, int maskRows) {
  return RectFields('~', r) + Fixed('~', fillMode, 2) + Fixed('~', maskRows, 1);
}

std::string FileEntry(const std::string& file, int states, int maskRows, int kind) {
  return "!" + file + "!" + std::to_string(states) + "!" + std::to_string(maskRows) + "!" +
         std::to_string(kind);
}

std::string FileEntry(const std::string& file, int states, int maskRows, int kind, Margins m,
                      int flags) {
  return FileEntry(file, states, maskRows, kind) + Fixed('!', m.left, 4) + Fixed('!', m.top, 4) +
         Fixed('!', m.right, 4) + Fixed('!', m.bottom, 4) + "!" + std::to_string(flags);
}

std::string FreeEntry(const std::string& name, Rect r, int states, int maskRows, int defaultMargin,
                      int flags) {
  return "#" + name + " (" + std::to_string(r.left) + " " + std::to_string(r.top) + "," +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + ") (" + std::to_string(states) +
         ", " + std::to_string(maskRows) + ", " + std::to_string(defaultMargin) + ", " +
         std::to_string(flags) + ")";
}

void Options::Set(const std::string& section, const std::string& key, const std::string& value) {
  auto s = std::find_if(sections_.begin(), sections_.end(),
                        [&](const auto& entry) { return entry.first == section; });
  if (s == sections_.end()) s = sections_.insert(sections_.end(), {section, {}});
  auto k = std::find_if(s->second.begin(), s->second.end(),
                        [&](const auto& entry) { return entry.first == key; });
  if (k == s->second.end())
    s->second.emplace_back(key, value);
  else
    k->second = value;
}

const std::string* Options::Find(const std::string& section, const std::string& key) const {
  for (const auto& [name, keys] : sections_)
    if (name == section)
      for (const auto& [k, v] : keys)
        if (k == key) return &v;
  return nullptr;
}

std::string Options::Text(const std::string& headerComment) const {
  std::string text = "; " + headerComment + "\r\n";
  for (const auto& [name, keys] : sections_) {
    text += "\r\n[" + name + "]\r\n";
    for (const auto& [key, value] : keys) text += key + "=" + value + "\r\n";
  }
  return text;
}

std::vector<TvePackedMember> Skin::Members() const {
  // The order "vlz pack" gives a folder: the options first, then the files by upper-cased name,
  // so that a skin unpacked and packed again has the same bytes.
  std::vector<TvePackedMember> sorted = files;
  std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
    std::string ua = skin::UpperCase(a.Name), ub = skin::UpperCase(b.Name);
    return ua != ub ? ua < ub : a.Name < b.Name;
  });
  std::vector<TvePackedMember> members;
  members.push_back({std::string(kOptionsFileName), options.Text(name + ", made by skingen")});
  members.insert(members.end(), sorted.begin(), sorted.end());
  return members;
}

std::string VersionText(double version) {
  char buf[32];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, version);
  return std::string(buf, ec == std::errc() ? end : buf);
}

}  // namespace skingen
