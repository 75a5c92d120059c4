#include "skin/controls/veAlphaImageList.h"

#include <commctrl.h>

#include <exception>
#include <vector>

#include "skin/render/sAlphaImage.h"

TsAlphaImageList::TsAlphaImageList(int width, int height) : fw::TImageList(width, height) {}

int TsAlphaImageList::AddItem(TsImageFormat format, std::span<const uint8_t> data) {
  return items_.Add(format, data);
}

void TsAlphaImageList::BuildSystemList() {
  ImageList_RemoveAll(Handle());
  const int w = Width(), h = Height();
  for (int i = 0; i < items_.Count(); ++i) {
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
  return items_.GetItemBitmap(index, width, height);
}

void TsAlphaImageList::Draw(HDC dc, int x, int y, int index) const {
  if (index < 0) return;
  if (index >= items_.Count()) {
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
