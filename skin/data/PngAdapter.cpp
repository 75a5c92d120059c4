// Until the imaging library's PNG decoder is available, PNG images decode to nothing, which the
// loader treats as a missing image.
#include "skin/data/PngAdapter.h"

std::optional<img::Picture> DecodePng(std::string_view) {
  return std::nullopt;
}
