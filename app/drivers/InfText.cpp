#include "app/drivers/InfText.h"

#include <cstdint>

#include "app/drivers/PackageFiles.h"

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}

// Whether only blanks, or blanks and a comment, follow position at on its line: then a "\"
// before it joins the next line to this one.
bool RestIsBlank(std::string_view text, size_t at) {
  while (at < text.size() && IsBlank(text[at])) ++at;
  return at == text.size() || IsLineEnd(text[at]) || text[at] == ';';
}

void SkipLineEnd(std::string_view text, size_t& at) {
  if (at < text.size() && text[at] == '\r') ++at;
  if (at < text.size() && text[at] == '\n') ++at;
}

void SkipToLineEnd(std::string_view text, size_t& at) {
  while (at < text.size() && !IsLineEnd(text[at])) ++at;
}

struct TRawLine {
  bool header = false;
  std::string section;  // the header's name
  TInfText::Line line;
  bool empty = true;  // nothing but blanks and comments
};

// Reads the section header at position at, up to its "]"; what follows on its line is ignored.
TRawLine ReadHeader(std::string_view text, size_t& at) {
  TRawLine raw;
  raw.header = true;
  size_t start = ++at;
  while (at < text.size() && text[at] != ']' && !IsLineEnd(text[at])) ++at;
  std::string_view name = text.substr(start, at - start);
  while (!name.empty() && IsBlank(name.front())) name.remove_prefix(1);
  while (!name.empty() && IsBlank(name.back())) name.remove_suffix(1);
  raw.section = std::string(name);
  SkipToLineEnd(text, at);
  SkipLineEnd(text, at);
  return raw;
}

// Reads one logical line, continuations included, from position at.
TRawLine ReadLine(std::string_view text, size_t& at) {
  while (at < text.size() && IsBlank(text[at])) ++at;
  if (at < text.size() && text[at] == '[') return ReadHeader(text, at);
  TRawLine raw;
  std::string field, blanks;  // blanks: unquoted ones met after text, kept if more text follows
  bool quoted = false, keyAllowed = true;
  auto begin = [&] {
    field += blanks;
    blanks.clear();
    raw.empty = false;
  };
  auto next = [&] {
    raw.line.fields.push_back(field);
    field.clear();
    blanks.clear();
    raw.empty = false;
  };
  while (at < text.size() && !IsLineEnd(text[at])) {
    char c = text[at++];
    if (quoted) {
      if (c != '"')
        field += c;
      else if (at < text.size() && text[at] == '"')
        field += text[at++];
      else
        quoted = false;
    } else if (c == '"') {
      begin();
      quoted = true;
    } else if (c == ';') {
      SkipToLineEnd(text, at);
    } else if (c == '\\' && RestIsBlank(text, at)) {
      SkipToLineEnd(text, at);
      SkipLineEnd(text, at);
    } else if (c == ',') {
      next();
      keyAllowed = false;
    } else if (c == '=' && keyAllowed) {
      raw.line.key = field;
      field.clear();
      blanks.clear();
      raw.empty = false;
      keyAllowed = false;  // a second "=" is text of the value
    } else if (IsBlank(c)) {
      if (!field.empty()) blanks += c;
    } else {
      begin();
      field += c;
    }
  }
  SkipLineEnd(text, at);
  if (!raw.empty) raw.line.fields.push_back(field);
  return raw;
}

}  // namespace

std::string NarrowInfText(const std::string& bytes) {
  if (bytes.size() >= 2 && uint8_t(bytes[0]) == 0xFF && uint8_t(bytes[1]) == 0xFE) {
    std::string text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
      unsigned unit = uint8_t(bytes[i]) | (unsigned(uint8_t(bytes[i + 1])) << 8);
      text += unit < 0x80 ? char(unit) : '?';
    }
    return text;
  }
  if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) return bytes.substr(3);
  return bytes;
}

TInfText::TInfText(const std::string& bytes) {
  Read(bytes);
  Substitute(tables_.front());
}

TInfText::TInfText(const std::string& bytes, const std::string& strings) {
  Read(bytes);
  Substitute(strings);
}

void TInfText::Read(const std::string& bytes) {
  std::string text = NarrowInfText(bytes);
  std::vector<Line>* current = nullptr;  // lines before the first section belong to none
  for (size_t at = 0; at < text.size();) {
    TRawLine raw = ReadLine(text, at);
    if (raw.header) {
      auto [found, added] = index_.try_emplace(UpperAscii(raw.section), sections_.size());
      if (added) {
        names_.push_back(raw.section);
        sections_.emplace_back();
        if (UpperAscii(raw.section).starts_with("STRINGS.")) tables_.push_back(raw.section);
      }
      current = &sections_[found->second];
    } else if (!raw.empty && current) {
      current->push_back(std::move(raw.line));
    }
  }
  if (Section("Strings") || tables_.empty()) tables_.insert(tables_.begin(), "");
}

const std::vector<TInfText::Line>* TInfText::Section(std::string_view name) const {
  auto found = index_.find(UpperAscii(name));
  return found == index_.end() ? nullptr : &sections_[found->second];
}

const TInfText::Line* TInfText::Find(std::string_view section, std::string_view key) const {
  if (const std::vector<Line>* lines = Section(section))
    for (const Line& line : *lines)
      if (UpperAscii(line.key) == UpperAscii(key)) return &line;
  return nullptr;
}

// The system replaces strings when a field is read, in every section but the string tables
// themselves; a key that neither table defines stays as written, percent signs included.
void TInfText::Substitute(const std::string& strings) {
  for (size_t i = 0; i < sections_.size(); ++i) {
    std::string name = UpperAscii(names_[i]);
    if (name == "STRINGS" || name.starts_with("STRINGS.")) continue;
    for (Line& line : sections_[i]) {
      line.key = Replace(line.key, strings);
      for (std::string& field : line.fields) field = Replace(field, strings);
    }
  }
}

std::string TInfText::Replace(const std::string& text, const std::string& strings) const {
  if (text.find('%') == std::string::npos) return text;
  std::string result;
  for (size_t at = 0; at < text.size();) {
    size_t open = text.find('%', at);
    size_t close = open == std::string::npos ? open : text.find('%', open + 1);
    if (close == std::string::npos) {
      result += text.substr(at);
      break;
    }
    result += text.substr(at, open - at);
    std::string key = text.substr(open + 1, close - open - 1);
    at = close + 1;
    if (key.empty()) {
      result += '%';
      continue;
    }
    const Line* value = strings.empty() ? nullptr : Find(strings, key);
    if (!value) value = Find("Strings", key);
    result += value && !value->fields.empty() ? value->fields[0] : "%" + key + "%";
  }
  return result;
}
