#include "skin/data/veSkinPack.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "platform/Host.h"
#include "skin/data/SkinText.h"

namespace {

constexpr char kMagic[4] = {'V', 'L', 'z', 'f'};
// The decompressor feeds the source to zlib in chunks of this size.
constexpr size_t kChunkSize = 65536;
// No member of a real skin comes near this; a stated size above it is taken as damaged data
// rather than an allocation to attempt.
constexpr uint32_t kMaxMemberSize = 256u << 20;

// A read position over the packed bytes that throws instead of reading past the end.
class SourceReader {
 public:
  explicit SourceReader(std::string_view data) : data_(data) {}

  uint32_t ReadUInt32() {
    std::string_view bytes = ReadBytes(4);
    return uint32_t(uint8_t(bytes[0])) | uint32_t(uint8_t(bytes[1])) << 8 |
           uint32_t(uint8_t(bytes[2])) << 16 | uint32_t(uint8_t(bytes[3])) << 24;
  }

  std::string_view ReadBytes(size_t count) {
    if (count > Remaining()) throw EReadError();
    std::string_view bytes = data_.substr(pos_, count);
    pos_ += count;
    return bytes;
  }

  // Inflates the zlib stream starting here into exactly size bytes and moves past the stream's
  // end. The stream must end right after those bytes: one that ends early or yields more leaves
  // no reliable start for the next member.
  std::string Inflate(uint32_t size) {
    if (size > kMaxMemberSize) throw EReadError();
    z_stream z{};
    if (inflateInit(&z) != Z_OK) throw EZDecompressionError("Decompression initialisation failed");
    std::string out;
    try {
      out = InflateInto(z, size);
    } catch (...) {
      inflateEnd(&z);
      throw;
    }
    inflateEnd(&z);
    return out;
  }

 private:
  size_t Remaining() const { return data_.size() - pos_; }

  std::string InflateInto(z_stream& z, uint32_t size) {
    // The buffer grows only as far as the input can fill it, so a stated size larger than the
    // data can hold costs nothing.
    std::string out;
    unsigned char spare[1];
    size_t chunkStart = pos_;
    for (;;) {
      if (z.avail_in == 0) {
        if (Remaining() == 0) throw EReadError();
        chunkStart = pos_;
        size_t chunk = std::min(kChunkSize, Remaining());
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data_.data() + pos_));
        z.avail_in = static_cast<uInt>(chunk);
        pos_ += chunk;
      }
      size_t have = out.size();
      size_t room = size - have;
      if (room > 0) {
        // Deflate expands at most about 1032 times, so the rest of the input bounds what it can
        // still produce; asking for that much at once avoids growing the buffer step by step.
        uint64_t possible = uint64_t(Remaining() + z.avail_in) * 1032 + kChunkSize;
        out.resize(have + size_t(std::min<uint64_t>(room, possible)));
        z.next_out = reinterpret_cast<Bytef*>(out.data() + have);
        z.avail_out = static_cast<uInt>(out.size() - have);
      } else {
        // All the stated bytes are in; any further output means the size was wrong.
        z.next_out = spare;
        z.avail_out = sizeof spare;
      }
      uInt before = z.avail_out;
      int rc = inflate(&z, Z_NO_FLUSH);
      size_t produced = before - z.avail_out;
      if (room == 0 && produced > 0) throw EReadError();
      out.resize(have + produced);
      if (rc == Z_STREAM_END) {
        if (out.size() != size) throw EReadError();
        // Give back the input that zlib read ahead but did not use.
        pos_ = chunkStart + (z.next_in - reinterpret_cast<const Bytef*>(data_.data() + chunkStart));
        return out;
      }
      if (rc == Z_BUF_ERROR && z.avail_in == 0) continue;
      if (rc != Z_OK) throw EZDecompressionError(z.msg ? z.msg : "Decompression error");
    }
  }

  std::string_view data_;
  size_t pos_ = 0;
};

void PutUInt32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

void TveSkinConvertor::Clear() {
  while (!ImageItems.empty()) ImageItems.pop_back();
  OptionsData.reset();
  SourceStream.reset();
}

void ReadPackedSkinFile(const std::string& fileName, std::unique_ptr<TveSkinConvertor>& convertor,
                        bool freeSource) {
  std::string bytes;
  try {
    bytes = platform::CurrentHost().ReadFile(fileName);
  } catch (const platform::FileOpenError&) {
    return;
  }
  if (convertor)
    convertor->Clear();
  else
    convertor = std::make_unique<TveSkinConvertor>();
  convertor->SourceStream = std::move(bytes);
  ReadPackedSkin(convertor);
  if (freeSource && convertor) convertor->SourceStream.reset();
}

void ReadPackedSkin(std::unique_ptr<TveSkinConvertor>& convertor) {
  if (!convertor) throw EPackedSkinError();
  std::string_view source;
  if (convertor->SourceStream) source = *convertor->SourceStream;
  if (source.size() < sizeof kMagic || std::memcmp(source.data(), kMagic, sizeof kMagic) != 0) {
    convertor->Clear();
    convertor.reset();
    throw EPackedSkinError();
  }
  SourceReader reader(source);
  reader.ReadBytes(sizeof kMagic);
  uint32_t count = reader.ReadUInt32();
  convertor->LastImageIndex = static_cast<int32_t>(count - 1);
  // Every member takes at least eight header bytes, so a count that the data cannot hold ends in
  // a read error within a few steps instead of a long loop.
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t nameLength = reader.ReadUInt32();
    std::string name(reader.ReadBytes(nameLength));
    uint32_t size = reader.ReadUInt32();
    std::string data = reader.Inflate(size);
    if (skin::SameTextAscii(name, kOptionsFileName)) {
      convertor->OptionsData = std::move(data);
    } else {
      bool isBitmap = skin::UpperCase(skin::FileExtension(name)) == ".BMP";
      convertor->ImageItems.push_back({std::move(name), isBitmap, std::move(data)});
    }
  }
}

std::string WritePackedSkin(const std::vector<TvePackedMember>& members) {
  std::string out(kMagic, sizeof kMagic);
  PutUInt32(out, static_cast<uint32_t>(members.size()));
  for (const TvePackedMember& member : members) {
    PutUInt32(out, static_cast<uint32_t>(member.Name.size()));
    out += member.Name;
    PutUInt32(out, static_cast<uint32_t>(member.Data.size()));
    uLongf packedSize = compressBound(static_cast<uLong>(member.Data.size()));
    std::string packed(packedSize, '\0');
    int rc = compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                       reinterpret_cast<const Bytef*>(member.Data.data()),
                       static_cast<uLong>(member.Data.size()), Z_BEST_COMPRESSION);
    if (rc != Z_OK) throw EZDecompressionError("Compression failed");
    out.append(packed.data(), packedSize);
  }
  return out;
}
