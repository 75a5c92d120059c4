// JPEG textures: every build decodes our own textures to one expected picture, whichever decoder
// it has (the system's picture loader on Windows, libjpeg-turbo elsewhere), up to the rounding in
// which decoders may differ.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "Golden.h"
#include "skin/data/veTinyJPG.h"

namespace {

// Per channel; decoders that follow the standard's reference agree to about one step.
constexpr int kTolerance = 3;

std::string ReadJpeg(const std::string& name) {
  std::ifstream in(std::string(DK_SOURCE_DIR) + "/tests/unit/skin/data/jpeg/" + name,
                   std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(JpegTextureTest, OurTexturesDecodeToTheSamePictureEverywhere) {
  // The textures of the skins Parchment (colour) and Slate Stone (grey), as skingen draws them.
  for (const char* name : {"grain", "stone"}) {
    const std::string bytes = ReadJpeg(std::string(name) + ".jpg");
    ASSERT_FALSE(bytes.empty()) << name;
    TveTinyJPGImage picture;
    ASSERT_TRUE(picture.LoadFromStream(bytes)) << name;
    ExpectGolden(picture.ToBitmap32(), std::string("jpeg_") + name, kTolerance);
  }
}

TEST(JpegTextureTest, CutFilesLoadNothing) {
  // Inside the header, and inside the picture data: the rows past the cut would be made up.
  const std::string bytes = ReadJpeg("grain.jpg");
  ASSERT_GT(bytes.size(), 1000u);
  for (size_t n : {size_t(0), size_t(2), size_t(20), size_t(100), bytes.size() - 500}) {
    TveTinyJPGImage picture;
    EXPECT_FALSE(picture.LoadFromStream(bytes.substr(0, n))) << n;
    EXPECT_TRUE(picture.Empty());
  }
}

}  // namespace
