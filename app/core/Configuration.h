// Reading the configuration file "lamecore.dll": every stored line is byte-complemented, and the
// decoded lines are INI text with case-insensitive names. Everything the product calls itself
// sits in its section "SYSTEM".
#pragma once

#include <string>
#include <string_view>

#include "app/core/globals.h"
#include "text/IniText.h"

inline constexpr std::string_view kConfigSection = "SYSTEM";

// Decodes the stored bytes of a configuration file into its INI text.
fw::IniText DecodeConfiguration(std::string_view stored);

// Reads and decodes the configuration file beside the executable. Throws
// platform::FileOpenError when it cannot be opened.
fw::IniText ReadConfiguration();

// The application title: key "Name" of section "SYSTEM", empty when missing.
std::string ReadApplicationTitle(const fw::IniText& config);

// The nine product settings, each from the key of the same name, empty when missing.
TGlobalVars ReadGlobalVars(const fw::IniText& config);

// The plain text of a configuration file in its stored form (each line complemented,
// separators kept as they are). The inverse of what DecodeConfiguration reads.
std::string EncodeConfiguration(std::string_view plain);
