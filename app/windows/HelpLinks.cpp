#include "app/windows/HelpLinks.h"

#include "app/core/UtilFuncs.h"
#include "text/Paths.h"
#include "platform/FileSystem.h"
#include "platform/Host.h"

std::string ResolveHelpLink(const std::string& link, const std::string& folder) {
  if (link.empty() || link[0] == '\\' || link[0] == '/') return link;
  size_t colon = link.find(':');
  if (colon != std::string::npos && link.find_first_of("\\/") > colon) return link;
  // "www.example.org" or "example.org/help" look just like relative paths; only a file that is
  // really there tells that the link means the program's folder.
  std::string besideProgram = AddTrailingBackslash(folder) + link;
  return platform::FileExists(besideProgram) ? besideProgram : link;
}

std::string ResolveHelpLinkBesideExe(const std::string& link) {
  return ResolveHelpLink(link, fw::ExtractFileDir(platform::CurrentHost().ExecutablePath()));
}
