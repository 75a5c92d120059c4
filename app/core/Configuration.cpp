#include "app/core/Configuration.h"

#include "app/core/UtilFuncs.h"
#include "text/TextLines.h"
#include "platform/Host.h"

fw::IniText DecodeConfiguration(std::string_view stored) {
  std::vector<std::string> lines = fw::SplitLines(stored);
  for (std::string& line : lines) line = ComplementString(line);
  return fw::IniText(lines, fw::NameCase::Insensitive);
}

fw::IniText ReadConfiguration() {
  return DecodeConfiguration(platform::CurrentHost().ReadFile(GetConfigFileName()));
}

std::string ReadApplicationTitle(const fw::IniText& config) {
  return config.ReadString(kConfigSection, "Name", "");
}

TGlobalVars ReadGlobalVars(const fw::IniText& config) {
  auto read = [&](const char* key) { return config.ReadString(kConfigSection, key, ""); };
  TGlobalVars vars;
  vars.Version = read("Version");
  vars.Copyright = read("Copyright");
  vars.SkinName = read("SkinName");
  vars.HelpContectLink = read("HelpContectLink");
  vars.HelpHowTosTutorialVideosLink = read("HelpHowTosTutorialVideosLink");
  vars.HelpHomePageLink = read("HelpHomePageLink");
  vars.HelpMoreFreeToolsLink = read("HelpMoreFreeToolsLink");
  vars.HelpCheckForUpdatesLink = read("HelpCheckForUpdatesLink");
  vars.HelpSupportLink = read("HelpSupportLink");
  return vars;
}

std::string EncodeConfiguration(std::string_view plain) {
  std::string stored;
  stored.reserve(plain.size());
  size_t start = 0;
  for (size_t i = 0; i <= plain.size(); ++i) {
    if (i < plain.size() && plain[i] != '\r' && plain[i] != '\n') continue;
    stored += ComplementString(plain.substr(start, i - start));
    if (i < plain.size()) stored += plain[i];
    start = i + 1;
  }
  return stored;
}
