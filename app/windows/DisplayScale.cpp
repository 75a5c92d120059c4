#include "app/windows/DisplayScale.h"

#include "text/AsciiCase.h"

TDisplayScale DisplayScaleFromText(std::string_view value) {
  constexpr std::string_view kBlanks = " \t";
  const size_t first = value.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return TDisplayScale::System;
  value = value.substr(first, value.find_last_not_of(kBlanks) - first + 1);
  return fw::UpperAscii(value) == "OFF" ? TDisplayScale::Off : TDisplayScale::System;
}
