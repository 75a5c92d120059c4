// What a Windows command line holds after the program's name: a console front-end hands it on
// unchanged to the program it starts.
#pragma once

#include <string_view>

// The arguments of a command line as typed, quotes and inner blanks kept, without the blanks
// before them. The program's name is found as SplitCommandLine finds it: up to the first blank
// or tab outside double quotes.
std::wstring_view ArgumentsAfterProgram(std::wstring_view commandLine);
