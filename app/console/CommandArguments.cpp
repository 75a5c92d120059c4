#include "app/console/CommandArguments.h"

std::wstring_view ArgumentsAfterProgram(std::wstring_view commandLine) {
  constexpr std::wstring_view kBlanks = L" \t";
  size_t at = commandLine.find_first_not_of(kBlanks);
  bool quoted = false;
  for (; at < commandLine.size(); ++at) {
    if (commandLine[at] == L'"')
      quoted = !quoted;
    else if (!quoted && kBlanks.find(commandLine[at]) != std::wstring_view::npos)
      break;
  }
  at = commandLine.find_first_not_of(kBlanks, at);
  return at == std::wstring_view::npos ? std::wstring_view() : commandLine.substr(at);
}
