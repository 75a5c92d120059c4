// Picking one image out of a Windows icon file (.ico) held in memory.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace fw {

struct IconImage {
  size_t offset;  // of the image data (BMP or PNG) within the file
  size_t size;
  int width, height, bitCount;
};

// The image closest in size to wanted (not smaller when possible), with the deepest colour;
// nothing when the data is not a well-formed icon file.
std::optional<IconImage> PickIconImage(std::string_view file, int wanted);

}  // namespace fw
