// Skins kept inside the program: each item holds the packed bytes of one skin (the format of
// veSkinPack) with the name the manager finds it by and the shadow values shown with it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "imaging/Bitmap32.h"

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
  std::string Data;
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
