// The product settings, read from the configuration file when the main window is created and
// only read afterwards (Help commands, about window).
#pragma once

#include <string>

struct TGlobalVars {
  std::string Version;
  std::string Copyright;
  std::string SkinName;
  std::string HelpContectLink;
  std::string HelpHowTosTutorialVideosLink;
  std::string HelpHomePageLink;
  std::string HelpMoreFreeToolsLink;
  std::string HelpCheckForUpdatesLink;
  std::string HelpSupportLink;
};

extern TGlobalVars GlobalVars;
