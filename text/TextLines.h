// Splitting stored text into lines, the way the program's text files are read: lines end at
// CR LF, CR or LF, and a NUL byte ends the whole text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fw {

std::vector<std::string> SplitLines(std::string_view text);

// Trims characters with codes up to 32 (blanks and control characters) from both ends.
std::string_view TrimControl(std::string_view text);

}  // namespace fw
