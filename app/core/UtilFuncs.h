// Small helpers shared by the application's own units.
#pragma once

#include <string>
#include <string_view>

// The path unchanged if it already ends in "\", otherwise the path followed by "\".
// An empty path becomes "\" (no caller passes one).
std::string AddTrailingBackslash(std::string_view path);

// The executable's folder with a trailing backslash, then "lamecore.dll".
std::string GetConfigFileName();

// Every byte b replaced by 255 - b; applying it twice gives back the input.
std::string ComplementString(std::string_view text);

// Opens a web address, file or folder through the shell, with the busy cursor showing.
void ShellOpen(const std::string& target);

// Bracket a busy section; sections nest, and the default cursor returns with the outermost end.
void BeginBusyCursor();
void EndBusyCursor();
