// The routines through which the driver inventory reads the registry. They only read, and none
// raises for a key that is missing or may not be opened.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Registry.h"

using platform::RegRoot;
inline constexpr RegRoot kLocalMachine = RegRoot::LocalMachine;

// The text of a value, or def when the key cannot be opened, the value is missing, or it is
// not text (a number or raw bytes). The key path may begin with "\"; an empty value name reads
// the key's default value. Text is returned as stored (environment references unexpanded), cut at
// its first NUL.
std::string RegReadString(RegRoot root, const std::string& keyPath, const std::string& name,
                          const std::string& def);

// Several values of one key, each read as RegReadString reads it, with its own default: pairs of
// value name and default. The key is opened once.
std::vector<std::string> RegReadStrings(
    RegRoot root, const std::string& keyPath,
    const std::vector<std::pair<std::string, std::string>>& namesAndDefaults);

// The names of the key's immediate subkeys in enumeration order; empty when the key cannot be
// opened or has none.
std::vector<std::string> RegGetSubKeyNames(RegRoot root, const std::string& keyPath);

// A watch on the key and everything below it (see platform::RegistryWatch) that also reports a
// change when another registry is put in place of the one in use now.
std::unique_ptr<platform::RegistryWatch> RegWatchTree(RegRoot root, const std::string& keyPath);
