// Fuzz target: a stored configuration file, decoded and read as the program does at start-up.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/core/Configuration.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view stored(reinterpret_cast<const char*>(data), size);
  fw::IniText config = DecodeConfiguration(stored);
  ReadApplicationTitle(config);
  ReadGlobalVars(config);
  for (const auto& section : config.Sections())
    for (const auto& [key, value] : section.entries) config.ReadString(section.name, key, value);
  return 0;
}
