// Which section's font colours a control uses when it is drawn over its parents.
#pragma once

#include "framework/Controls.h"
#include "skin/data/sSkinModel.h"

// Walks up from the control's parent past parents that let what lies behind them show through
// (more than half transparent in state, no painted border centre); the first other parent
// gives its section when that section gives its own font, else defaultSection. A parent with no
// known section also gives defaultSection. A parent's section is its published "SkinData" or,
// for a window, its answer to CmdGetSectionIndex.
int FontSectionFor(fw::TControl* control, int defaultSection, const TsSkinModel& manager,
                   int state);
