// Timestamps of the Windows program's start-up phases, for finding where start-up time goes.
//
// With the environment variable DK_TRACE_STARTUP naming a file, each call appends one line to
// it: the milliseconds since the process was created, then the phase. Without it a call reads a
// cached flag and returns, so the stamps stay in shipped builds at no cost.
#pragma once

namespace platform {

void TraceStartup(const char* phase);

}  // namespace platform
