// Filling the text templates of the windows' designs ("About %s", "Version %s",
// "Copyright (C) %d %s"). The values are data and are never read as templates themselves.
#pragma once

#include <string>
#include <vector>

// Replaces each "%s" or "%d" of the template, in order, by the next value ("%d" values are
// passed as their decimal text) and "%%" by "%". A placeholder without a value becomes empty;
// any other "%" stays as it is.
std::string FormatTemplate(const std::string& pattern, const std::vector<std::string>& values);
