// An image list whose pictures keep their alpha channel. The stored PNG or bitmap files are the
// source of truth; the system's 32-bit image list is built from them for controls that know only
// that, and the list's own drawing blends the picture over what the device context shows.
#pragma once

#include <windows.h>

#include <memory>
#include <span>

#include "framework/Graphics.h"
#include "skin/controls/sImgListItems.h"

class TsAlphaImageList : public fw::TImageList {
 public:
  TsAlphaImageList(int width, int height);

  // Appends a source picture; BuildSystemList shows it to the system list.
  int AddItem(TsImageFormat format, std::span<const uint8_t> data);
  TsImgListItems& Items() { return items_; }
  int ItemCount() const { return items_.Count(); }

  bool UseCache() const { return items_.UseCache(); }
  void SetUseCache(bool value) { items_.SetUseCache(value); }

  // Makes the system list again: one picture per item, in order; an item that cannot be decoded
  // keeps its place with a blank picture.
  void BuildSystemList();
  // At another display scale the pictures come from the items' files, not from the pictures
  // made for the last scale: each is resampled smoothly from its file's largest useful image.
  void ScaleTo(int dpi) override;
  // A new 32-bit picture of an item at width x height, or null (see TsImgListItems); an icon
  // item, or a picture added to the system list directly, comes from the system list.
  std::unique_ptr<img::Bitmap32> GetItemBitmap(int index, int width, int height) const;

  // Items are blended with their alpha over what dc shows at (x, y); icon items and pictures
  // added to the system list directly are drawn by the system; other indexes draw nothing.
  void Draw(HDC dc, int x, int y, int index) const override;

 private:
  mutable TsImgListItems items_;
};
