#include "imaging/PNGImageData.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

#include "imaging/GraphicErrors.h"
#include "imaging/PNGChunks.h"
#include "imaging/PNGFilters.h"
#include "imaging/PNGMessages.h"

namespace img {

namespace {

// Inflating in slices of this size keeps the rows being unfiltered and converted in the cache.
constexpr size_t kInflateSlice = 64 * 1024;

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
struct PassList {
  std::array<PassRows, 7> items;
  size_t count = 0;
  void push_back(const PassRows& p) { items[count++] = p; }
  const PassRows* begin() const { return items.data(); }
  const PassRows* end() const { return items.data() + count; }
  size_t size() const { return count; }
  const PassRows& operator[](size_t i) const { return items[i]; }
};

PassList Passes(const PNGImageLayout& layout) {
  const uint64_t bitsPerPixel = uint64_t(Channels(layout.colorType)) * layout.bitDepth;
  PassList passes;
  for (const Pass& p : layout.interlaced ? std::span(kAdam7) : std::span(&kWhole, 1)) {
    if (layout.width <= p.x0 || layout.height <= p.y0) continue;
    const uint32_t w = (layout.width - p.x0 + p.dx - 1) / p.dx;
    const uint32_t h = (layout.height - p.y0 + p.dy - 1) / p.dy;
    passes.push_back({p, w, h, size_t((w * bitsPerPixel + 7) / 8)});
  }
  return passes;
}

// Takes the inflated bytes row by row as they arrive: unfilters each row in place against the
// row before it and converts it into the output pixels. Only a slice of the filtered data is
// held at a time (zlib keeps its own window), which keeps the working set in the cache and spares
// the page faults of a buffer as large as the image.
class RowSink {
 public:
  RowSink(const PNGImageLayout& layout, const TColorManager& colours, uint8_t* pixels)
      : passes_(Passes(layout)),
        colours_(colours),
        pixels_(pixels),
        imageWidth_(layout.width),
        pixelBytes_(std::max(1, Channels(layout.colorType) * layout.bitDepth / 8)),
        outBytes_(colours.OutputBytes()) {
    size_t widest = 0, widestPass = 0;
    for (const PassRows& p : passes_) {
      widest = std::max(widest, p.rowBytes);
      widestPass = std::max<size_t>(widestPass, p.width);
      remaining_ += uint64_t(p.height) * (p.rowBytes + 1);
    }
    // Room for the previous row, the row being filled and a good slice beyond.
    const uint64_t capacity = std::max<uint64_t>(kInflateSlice, 4 * (uint64_t(widest) + 1));
    capacity_ = size_t(std::min(capacity, remaining_));
    // One block for the rows, an all-zero row to stand before each pass, and for interlaced
    // images a row of converted pixels to spread out.
    const size_t scratch = layout.interlaced ? widestPass * outBytes_ : 0;
    storage_.reset(new uint8_t[capacity_ + widest + scratch]);
    buffer_ = storage_.get();
    zeroRow_ = buffer_ + capacity_;
    scratch_ = zeroRow_ + widest;
    std::memset(zeroRow_, 0, widest);
  }

  bool Complete() const { return remaining_ == 0; }

  // Where the inflater may write next: never more than the image still needs.
  std::span<uint8_t> Space() {
    if (capacity_ - end_ < remaining_ && capacity_ - end_ < capacity_ / 2) {
      std::memmove(buffer_, buffer_ + keep_, end_ - keep_);
      end_ -= keep_, row_ -= keep_, keep_ = 0;
    }
    return {buffer_ + end_, size_t(std::min<uint64_t>(capacity_ - end_, remaining_))};
  }

  // Accepts `count` bytes written at Space() and handles every row now complete.
  void Commit(size_t count) {
    end_ += count;
    remaining_ -= count;
    while (pass_ < passes_.size()) {
      const PassRows& p = passes_[pass_];
      if (end_ - row_ < p.rowBytes + 1) return;
      uint8_t* row = buffer_ + row_ + 1;
      const uint8_t* prev = rowInPass_ == 0 ? zeroRow_ : row - (p.rowBytes + 1);
      if (!Unfilter(row[-1], row, prev, p.rowBytes, pixelBytes_))
        throw EInvalidGraphic(kPNGInvalidFormat);
      Convert(p, row);
      keep_ = row_;
      row_ += p.rowBytes + 1;
      if (++rowInPass_ == p.height) ++pass_, rowInPass_ = 0, keep_ = row_;
    }
  }

 private:
  void Convert(const PassRows& p, const uint8_t* row) {
    const size_t y = size_t(p.pass.y0) + size_t(rowInPass_) * p.pass.dy;
    uint8_t* out = pixels_ + y * imageWidth_ * outBytes_;
    if (p.pass.dx == 1) {
      colours_.ConvertRow(row, p.width, out);
      return;
    }
    colours_.ConvertRow(row, p.width, scratch_);
    out += size_t(p.pass.x0) * outBytes_;
    switch (outBytes_) {
      case 4:
        return Scatter<4>(p, out);
      case 3:
        return Scatter<3>(p, out);
      default:
        return Scatter<1>(p, out);
    }
  }

  // Spreads a converted pass row to every dx-th pixel of the output row.
  template <size_t Bytes>
  void Scatter(const PassRows& p, uint8_t* out) const {
    const uint8_t* in = scratch_;
    const size_t step = size_t(p.pass.dx) * Bytes;
    for (size_t i = 0; i < p.width; ++i, out += step, in += Bytes) std::memcpy(out, in, Bytes);
  }

  PassList passes_;
  const TColorManager& colours_;
  uint8_t* pixels_;
  size_t imageWidth_;
  int pixelBytes_;
  size_t outBytes_;
  uint64_t remaining_ = 0;  // filtered bytes the image still needs
  std::unique_ptr<uint8_t[]> storage_;
  uint8_t* buffer_;
  size_t capacity_ = 0;
  size_t keep_ = 0;  // start of the bytes still needed: the previous row of the pass
  size_t row_ = 0;   // start of the next row to handle
  size_t end_ = 0;   // end of the inflated bytes
  uint8_t* zeroRow_;
  uint8_t* scratch_;
  size_t pass_ = 0;
  uint32_t rowInPass_ = 0;
};

}  // namespace

uint64_t RawImageSize(const PNGImageLayout& layout) {
  uint64_t total = 0;
  for (const PassRows& p : Passes(layout)) total += uint64_t(p.height) * (p.rowBytes + 1);
  return total;
}

size_t DecodeImageData(std::span<const uint8_t> file, size_t pos, const PNGImageLayout& layout,
                       const TColorManager& colours, TLZ77Decoder& inflater, uint8_t* pixels) {
  RowSink sink(layout, colours, pixels);
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
      const bool full = sink.Complete();
      const std::span<uint8_t> space = full ? std::span(&probe, 1) : sink.Space();
      uint8_t* out = space.data();
      size_t left = space.size();
      const size_t inBefore = inLeft;
      const TLZ77Decoder::Status status = inflater.Decode(in, inLeft, out, left);
      if (status == TLZ77Decoder::Status::Error) throw EInvalidGraphic(kPNGCompressionError);
      if (full && left == 0) throw EInvalidGraphic(kPNGExtraData);
      if (!full) sink.Commit(space.size() - left);
      ended = status == TLZ77Decoder::Status::StreamEnd;
      if (!ended && inLeft == inBefore && left == space.size())
        throw EInvalidGraphic(kPNGCompressionError);
    }
    pos = chunk->next;
  }
  if (!sink.Complete()) throw EInvalidGraphic(kPNGCompressionError);
  return pos;
}

}  // namespace img
