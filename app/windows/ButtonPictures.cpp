#include "app/windows/ButtonPictures.h"

#include <cstdint>
#include <span>
#include <vector>

#include "imaging/vePNG.h"

// Generated at build time from packaging/pictures: the PNG files in button order.
extern const std::span<const std::uint8_t> kButtonPictureFiles[4];

namespace {
constexpr int kSize = 32;
}

std::unique_ptr<fw::TImageList> LoadButtonPictures() {
  auto list = std::make_unique<fw::TImageList>(kSize, kSize);
  for (std::span<const std::uint8_t> file : kButtonPictureFiles) {
    std::vector<std::uint8_t> rgba(kSize * kSize * 4, 0);
    try {
      img::TPNGGraphic png;
      png.LoadFromMemory(file);
      img::RGBAImage image = img::ToRGBA(png.Image());
      if (image.width == kSize && image.height == kSize) rgba = std::move(image.bytes);
    } catch (const std::exception&) {
      // a blank picture keeps the place
    }
    list->AddRGBA(rgba.data());
  }
  return list;
}
