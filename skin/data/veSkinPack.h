// Packed skins: a skin's options file and images in one archive.
//
// Layout (integers are unsigned 32-bit little-endian): the magic "VLzf", the member count, then
// each member as name length, name bytes, unpacked size and a zlib stream that inflates to exactly
// that many bytes. The compressed length is not stored: the next member starts where the zlib
// stream ends, so the reader finds it by inflating.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The member that holds the options text; compared case-insensitively.
inline constexpr std::string_view kOptionsFileName = "Options.dat";

// Input that ends early, or whose stated sizes do not fit what follows.
class EReadError : public std::runtime_error {
 public:
  EReadError() : std::runtime_error("Stream read error") {}
};

// Data that is not the packed format at all.
class EPackedSkinError : public std::runtime_error {
 public:
  EPackedSkinError() : std::runtime_error("Loaded data is not a packed Velvane file") {}
};

// Corrupt compressed data; the message is the decompressor's own.
class EZDecompressionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TveImageItem {
  std::string Name;  // as stored
  bool IsBitmap;     // the extension is ".BMP", in any letter case
  std::string Data;  // the unpacked bytes
};

// The result of reading a packed skin.
class TveSkinConvertor {
 public:
  // Member count - 1: the loaders take it as the last image's index, counting on exactly one
  // member being the options file.
  int32_t LastImageIndex = -1;
  std::vector<TveImageItem> ImageItems;
  std::optional<std::string> OptionsData;
  std::optional<std::string> SourceStream;

  void Clear();
};

// Reads a packed skin file. A file that cannot be read leaves everything unchanged. Otherwise the
// convertor is cleared (or created), filled, and its source released when freeSource is set.
// Throws what ReadPackedSkin throws.
void ReadPackedSkinFile(const std::string& fileName, std::unique_ptr<TveSkinConvertor>& convertor,
                        bool freeSource);

// Unpacks the convertor's SourceStream into ImageItems, OptionsData and LastImageIndex. A wrong
// magic releases the convertor (the reference becomes null) and throws EPackedSkinError; input
// that ends early or does not fit its sizes throws EReadError; corrupt compressed data throws
// EZDecompressionError.
void ReadPackedSkin(std::unique_ptr<TveSkinConvertor>& convertor);

// One member to pack.
struct TvePackedMember {
  std::string Name;
  std::string Data;
};

// The packed bytes of the members, in the order given. The same members always give the same
// bytes.
std::string WritePackedSkin(const std::vector<TvePackedMember>& members);
