#include "skins/StoredSkins.h"

#include <charconv>
#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "text/TextLines.h"

// Defined by the generated assembler source (skins/EmbedSkins.cmake).
extern const char kStoredText[] __asm__("dk_stored_skins_text");
extern const uint32_t kStoredCount __asm__("dk_stored_skins_count");
extern const uint32_t kStoredSizes[] __asm__("dk_stored_skins_sizes");
extern const char kStoredData[] __asm__("dk_stored_skins_data");

namespace {

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> fields;
  for (size_t start = 0;;) {
    size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

// A decimal number, or a hexadecimal one written with "0x".
int32_t ReadInt(std::string_view text) {
  bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  int64_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (ec != std::errc() || end != text.data() + text.size())
    throw std::runtime_error("stored skins: not a number: " + std::string(text));
  return static_cast<int32_t>(negative ? -value : value);
}

double ReadDouble(std::string_view text) {
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size())
    throw std::runtime_error("stored skins: not a version: " + std::string(text));
  return value;
}

// The lines of stored.txt: one per skin, in the order of the packed skins.
std::vector<std::string> StoredLines() {
  std::vector<std::string> lines;
  for (std::string& line : fw::SplitLines(kStoredText))
    if (!line.empty()) lines.push_back(std::move(line));
  if (lines.size() != kStoredCount)
    throw std::runtime_error("stored skins: stored.txt and the packed skins disagree");
  return lines;
}

}  // namespace

void AddStoredSkins(TsStoredSkins& skins) {
  const char* data = kStoredData;
  const std::vector<std::string> lines = StoredLines();
  for (uint32_t i = 0; i < kStoredCount; ++i) {
    std::vector<std::string_view> f = SplitTabs(lines[i]);
    if (f.size() != 9)
      throw std::runtime_error("stored skins: a line of stored.txt is not 9 fields");
    TsStoredSkin skin;
    skin.Name = f[0];
    skin.Shadow1Color = ReadInt(f[1]);
    skin.Shadow1Offset = ReadInt(f[2]);
    skin.Shadow1Blur = ReadInt(f[3]);
    skin.Shadow1Transparency = ReadInt(f[4]);
    skin.BorderColor = ReadInt(f[5]);
    skin.Version = ReadDouble(f[6]);
    skin.Author = f[7];
    skin.Description = f[8];
    skin.Data = TsSkinBytes::Lasting({data, kStoredSizes[i]});
    data += kStoredSizes[i];
    skins.Add(std::move(skin));
  }
}

std::string DefaultStoredSkinName() {
  const std::vector<std::string> lines = StoredLines();
  if (lines.empty()) return {};
  return std::string(SplitTabs(lines.back()).front());
}
