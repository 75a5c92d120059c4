// Control fades that are still running, and the log-off wait for them.
#pragma once

#include "skin/render/sFadeTimer.h"

// Processes messages while control fades run, so that they can finish before the session ends;
// gives up after boundMs, so that a count left behind by a fade that never ended cannot hold up
// the log-off. Answers whether every fade finished.
bool WaitForControlFades(unsigned boundMs = 2000);
