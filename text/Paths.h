// Parts of Windows paths; "\", "/" and the drive colon all count as separators.
#pragma once

#include <string>
#include <string_view>

namespace fw {

// The folder part of a path without its final separator ("C:\a\b.exe" -> "C:\a"); a drive
// root keeps its separator ("C:\b.exe" -> "C:\").
std::string ExtractFileDir(std::string_view path);
// The file name part of a path ("C:\a\b.exe" -> "b.exe").
std::string ExtractFileName(std::string_view path);

}  // namespace fw
