// Comparing a painted picture with the expected picture kept in tests/golden/.
#pragma once

#include <string>

#include "imaging/Bitmap32.h"

// Fails the current test unless actual equals tests/golden/<name>.png pixel for pixel (all four
// bytes, each within tolerance: pictures from decoders that may round differently). On a mismatch
// the actual picture is written next to the expected one as <name>.actual.png, so the two can be
// looked at side by side. With DK_UPDATE_GOLDEN=1 in the environment the expected picture is
// (re)written from actual instead.
void ExpectGolden(const img::Bitmap32& actual, const std::string& name, int tolerance = 0);
