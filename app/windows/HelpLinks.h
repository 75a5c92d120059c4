// Where a help or web link of the configuration leads. Links such as "help\index.html" are
// meant relative to the program's own folder, whatever folder it was started from.
#pragma once

#include <string>

// Links with a scheme ("https:", "mailto:"), a drive or a leading separator are returned as they
// are; any other non-empty link is taken relative to the folder.
std::string ResolveHelpLink(const std::string& link, const std::string& folder);

// ResolveHelpLink against the executable's folder.
std::string ResolveHelpLinkBesideExe(const std::string& link);
