#include "Golden.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <exception>

#include "imaging/Picture.h"
#include "imaging/PngWriter.h"
#include "imaging/vePNG.h"

namespace {

std::string GoldenPath(const std::string& name, const char* suffix) {
  return std::string(DK_SOURCE_DIR) + "/tests/golden/" + name + suffix;
}

void WriteActual(const img::Bitmap32& actual, const std::string& name) {
  const std::string path = GoldenPath(name, ".actual.png");
  try {
    img::SavePng(path, actual);
    ADD_FAILURE() << "actual picture written to " << path;
  } catch (const std::exception& error) {
    ADD_FAILURE() << error.what();
  }
}

}  // namespace

void ExpectGolden(const img::Bitmap32& actual, const std::string& name, int tolerance) {
  const std::string expectedPath = GoldenPath(name, ".png");
  const char* update = std::getenv("DK_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    img::SavePng(expectedPath, actual);
    return;
  }

  img::RGBAImage expected;
  try {
    img::TPNGGraphic png;
    png.LoadFromFile(expectedPath);
    expected = img::ToRGBA(png.Image());
  } catch (const std::exception& error) {
    ADD_FAILURE() << "no expected picture " << expectedPath << ": " << error.what()
                  << " (DK_UPDATE_GOLDEN=1 writes it)";
    WriteActual(actual, name);
    return;
  }

  if (expected.width != actual.Width() || expected.height != actual.Height()) {
    ADD_FAILURE() << name << ": size " << actual.Width() << "x" << actual.Height() << ", expected "
                  << expected.width << "x" << expected.height;
    WriteActual(actual, name);
    return;
  }
  const auto within = [&](uint8_t a, uint8_t b) { return std::abs(int(a) - int(b)) <= tolerance; };
  for (int y = 0; y < actual.Height(); ++y) {
    for (int x = 0; x < actual.Width(); ++x) {
      const img::TRGBAPixel& p = actual.Pixel(x, y);
      const uint8_t* e = &expected.bytes[(size_t(y) * size_t(expected.width) + size_t(x)) * 4];
      if (!within(p.R, e[0]) || !within(p.G, e[1]) || !within(p.B, e[2]) || !within(p.A, e[3])) {
        ADD_FAILURE() << name << ": first difference at (" << x << ", " << y << "): RGBA "
                      << int(p.R) << "," << int(p.G) << "," << int(p.B) << "," << int(p.A)
                      << ", expected " << int(e[0]) << "," << int(e[1]) << "," << int(e[2]) << ","
                      << int(e[3]);
        WriteActual(actual, name);
        return;
      }
    }
  }
}
