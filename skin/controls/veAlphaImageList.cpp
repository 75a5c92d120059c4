#include "skin/controls/veAlphaImageList.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>
#include <optional>
#include <string_view>
#include <vector>

#include "framework/IconFile.h"
#include "skin/render/sAlphaImage.h"

TsAlphaImageList::TsAlphaImageList(int width, int height) : fw::TImageList(width, height) {}

int TsAlphaImageList::AddItem(TsImageFormat format, std::span<const uint8_t> data) {
  return items_.Add(format, data);
}

namespace {

// The icon of an icon file's image closest to the size, or null.
HICON IconFromFile(const std::vector<uint8_t>& file, int w, int h) {
  std::string_view bytes(reinterpret_cast<const char*>(file.data()), file.size());
  std::optional<fw::IconImage> image = fw::PickIconImage(bytes, std::max(w, h));
  if (!image) return nullptr;
  auto* data = const_cast<PBYTE>(file.data() + image->offset);
  return CreateIconFromResourceEx(data, DWORD(image->size), TRUE, 0x00030000, w, h,
                                  LR_DEFAULTCOLOR);
}

bool HasAlpha(const img::Bitmap32& picture) {
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x)
      if (picture.Pixel(x, y).A != 0) return true;
  return false;
}

// An icon of colours and a mask leaves the alpha at 0 when drawn: its mask tells which pixels
// show (opaque) and which do not (clear).
void AlphaFromMask(img::Bitmap32& picture, HICON icon) {
  const int w = picture.Width(), h = picture.Height();
  img::Bitmap32 mask(w, h);
  DrawIconEx(mask.DC(), 0, 0, icon, w, h, 0, nullptr, DI_MASK);
  GdiFlush();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      img::TRGBAPixel& p = picture.Pixel(x, y);
      if (mask.Pixel(x, y).G == 0)
        p.A = 255;
      else
        p = {0, 0, 0, 0};
    }
}

}  // namespace

void TsAlphaImageList::BuildSystemList() {
  ImageList_RemoveAll(Handle());
  const int w = Width(), h = Height();
  for (int i = 0; i < items_.Count(); ++i) {
    // Icons go to the system list as they are; it draws them.
    if (items_[i].ImageFormat == TsImageFormat::ifICO) {
      if (HICON icon = IconFromFile(items_[i].ImgData, w, h)) {
        AddIcon(icon);
        DestroyIcon(icon);
        continue;
      }
    }
    std::vector<uint8_t> rgba(size_t(w) * size_t(h) * 4, 0);
    if (auto picture = items_.GetItemBitmap(i, w, h)) {
      uint8_t* out = rgba.data();
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x, out += 4) {
          const img::TRGBAPixel p = picture->Pixel(x, y);
          out[0] = p.R;
          out[1] = p.G;
          out[2] = p.B;
          out[3] = p.A;
        }
    }
    AddRGBA(rgba.data());
  }
}

std::unique_ptr<img::Bitmap32> TsAlphaImageList::GetItemBitmap(int index, int width,
                                                               int height) const {
  if (index < 0 || index >= Count() || width <= 0 || height <= 0) return nullptr;
  if (index < items_.Count() && items_[index].ImageFormat != TsImageFormat::ifICO)
    return items_.GetItemBitmap(index, width, height);
  // Icons and pictures added to the system list directly: the system's picture, with its alpha.
  HICON icon = GetIcon(index);
  if (!icon) return nullptr;
  auto picture = std::make_unique<img::Bitmap32>(width, height);
  DrawIconEx(picture->DC(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
  GdiFlush();
  if (!HasAlpha(*picture)) AlphaFromMask(*picture, icon);
  DestroyIcon(icon);
  return picture;
}

void TsAlphaImageList::Draw(HDC dc, int x, int y, int index) const {
  if (index < 0) return;
  if (index >= items_.Count() || items_[index].ImageFormat == TsImageFormat::ifICO) {
    fw::TImageList::Draw(dc, x, y, index);
    return;
  }
  const int w = Width(), h = Height();
  std::unique_ptr<img::Bitmap32> picture = items_.GetItemBitmap(index, w, h);
  if (!picture) return;
  try {
    // The picture is blended over a copy of what lies under it; its key pixels keep that copy.
    img::Bitmap32 under(w, h);
    BitBlt(under.DC(), 0, 0, w, h, dc, x, y, SRCCOPY);
    GdiFlush();
    DrawAlphaImage({0, 0, w, h}, {0, 0, w, h}, under, false, 0, kNoTint, true,
                   MakeBgSource(&under, 0, 0), picture.get());
    BitBlt(dc, x, y, w, h, under.DC(), 0, 0, SRCCOPY);
  } catch (const std::exception&) {
    // Painting goes on without the picture.
  }
}
