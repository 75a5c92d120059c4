#include "BitmapCheck.h"

#include <cstdio>
#include <fstream>

namespace render_test {
namespace {

void WritePam(const img::Bitmap32& b, const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  out << "P7\nWIDTH " << b.Width() << "\nHEIGHT " << b.Height()
      << "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const img::TRGBAPixel p = b.Pixel(x, y);
      const char rgba[4] = {char(p.R), char(p.G), char(p.B), char(p.A)};
      out.write(rgba, 4);
    }
}

}  // namespace

::testing::AssertionResult SameBitmap(const img::Bitmap32& actual, const img::Bitmap32& expected,
                                      const std::string& name) {
  std::string difference;
  if (actual.Width() != expected.Width() || actual.Height() != expected.Height()) {
    difference = "sizes differ";
  } else {
    for (int y = 0; y < actual.Height() && difference.empty(); ++y)
      for (int x = 0; x < actual.Width() && difference.empty(); ++x) {
        const img::TRGBAPixel a = actual.Pixel(x, y), e = expected.Pixel(x, y);
        if (a == e) continue;
        char text[160];
        snprintf(text, sizeof text,
                 "first difference at (%d, %d): BGRA %d %d %d %d, expected %d %d %d %d", x, y, a.B,
                 a.G, a.R, a.A, e.B, e.G, e.R, e.A);
        difference = text;
      }
  }
  if (difference.empty()) return ::testing::AssertionSuccess();
  WritePam(actual, name + ".actual.pam");
  WritePam(expected, name + ".expected.pam");
  return ::testing::AssertionFailure()
         << name << ": " << difference << " (written as " << name << ".actual.pam / .expected.pam)";
}

img::Bitmap32 Filled(int width, int height, img::TRGBAPixel value) {
  img::Bitmap32 b(width, height);
  b.Fill(value);
  return b;
}

}  // namespace render_test
