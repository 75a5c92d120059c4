// Which stored skin the main window starts with: "/skin NAME" on the command line for this run,
// else the one the user chose last time (remembered per user), else the default (the last
// stored skin). Names are the stored skins' names, "<Name> (internal)"; on the command line NAME
// is given without " (internal)" and compared without regard to letter case. An unknown or damaged
// choice falls back silently.
#pragma once

#include <optional>
#include <string>
#include <vector>

// The stored skin a command line asks for with "/skin NAME", or nothing.
std::optional<std::string> SkinFromCommandLine(const std::vector<std::string>& args,
                                               const std::vector<std::string>& storedNames);
// The skin to start with; storedNames in stored order (the last is the default).
std::string StartupSkin(const std::vector<std::string>& args,
                        const std::vector<std::string>& storedNames, const std::string& remembered);

// Where the choice is kept: "%APPDATA%\Driver Keeper\settings.ini", section [Skin], key Name.
std::string SkinSettingsFile();
std::string ReadRememberedSkin();
// Keeps the choice; false when the file cannot be written.
bool RememberSkin(const std::string& name);
