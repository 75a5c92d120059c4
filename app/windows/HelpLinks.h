// Where a help or web link of the configuration leads. Links such as "help\index.html" are
// meant relative to the program's own folder, whatever folder it was started from.
#pragma once

#include <string>

// A link that names a file in the folder ("help\index.html") becomes that file's full path; any
// other link ("https:", "mailto:", "www.example.org", a drive or a rooted path) is returned as
// it is, for the shell to open.
std::string ResolveHelpLink(const std::string& link, const std::string& folder);

// ResolveHelpLink against the executable's folder.
std::string ResolveHelpLinkBesideExe(const std::string& link);
