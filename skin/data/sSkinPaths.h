// Where skins are looked for, and the texts the skin manager shows about skins and itself.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The skin directory resolved against the program's folder (the executable's folder): a leading
// ".." stands for that folder's parent, a leading ".\" or "./" for the folder itself, and a path
// with neither a drive colon nor a "\\" share prefix is taken below the folder. Nothing is added
// at the end.
std::string ResolveSkinFolder(std::string_view skinDirectory, std::string_view exePath);

// A path with one "\" at its end: empty stays empty, a final "/" becomes "\", and a lone drive
// letter gets ":\".
std::string WithTrailingSeparator(std::string_view path);

// A skin version as the manager reports it: the shortest decimal form, "." as separator.
std::string SkinVersionText(double version);

// Whether args holds the switch, compared without regard to letter case.
bool HasSwitch(const std::vector<std::string>& args, std::string_view name);

// The first argument of a Windows command line is the program; the rest are split at blanks
// outside double quotes, which are removed.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

inline constexpr std::string_view kSkinEngineVersion = "8.44";
inline constexpr std::string_view kPackedSkinExt = ".vlz";

// The warning shown for a skin newer than the engine understands.
inline constexpr std::string_view kNewSkinWarning =
    "This version of the skin have not complete support by used Velvane package release.\r\n"
    "Components must be updated up to latest version for using this skin.";
// The notice shown, when asked for, for a skin older than version 7.
std::string OldSkinNotice(std::string_view skinName);
