// Comparing painted bitmaps with the expected ones. On a mismatch both are written beside the
// test as <name>.actual.pam and <name>.expected.pam (viewable with any netpbm-aware tool).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "imaging/Bitmap32.h"

namespace render_test {

::testing::AssertionResult SameBitmap(const img::Bitmap32& actual, const img::Bitmap32& expected,
                                      const std::string& name);

// A bitmap every pixel of which is value.
img::Bitmap32 Filled(int width, int height, img::TRGBAPixel value);

}  // namespace render_test
