// The skin that painters and skin states fall back on when they name none: the process's default
// skin manager's. The managers live in a library above the painters, so a manager installs the
// lookup when it is made; before that there is no default.
#pragma once

#include "skin/data/sSkinModel.h"

using TDefaultModelLookup = const TsSkinModel* (*)();

void SetDefaultModelLookup(TDefaultModelLookup lookup);

// The manager named, else the default one; null when there is neither.
const TsSkinModel* ResolveManager(const TsSkinModel* own);
