#include "imaging/vePNG.h"

#include <fstream>
#include <istream>
#include <iterator>
#include <vector>

#include "imaging/PNGMessages.h"

namespace img {

void TPNGGraphic::LoadFromStream(std::istream& stream) {
  const std::istream::pos_type start = stream.tellg();
  const std::vector<uint8_t> data{std::istreambuf_iterator<char>(stream),
                                  std::istreambuf_iterator<char>()};
  const size_t used = LoadFromMemory(data);
  // Leave the stream where the PNG file ends, for streams that carry more after it.
  if (start != std::istream::pos_type(-1)) {
    stream.clear();
    stream.seekg(start + std::streamoff(used));
  }
}

size_t TPNGGraphic::LoadFromMemory(std::span<const uint8_t> data) {
  picture_ = Picture();
  header_ = TPNGHeader();
  return DecodePNG(data, picture_, header_);
}

void TPNGGraphic::LoadFromFile(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file) throw EInvalidGraphic(kPNGInvalidFormat);
  LoadFromStream(file);
}

void TPNGGraphic::Assign(const TPNGGraphic& other) {
  if (this == &other) return;
  picture_ = other.picture_;
  header_ = other.header_;
}

void TPNGGraphic::Assign(const Picture& picture) {
  picture_ = picture;
}

TPixelFormat TPNGGraphic::PixelFormat() const noexcept {
  switch (picture_.pixels.index()) {
    case 1:
      switch (std::get<IndexedBitmap>(picture_.pixels).BitsPerPixel()) {
        case 1:
          return TPixelFormat::pf1bit;
        case 4:
          return TPixelFormat::pf4bit;
        default:
          return TPixelFormat::pf8bit;
      }
    case 2:
      return TPixelFormat::pf24bit;
    case 3:
      return TPixelFormat::pf32bit;
    default:
      return TPixelFormat::pfNone;
  }
}

}  // namespace img
