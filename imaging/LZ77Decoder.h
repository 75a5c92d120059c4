// A zlib (RFC 1950) inflate stream fed and drained in caller-sized pieces.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace img {

class TLZ77Decoder {
 public:
  enum class Status {
    Progress,   // all input taken or all output space used; call again with more of either
    StreamEnd,  // the compressed stream is complete
    Error,      // the data is not a valid zlib stream
  };

  // Throws EGraphicCompression when zlib cannot be set up. The Adler-32 trailer is not checked
  // where zlib can skip it: the PNG CRC-32 of every IDAT chunk already guards the data.
  TLZ77Decoder();
  ~TLZ77Decoder();
  TLZ77Decoder(const TLZ77Decoder&) = delete;
  TLZ77Decoder& operator=(const TLZ77Decoder&) = delete;

  // Inflates from [in, in + inSize) into [out, out + outSize); advances both pointers and
  // shrinks both sizes by what was used.
  Status Decode(const uint8_t*& in, size_t& inSize, uint8_t*& out, size_t& outSize);

  // Releases zlib's state; throws EGraphicCompression when zlib reports a failure. The
  // destructor releases it quietly when End was not called.
  void End();

 private:
  struct Stream;
  std::unique_ptr<Stream> stream_;
};

}  // namespace img
