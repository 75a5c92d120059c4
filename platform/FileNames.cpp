#include "platform/FileNames.h"

#include <array>

namespace platform {

bool IsReservedDeviceName(std::string_view name) {
  // The system reads a device name up to the first dot or colon and drops the blanks before it.
  std::string_view stem = name.substr(0, name.find_first_of(".:"));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  std::string upper(stem);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  static const std::array<std::string_view, 6> kDevices = {"CON", "PRN",    "AUX",
                                                           "NUL", "CONIN$", "CONOUT$"};
  for (std::string_view device : kDevices)
    if (upper == device) return true;
  if (upper.size() != 4 || !(upper.starts_with("COM") || upper.starts_with("LPT"))) return false;
  // The superscript digits of the ANSI code page count as digits here.
  unsigned char digit = static_cast<unsigned char>(upper[3]);
  return (digit >= '0' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
}

}  // namespace platform
