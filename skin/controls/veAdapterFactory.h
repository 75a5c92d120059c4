// Which adapter skins a control of one of the manager's class-name lists.
#pragma once

#include <memory>

#include "skin/controls/veMainWnd.h"
#include "skin/data/sSkinManagerSettings.h"

// The adapter for a window of the given list; null for the lists whose controls are not skinned
// by an adapter.
std::unique_ptr<TveMainWnd> CreateAdapter(TveThirdKind kind, HWND handle,
                                          const std::string& section, TsSkinManager* manager,
                                          TsCommonData* skinData);
