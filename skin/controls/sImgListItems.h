// The source pictures of an alpha image list: the stored PNG or 32-bit bitmap files, decoded on
// request into 32-bit pictures of the size asked for, with one cached picture per item.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "imaging/Bitmap32.h"

enum class TsImageFormat { ifPNG, ifICO, ifBMP32 };

struct TsImgListItem {
  TsImageFormat ImageFormat = TsImageFormat::ifPNG;
  std::vector<uint8_t> ImgData;  // the file's bytes
  // The decoded picture's size, known once the item was decoded at its own size.
  int ItemWidth = 0, ItemHeight = 0;
  // The picture at the size last asked for, while the list caches.
  std::unique_ptr<img::Bitmap32> CachedBitmap;
};

class TsImgListItems {
 public:
  int Count() const { return int(items_.size()); }
  TsImgListItem& operator[](int index) { return items_[size_t(index)]; }
  const TsImgListItem& operator[](int index) const { return items_[size_t(index)]; }
  // Appends an item holding a copy of the file's bytes; returns its index.
  int Add(TsImageFormat format, std::span<const uint8_t> data);
  void Clear() { items_.clear(); }

  bool UseCache() const { return useCache_; }
  // Setting it, to either value, drops every cached picture.
  void SetUseCache(bool value);

  // A new picture of item index at width x height: the file decoded, resampled (Mitchell) when
  // its size differs. Transparency the file describes (a palette's alpha table, a colour key)
  // becomes alpha; other pictures without alpha of their own are opaque except where they have
  // the colour of their bottom-left pixel. Null for an index out of range, an icon item (the system
  // list holds those), no data, or data that cannot be decoded or resampled: painting goes on
  // without the picture.
  std::unique_ptr<img::Bitmap32> GetItemBitmap(int index, int width, int height);

 private:
  std::vector<TsImgListItem> items_;
  bool useCache_ = true;
};
