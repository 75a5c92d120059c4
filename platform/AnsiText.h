// The program holds names as 8-bit text in the ANSI code page; the system's wide calls take
// UTF-16. Both ways here, once.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::wstring WideFromAnsi(std::string_view text);

// The text in the ANSI code page. lost, when given, tells whether a character had no place there
// (it is then replaced by the code page's default character).
std::string AnsiFromWide(std::wstring_view text, bool* lost = nullptr);

}  // namespace platform
