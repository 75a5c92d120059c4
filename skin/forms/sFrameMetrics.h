// The platform's frame metrics, read once for the process.
#pragma once

#include "skin/forms/sTitleLayout.h"

const TsSystemMetrics& FrameMetrics();
