#include "framework/IconFile.h"

#include <cstdlib>

namespace fw {
namespace {

uint32_t Le(std::string_view data, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(data[at + i]);
  return v;
}

}  // namespace

std::optional<IconImage> PickIconImage(std::string_view file, int wanted) {
  if (file.size() < 6 || Le(file, 0, 2) != 0 || Le(file, 2, 2) != 1) return std::nullopt;
  size_t count = Le(file, 4, 2);
  if (count == 0 || file.size() < 6 + 16 * count) return std::nullopt;
  std::optional<IconImage> best;
  auto score = [wanted](const IconImage& image) {
    // Prefer the smallest image not smaller than wanted, then the largest smaller one.
    int d = image.width - wanted;
    return d >= 0 ? d : 10000 - d;
  };
  for (size_t i = 0; i < count; ++i) {
    size_t at = 6 + 16 * i;
    IconImage image;
    image.width = Le(file, at, 1) ? static_cast<int>(Le(file, at, 1)) : 256;
    image.height = Le(file, at + 1, 1) ? static_cast<int>(Le(file, at + 1, 1)) : 256;
    image.bitCount = static_cast<int>(Le(file, at + 6, 2));
    image.size = Le(file, at + 8, 4);
    image.offset = Le(file, at + 12, 4);
    if (image.size == 0 || image.offset > file.size() || image.size > file.size() - image.offset)
      return std::nullopt;
    if (!best || score(image) < score(*best) ||
        (score(image) == score(*best) && image.bitCount > best->bitCount))
      best = image;
  }
  return best;
}

}  // namespace fw
