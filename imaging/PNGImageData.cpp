#include "imaging/PNGImageData.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "imaging/GraphicErrors.h"
#include "imaging/PNGChunks.h"
#include "imaging/PNGFilters.h"
#include "imaging/PNGMessages.h"

namespace img {

namespace {

// Inflating in slices of this size keeps the rows being unfiltered and converted in the cache.
constexpr size_t kInflateSlice = 256 * 1024;

struct Pass {
  uint32_t x0, y0, dx, dy;
};
constexpr Pass kWhole = {0, 0, 1, 1};
constexpr Pass kAdam7[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                            {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

struct PassRows {
  Pass pass;
  uint32_t width, height;
  size_t rowBytes;  // without the filter byte
};

int Channels(uint8_t colorType) {
  switch (colorType) {
    case 2:
      return 3;
    case 4:
      return 2;
    case 6:
      return 4;
    default:
      return 1;
  }
}

// The passes that hold at least one pixel, in file order.
std::vector<PassRows> Passes(const PNGImageLayout& layout) {
  const uint64_t bitsPerPixel = uint64_t(Channels(layout.colorType)) * layout.bitDepth;
  std::vector<PassRows> passes;
  for (const Pass& p : layout.interlaced ? std::span(kAdam7) : std::span(&kWhole, 1)) {
    if (layout.width <= p.x0 || layout.height <= p.y0) continue;
    const uint32_t w = (layout.width - p.x0 + p.dx - 1) / p.dx;
    const uint32_t h = (layout.height - p.y0 + p.dy - 1) / p.dy;
    passes.push_back({p, w, h, size_t((w * bitsPerPixel + 7) / 8)});
  }
  return passes;
}

// Consumes the inflated bytes row by row as they arrive: unfilters each row in place against the
// row before it and converts it into the output pixels.
class RowSink {
 public:
  RowSink(const PNGImageLayout& layout, const TColorManager& colours, uint8_t* raw, uint8_t* pixels)
      : passes_(Passes(layout)),
        colours_(colours),
        raw_(raw),
        pixels_(pixels),
        imageWidth_(layout.width),
        pixelBytes_(std::max(1, Channels(layout.colorType) * layout.bitDepth / 8)),
        outBytes_(colours.OutputBytes()) {
    size_t widest = 0, widestPass = 0;
    for (const PassRows& p : passes_) {
      widest = std::max(widest, p.rowBytes);
      widestPass = std::max<size_t>(widestPass, p.width);
    }
    zeroRow_.assign(widest, 0);
    if (layout.interlaced) scratch_.resize(widestPass * outBytes_);
  }

  // Handles every row that lies wholly within the first `available` raw bytes.
  void Take(size_t available) {
    while (pass_ < passes_.size()) {
      const PassRows& p = passes_[pass_];
      if (available < offset_ + p.rowBytes + 1) return;
      uint8_t* row = raw_ + offset_ + 1;
      const uint8_t* prev = row_ == 0 ? zeroRow_.data() : row - (p.rowBytes + 1);
      if (!Unfilter(row[-1], row, prev, p.rowBytes, pixelBytes_))
        throw EInvalidGraphic(kPNGInvalidFormat);
      Convert(p, row);
      offset_ += p.rowBytes + 1;
      if (++row_ == p.height) ++pass_, row_ = 0;
    }
  }

 private:
  void Convert(const PassRows& p, const uint8_t* row) {
    const size_t y = size_t(p.pass.y0) + size_t(row_) * p.pass.dy;
    uint8_t* out = pixels_ + y * imageWidth_ * outBytes_;
    if (p.pass.dx == 1) {
      colours_.ConvertRow(row, p.width, out);
      return;
    }
    colours_.ConvertRow(row, p.width, scratch_.data());
    out += size_t(p.pass.x0) * outBytes_;
    const size_t step = size_t(p.pass.dx) * outBytes_;
    for (size_t i = 0; i < p.width; ++i, out += step)
      std::memcpy(out, scratch_.data() + i * outBytes_, outBytes_);
  }

  std::vector<PassRows> passes_;
  const TColorManager& colours_;
  uint8_t* raw_;
  uint8_t* pixels_;
  size_t imageWidth_;
  int pixelBytes_;
  size_t outBytes_;
  std::vector<uint8_t> zeroRow_;
  std::vector<uint8_t> scratch_;
  size_t pass_ = 0;
  uint32_t row_ = 0;
  size_t offset_ = 0;
};

}  // namespace

uint64_t RawImageSize(const PNGImageLayout& layout) {
  uint64_t total = 0;
  for (const PassRows& p : Passes(layout)) total += uint64_t(p.height) * (p.rowBytes + 1);
  return total;
}

size_t DecodeImageData(std::span<const uint8_t> file, size_t pos, const PNGImageLayout& layout,
                       const TColorManager& colours, TLZ77Decoder& inflater, uint8_t* pixels) {
  const size_t total = size_t(RawImageSize(layout));
  const std::unique_ptr<uint8_t[]> raw(new uint8_t[total]);
  RowSink sink(layout, colours, raw.get(), pixels);
  size_t produced = 0;
  bool ended = false;
  for (;;) {
    const std::optional<PNGChunk> chunk = ReadChunk(file, pos);
    if (!chunk || chunk->type != ChunkType("IDAT")) break;
    if (!chunk->CrcMatches()) throw EInvalidGraphic(kPNGCrcError);
    const uint8_t* in = chunk->data.data();
    size_t inLeft = chunk->data.size();
    while (inLeft > 0) {
      if (ended) throw EInvalidGraphic(kPNGExtraData);
      // Once the image is complete, a one-byte probe tells the stream's end from surplus data.
      uint8_t probe;
      const bool full = produced == total;
      uint8_t* out = full ? &probe : raw.get() + produced;
      const size_t room = full ? 1 : std::min(kInflateSlice, total - produced);
      size_t left = room;
      const size_t inBefore = inLeft;
      const TLZ77Decoder::Status status = inflater.Decode(in, inLeft, out, left);
      if (status == TLZ77Decoder::Status::Error) throw EInvalidGraphic(kPNGCompressionError);
      if (full && left == 0) throw EInvalidGraphic(kPNGExtraData);
      if (!full) {
        produced += room - left;
        sink.Take(produced);
      }
      ended = status == TLZ77Decoder::Status::StreamEnd;
      if (!ended && inLeft == inBefore && left == room) throw EInvalidGraphic(kPNGCompressionError);
    }
    pos = chunk->next;
  }
  if (produced < total) throw EInvalidGraphic(kPNGCompressionError);
  return pos;
}

}  // namespace img
