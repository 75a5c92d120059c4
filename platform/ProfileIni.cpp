#include "platform/ProfileIni.h"

#include "text/IniText.h"
#include "text/TextLines.h"

namespace platform {
namespace {

fw::IniText ParseText(const std::optional<std::string>& content) {
  std::vector<std::string> lines = content ? fw::SplitLines(*content) : std::vector<std::string>();
  // A section header ends at its last "]"; whatever follows on the line (an INF comment, say)
  // does not stop it from being a header.
  for (std::string& line : lines) {
    std::string_view trimmed = fw::TrimControl(line);
    size_t close = trimmed.rfind(']');
    if (!trimmed.empty() && trimmed.front() == '[' && close != std::string_view::npos)
      line = std::string(trimmed.substr(0, close + 1));
  }
  return fw::IniText(lines, fw::NameCase::Insensitive);
}

std::string Unquote(std::string value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

IniProfile::IniProfile(Reader reader) : reader_(std::move(reader)) {}
IniProfile::~IniProfile() = default;

const fw::IniText& IniProfile::Parse(const std::string& file) {
  // Lookups come in runs on the same file (the details, a driver's file list); like the
  // system, keep the last file parsed and parse again only when its content changed.
  std::optional<std::string> content = reader_(file);
  if (!parsed_ || content != content_) {
    parsed_ = std::make_unique<fw::IniText>(ParseText(content));
    content_ = std::move(content);
  }
  return *parsed_;
}

std::string IniProfile::ReadString(const std::string& file, const std::string& section,
                                   const std::string& key, const std::string& def,
                                   size_t bufferSize) {
  if (bufferSize == 0) return {};
  const fw::IniText& ini = Parse(file);
  std::string value =
      ini.ValueExists(section, key) ? Unquote(ini.ReadString(section, key, "")) : def;
  return value.substr(0, bufferSize - 1);
}

std::vector<std::string> IniProfile::ReadKeyNames(const std::string& file,
                                                  const std::string& section, size_t bufferSize) {
  const fw::IniText& ini = Parse(file);
  const fw::IniText::Section* found = ini.FindSection(section);
  if (!found || bufferSize < 2) return {};
  // The names as the system lays them out: each ends in a NUL, a NUL ends the list, and a list
  // too long for the buffer is cut to its size less two.
  std::string buffer;
  for (const auto& entry : found->entries) buffer += entry.first + '\0';
  if (buffer.size() + 1 > bufferSize) buffer = buffer.substr(0, bufferSize - 2) + '\0';
  return SplitNameList(buffer);
}

}  // namespace platform
