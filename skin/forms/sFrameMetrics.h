// The platform's frame metrics, read once for the process.
#pragma once

#include "skin/forms/sTitleLayout.h"

const TsSystemMetrics& FrameMetrics();
// The same at a display scale: the system's own at its scale, else read for that scale once.
const TsSystemMetrics& FrameMetricsAt(int dpi);
