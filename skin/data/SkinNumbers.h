// Numbers in skin options. Values are read the way the options files were always written:
// decimal with an optional sign, or hexadecimal after "0x", "0X" or "$", wrapping into 32 bits
// (so "0xFFFFFFFF" is -1, a colour's "none").
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace skin {

// A value that had to be a number and is not; it aborts the skin load.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::optional<int32_t> TryStrToInt(std::string_view text);
// Throws EConvertError "'text' is not a valid integer value".
int32_t StrToInt(std::string_view text);
int32_t StrToIntDef(std::string_view text, int32_t def);
// A floating-point number with "." as the decimal separator, whatever the locale.
std::optional<double> TryStrToFloat(std::string_view text);

}  // namespace skin
