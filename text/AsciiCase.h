// Letter case of ASCII text only: for names that Windows compares without regard to a locale
// (registry keys, INF keys, command-line switches) and for the portable stand-in of the file
// system's name comparison.
#pragma once

#include <string>
#include <string_view>

namespace fw {

// The text with a-z made A-Z; every other byte as it is.
std::string UpperAscii(std::string_view text);

}  // namespace fw
