#include "skin/data/sSkinManagerSettings.h"

#include "text/TextLines.h"
#include "skin/data/sSkinWindows.h"

bool TveSkinEffects::AllowGlowing() const {
  return allowGlowing_ && TsSkinWindows::Current().LayeredWindowsAvailable();
}

void TveClassNameList::SetText(std::string_view text) {
  names_ = fw::SplitLines(text);
}

int TveClassNameList::IndexOf(std::string_view name) const {
  for (size_t i = 0; i < names_.size(); ++i)
    if (names_[i] == name) return static_cast<int>(i);
  return -1;
}
