#include "skin/data/PngAdapter.h"

#include <new>
#include <stdexcept>

#include "imaging/vePNG.h"

std::optional<img::Picture> DecodePng(std::string_view bytes) {
  // An image that fails to decode, or is too large to hold, is left out of the skin like a
  // missing file.
  try {
    img::TPNGGraphic png;
    png.LoadFromMemory({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
    return png.Image();
  } catch (const img::EGraphicError&) {
  } catch (const std::length_error&) {
  } catch (const std::bad_alloc&) {
  }
  return std::nullopt;
}
