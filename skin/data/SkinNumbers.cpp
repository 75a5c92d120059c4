#include "skin/data/SkinNumbers.h"

#include <charconv>
#include <string>

namespace skin {

std::optional<int32_t> TryStrToInt(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  } else if (text.size() > 1 && text[0] == '$') {
    base = 16;
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  uint64_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  // Hexadecimal fills all 32 bits, sign bit included; decimal must fit a signed 32-bit value.
  if (base == 16) {
    if (value > 0xFFFFFFFFu) return std::nullopt;
    uint32_t bits = static_cast<uint32_t>(value);
    return static_cast<int32_t>(negative ? 0u - bits : bits);
  }
  if (value > (negative ? 0x80000000u : 0x7FFFFFFFu)) return std::nullopt;
  return static_cast<int32_t>(negative ? -static_cast<int64_t>(value) : value);
}

int32_t StrToInt(std::string_view text) {
  if (auto value = TryStrToInt(text)) return *value;
  throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
}

int32_t StrToIntDef(std::string_view text, int32_t def) {
  return TryStrToInt(text).value_or(def);
}

std::optional<double> TryStrToFloat(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '+')) text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace skin
