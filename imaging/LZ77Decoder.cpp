#include "imaging/LZ77Decoder.h"

#include <zlib.h>

#include <algorithm>
#include <climits>

#include "imaging/GraphicErrors.h"

namespace img {

namespace {
constexpr char kLZ77Error[] = "LZ77 decompression error.";
}

struct TLZ77Decoder::Stream {
  z_stream z{};
  bool open = false;
};

TLZ77Decoder::TLZ77Decoder() : stream_(std::make_unique<Stream>()) {
  if (inflateInit(&stream_->z) != Z_OK) throw EGraphicCompression(kLZ77Error);
  stream_->open = true;
#if ZLIB_VERNUM >= 0x1290
  inflateValidate(&stream_->z, 0);
#endif
}

TLZ77Decoder::~TLZ77Decoder() {
  if (stream_->open) inflateEnd(&stream_->z);
}

TLZ77Decoder::Status TLZ77Decoder::Decode(const uint8_t*& in, size_t& inSize, uint8_t*& out,
                                          size_t& outSize) {
  z_stream& z = stream_->z;
  for (;;) {
    // zlib counts in 32-bit units: hand over at most that much at a time.
    const uInt inStep = uInt(std::min<size_t>(inSize, UINT_MAX));
    const uInt outStep = uInt(std::min<size_t>(outSize, UINT_MAX));
    z.next_in = const_cast<Bytef*>(in);
    z.avail_in = inStep;
    z.next_out = out;
    z.avail_out = outStep;
    // Z_FINISH lets zlib skip its sliding window when the stream completes in this call (all of
    // a small image); when it does not, zlib carries on exactly as with Z_NO_FLUSH.
    const int rc = inflate(&z, Z_FINISH);
    const size_t usedIn = inStep - z.avail_in, usedOut = outStep - z.avail_out;
    in += usedIn, inSize -= usedIn;
    out += usedOut, outSize -= usedOut;
    if (rc == Z_STREAM_END) return Status::StreamEnd;
    // Z_BUF_ERROR only says that no progress was possible without more input or output.
    if (rc != Z_OK && rc != Z_BUF_ERROR) return Status::Error;
    if ((inSize == 0 || outSize == 0) || (usedIn == 0 && usedOut == 0)) return Status::Progress;
  }
}

void TLZ77Decoder::End() {
  if (!stream_->open) return;
  stream_->open = false;
  if (inflateEnd(&stream_->z) != Z_OK) throw EGraphicCompression(kLZ77Error);
}

}  // namespace img
