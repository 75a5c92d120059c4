#include "app/windows/ButtonPictures.h"

#include <cstdint>
#include <span>

// Generated at build time from packaging/pictures: the PNG files in button order.
extern const std::span<const std::uint8_t> kButtonPictureFiles[4];

namespace {
constexpr int kSize = 32;
}

std::unique_ptr<TsAlphaImageList> LoadButtonPictures() {
  auto list = std::make_unique<TsAlphaImageList>(kSize, kSize);
  for (std::span<const std::uint8_t> file : kButtonPictureFiles)
    list->AddItem(TsImageFormat::ifPNG, file);
  list->BuildSystemList();
  return list;
}
