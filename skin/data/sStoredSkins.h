// Skins kept inside the program: each item holds the packed bytes of one skin (the format of
// veSkinPack) with the name the manager finds it by and the shadow values shown with it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/Bitmap32.h"

// The packed bytes of a stored skin: bytes of its own, or a view of bytes that live as long as
// the program (the skins built into it), which are then never copied: only the skin in use is
// read, and the others cost no memory.
class TsSkinBytes {
 public:
  TsSkinBytes() = default;
  // Not explicit: items are given their bytes by assignment.
  TsSkinBytes(std::string bytes)
      : owned_(std::make_shared<const std::string>(std::move(bytes))), view_(*owned_) {}
  static TsSkinBytes Lasting(std::string_view bytes) {
    TsSkinBytes result;
    result.view_ = bytes;
    return result;
  }
  operator std::string_view() const { return view_; }
  bool empty() const { return view_.empty(); }
  size_t size() const { return view_.size(); }
  friend bool operator==(const TsSkinBytes& a, std::string_view b) { return a.view_ == b; }

 private:
  // Shared, so that copies of an item keep viewing bytes that are still there.
  std::shared_ptr<const std::string> owned_;
  std::string_view view_;
};

class TsStoredSkin {
 public:
  std::string Name;
  img::Bitmap32 MasterBitmap;  // empty for every skin this program stores
  int32_t Shadow1Color = 0;
  int32_t Shadow1Offset = 0;
  int32_t Shadow1Blur = -1;
  int32_t Shadow1Transparency = 0;
  int32_t BorderColor = 0xFF00FF;
  double Version = 0;
  std::string Author;
  std::string Description;
  // The packed skin bytes, always written with the item.
  TsSkinBytes Data;
};

class TsStoredSkins {
 public:
  // The owner hears of every change to the collection (the manager raises its skin list event).
  explicit TsStoredSkins(std::function<void()> onChange = {}) : onChange_(std::move(onChange)) {}

  int Count() const { return static_cast<int>(items_.size()); }
  const TsStoredSkin& Items(int index) const { return items_.at(static_cast<size_t>(index)); }
  // The first item whose Name equals name exactly (letter case counts), or -1.
  int IndexOfSkin(const std::string& name) const;

  TsStoredSkin& Add(TsStoredSkin item);
  void SetItem(int index, TsStoredSkin item);
  void Delete(int index);
  void Clear();

 private:
  void Changed() const {
    if (onChange_) onChange_();
  }

  std::function<void()> onChange_;
  std::vector<TsStoredSkin> items_;
};
