#include "platform/FileNames.h"

#include <array>

#include "text/AsciiCase.h"

namespace platform {

bool IsReservedDeviceName(std::string_view name) {
  // The system reads a device name up to the first dot or colon and drops the blanks before it.
  std::string_view stem = name.substr(0, name.find_first_of(".:"));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  std::string upper = fw::UpperAscii(stem);
  static const std::array<std::string_view, 6> kDevices = {"CON", "PRN",    "AUX",
                                                           "NUL", "CONIN$", "CONOUT$"};
  for (std::string_view device : kDevices)
    if (upper == device) return true;
  if (!upper.starts_with("COM") && !upper.starts_with("LPT")) return false;
  // The superscript digits count as digits here, in the ANSI code page and in UTF-8 alike.
  std::string_view number = std::string_view(upper).substr(3);
  static const std::array<std::string_view, 6> kSuperscripts = {"\xB9",     "\xB2",     "\xB3",
                                                                "\xC2\xB9", "\xC2\xB2", "\xC2\xB3"};
  for (std::string_view superscript : kSuperscripts)
    if (number == superscript) return true;
  return number.size() == 1 && number[0] >= '0' && number[0] <= '9';
}

}  // namespace platform
