// Small text helpers shared by the skin loaders. Skin names and values are 8-bit text; only the
// ASCII letters change case, as in the options files themselves.
#pragma once

#include <string>
#include <string_view>

namespace skin {

std::string UpperCase(std::string_view text);
bool SameTextAscii(std::string_view a, std::string_view b);
// The extension of a file name, dot included ("A.B.PNG" -> ".PNG"); empty without one.
std::string_view FileExtension(std::string_view name);

}  // namespace skin
