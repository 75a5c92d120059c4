#include "imaging/PNGDecoder.h"

#include <array>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include "imaging/ColorManager.h"
#include "imaging/GraphicErrors.h"
#include "imaging/LZ77Decoder.h"
#include "imaging/PNGChunks.h"
#include "imaging/PNGImageData.h"
#include "imaging/PNGMessages.h"

namespace img {

namespace {

// Ceilings for what a file may ask of us: far above any skin image, far below what would
// exhaust memory. Deflate cannot expand its input more than about 1032 times (a 258-byte match
// in two bits), so image data that small cannot fill an image that large.
constexpr uint64_t kMaxPixels = uint64_t(1) << 26;
constexpr uint64_t kMaxRawBytes = uint64_t(512) << 20;
constexpr uint64_t kMaxInflateRatio = 1032;

uint16_t ReadBigEndian16(const uint8_t* p) {
  return uint16_t(p[0] << 8 | p[1]);
}

bool ValidDepth(uint8_t depth) {
  return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
}

bool ValidCombination(uint8_t colorType, uint8_t depth) {
  switch (colorType) {
    case 0:
      return true;
    case 3:
      return depth <= 8;
    case 2:
    case 4:
    case 6:
      return depth >= 8;
    default:
      return false;
  }
}

// A grey sample of the file's depth on the 0 .. 255 scale.
uint8_t GreyTo8(uint16_t sample, uint8_t depth) {
  switch (depth) {
    case 1:
    case 2:
    case 4: {
      const unsigned max = (1u << depth) - 1;
      return uint8_t((sample & max) * 255 / max);
    }
    case 16:
      return uint8_t(sample >> 8);
    default:
      return uint8_t(sample);
  }
}

uint8_t ColourTo8(uint16_t sample, uint8_t depth) {
  return depth == 16 ? uint8_t(sample >> 8) : uint8_t(sample);
}

class Decoder {
 public:
  explicit Decoder(std::span<const uint8_t> file) : file_(file) {}

  size_t Run() {
    const PNGChunk ihdr = ReadHeaderPart();
    if (!ihdr.CrcMatches()) throw EInvalidGraphic(kPNGCrcError);
    if (header_.Compression != 0) throw EInvalidGraphic(kPNGCompressionScheme);
    if (header_.Filter != 0 || header_.Interlace > 1) throw EInvalidGraphic(kPNGInvalidFormat);

    TLZ77Decoder inflater;
    size_t pos = ihdr.next;
    for (;;) {
      const std::optional<PNGChunk> chunk = ReadChunk(file_, pos);
      if (!chunk) throw EInvalidGraphic(kPNGInvalidFormat);
      const uint32_t type = chunk->type;
      if (type == ChunkType("IEND")) {
        pos = chunk->next;
        break;
      }
      if (type == ChunkType("IDAT")) {
        if (decoded_) throw EInvalidGraphic(kPNGExtraData);
        pos = DecodeImage(pos, inflater);
        continue;
      }
      if (type == ChunkType("PLTE") || type == ChunkType("gAMA") || type == ChunkType("bKGD") ||
          type == ChunkType("tRNS")) {
        if (!chunk->CrcMatches()) throw EInvalidGraphic(kPNGCrcError);
        if (type == ChunkType("PLTE")) ReadPalette(chunk->data);
        if (type == ChunkType("bKGD")) ReadBackground(chunk->data);
        if (type == ChunkType("tRNS")) ReadTransparency(chunk->data);
      } else if (IsCritical(type)) {
        throw EInvalidGraphic(kPNGCriticalChunk);
      }
      pos = chunk->next;
    }
    inflater.End();
    // A file without image data would otherwise load as an empty picture and pass for success.
    if (!decoded_) throw EInvalidGraphic(kPNGInvalidFormat);
    ResolveColourKey();
    return pos;
  }

  TPNGHeader header_;
  Picture picture_;

 private:
  // The signature and IHDR, with the gamma noted from a first walk over the chunks.
  PNGChunk ReadHeaderPart() {
    if (file_.size() < 8 || std::memcmp(file_.data(), kPNGSignature, 8) != 0)
      throw EInvalidGraphic(kPNGInvalidFormat);
    const std::optional<PNGChunk> ihdr = ReadChunk(file_, 8);
    if (!ihdr || ihdr->type != ChunkType("IHDR") || ihdr->data.size() != 13)
      throw EInvalidGraphic(kPNGInvalidFormat);
    const uint8_t* d = ihdr->data.data();
    header_.Width = ReadBigEndian32(d);
    header_.Height = ReadBigEndian32(d + 4);
    header_.BitDepth = d[8];
    header_.ColorType = d[9];
    header_.Compression = d[10];
    header_.Filter = d[11];
    header_.Interlace = d[12];
    header_.HasAlpha = header_.ColorType == 4 || header_.ColorType == 6;
    const uint64_t pixels = uint64_t(header_.Width) * header_.Height;
    if (pixels == 0 || pixels > kMaxPixels) throw EInvalidGraphic(kPNGInvalidFormat);
    PrescanGamma(ihdr->next);
    return *ihdr;
  }

  void PrescanGamma(size_t pos) {
    for (std::optional<PNGChunk> c; (c = ReadChunk(file_, pos)); pos = c->next) {
      if (c->type == ChunkType("IEND")) return;
      if (c->type != ChunkType("gAMA")) continue;
      // A zero gamma would divide by zero; such a chunk says nothing usable.
      if (c->data.size() == 4 && ReadBigEndian32(c->data.data()) != 0) {
        gamma_ = ReadBigEndian32(c->data.data()) / 100000.0;
        header_.FileGamma = gamma_;
      }
      return;
    }
  }

  void ReadPalette(std::span<const uint8_t> data) {
    if (data.size() % 3 != 0) throw EInvalidGraphic(kPNGInvalidPalette);
    if (header_.ColorType != 3) return;
    if (data.empty() || data.size() > 3 * 256) throw EInvalidGraphic(kPNGInvalidPalette);
    palette_.resize(data.size() / 3);
    for (size_t i = 0; i < palette_.size(); ++i)
      palette_[i] = {data[3 * i], data[3 * i + 1], data[3 * i + 2]};
  }

  void ReadBackground(std::span<const uint8_t> data) {
    const uint8_t depth = header_.BitDepth;
    switch (header_.ColorType) {
      case 0:
      case 4:
        if (data.size() == 2)
          header_.BackgroundColor = GreyTo8(ReadBigEndian16(&data[0]), depth) * 0x010101u;
        return;
      case 2:
      case 6:
        if (data.size() == 6)
          header_.BackgroundColor = ColourTo8(ReadBigEndian16(&data[0]), depth) |
                                    ColourTo8(ReadBigEndian16(&data[2]), depth) << 8 |
                                    ColourTo8(ReadBigEndian16(&data[4]), depth) << 16;
        return;
      case 3:
        // An index past the palette names no colour and is ignored.
        if (data.size() == 1 && data[0] < palette_.size()) header_.BackgroundColor = data[0];
        return;
    }
  }

  void ReadTransparency(std::span<const uint8_t> data) {
    Transparency& t = picture_.transparency;
    switch (header_.ColorType) {
      case 3:
        t.paletteAlpha.fill(255);
        std::memcpy(t.paletteAlpha.data(), data.data(), std::min<size_t>(data.size(), 256));
        t.hasPaletteAlpha = true;
        return;
      case 0:
        if (data.size() == 2) keySamples_ = {ReadBigEndian16(&data[0]), 0, 0};
        return;
      case 2:
        if (data.size() == 6)
          keySamples_ = {ReadBigEndian16(&data[0]), ReadBigEndian16(&data[2]),
                         ReadBigEndian16(&data[4])};
        return;
    }
  }

  size_t DecodeImage(size_t pos, TLZ77Decoder& inflater) {
    const uint8_t depth = header_.BitDepth, colorType = header_.ColorType;
    if (!ValidDepth(depth)) throw EColorConversionError(kInvalidColorDepth);
    if (!ValidCombination(colorType, depth)) throw EInvalidGraphic(kPNGInvalidColorFormat);
    if (colorType == 3 && palette_.empty()) throw EInvalidGraphic(kPNGInvalidPalette);

    const PNGImageLayout layout{header_.Width, header_.Height, colorType, depth,
                                header_.Interlace == 1};
    const uint64_t rawSize = RawImageSize(layout);
    if (rawSize > kMaxRawBytes) throw EInvalidGraphic(kPNGInvalidFormat);
    if (rawSize > IdatBytes(pos) * kMaxInflateRatio + 1024)
      throw EInvalidGraphic(kPNGCompressionError);

    colours_.emplace(colorType, depth, gamma_);
    const int width = int(header_.Width), height = int(header_.Height);
    uint8_t* pixels;
    switch (colours_->OutputBytes()) {
      case 4:
        pixels =
            reinterpret_cast<uint8_t*>(picture_.pixels.emplace<Bitmap32>(width, height).Row(0));
        break;
      case 3:
        pixels = picture_.pixels.emplace<Bitmap24>(width, height).Row(0);
        break;
      default: {
        IndexedBitmap& b =
            picture_.pixels.emplace<IndexedBitmap>(width, height, colours_->IndexedBits());
        b.palette = colorType == 3 ? FilePalette(depth) : colours_->GreyPalette();
        pixels = b.Row(0);
      }
    }
    pos = DecodeImageData(file_, pos, layout, *colours_, inflater, pixels);
    decoded_ = true;
    return pos;
  }

  // Total data length of the run of IDAT chunks starting at pos.
  uint64_t IdatBytes(size_t pos) const {
    uint64_t total = 0;
    for (std::optional<PNGChunk> c; (c = ReadChunk(file_, pos)) && c->type == ChunkType("IDAT");
         pos = c->next)
      total += c->data.size();
    return total;
  }

  // The file's palette, corrected, with black for every index the depth allows beyond it.
  std::vector<TPaletteEntry> FilePalette(uint8_t depth) const {
    std::vector<TPaletteEntry> out(std::max<size_t>(palette_.size(), size_t(1) << depth),
                                   TPaletteEntry{0, 0, 0});
    for (size_t i = 0; i < palette_.size(); ++i) out[i] = colours_->Correct(palette_[i]);
    return out;
  }

  // The tRNS colour as the pixels carry it; a sample the depth cannot hold matches nothing.
  void ResolveColourKey() {
    if (!keySamples_) return;
    const auto& s = *keySamples_;
    const uint8_t depth = header_.BitDepth;
    const unsigned max = depth == 16 ? 0xFFFF : (1u << depth) - 1;
    if (s[0] > max || s[1] > max || s[2] > max) return;
    if (header_.ColorType == 0) {
      const auto& indexed = std::get<IndexedBitmap>(picture_.pixels);
      picture_.transparency.colourKey = indexed.palette[depth == 16 ? s[0] >> 8 : s[0]];
    } else {
      picture_.transparency.colourKey = colours_->Correct(
          {ColourTo8(s[0], depth), ColourTo8(s[1], depth), ColourTo8(s[2], depth)});
    }
  }

  std::span<const uint8_t> file_;
  double gamma_ = 0;  // 0: no gAMA, no correction
  std::vector<TPaletteEntry> palette_;
  std::optional<std::array<uint16_t, 3>> keySamples_;
  std::optional<TColorManager> colours_;
  bool decoded_ = false;
};

}  // namespace

size_t DecodePNG(std::span<const uint8_t> file, Picture& picture, TPNGHeader& header) {
  Decoder decoder(file);
  const size_t used = decoder.Run();
  picture = std::move(decoder.picture_);
  header = decoder.header_;
  return used;
}

}  // namespace img
