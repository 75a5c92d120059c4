#include "skin/controls/veAlphaImageList.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>
#include <optional>
#include <string_view>
#include <vector>

#include "framework/IconFile.h"
#include "platform/Dpi.h"
#include "skin/render/sAlphaImage.h"
#include "skin/render/sResample.h"

TsAlphaImageList::TsAlphaImageList(int width, int height) : fw::TImageList(width, height) {}

int TsAlphaImageList::AddItem(TsImageFormat format, std::span<const uint8_t> data) {
  return items_.Add(format, data);
}

namespace {

// The image of an icon file for a picture of w x h: the smallest not smaller, else the largest.
std::optional<fw::IconImage> IconImageFor(const std::vector<uint8_t>& file, int w, int h) {
  std::string_view bytes(reinterpret_cast<const char*>(file.data()), file.size());
  return fw::PickIconImage(bytes, std::max(w, h));
}

// The icon of one image of an icon file, drawn at w x h, or null.
HICON IconFromFile(const std::vector<uint8_t>& file, const fw::IconImage& image, int w, int h) {
  auto* data = const_cast<PBYTE>(file.data() + image.offset);
  return CreateIconFromResourceEx(data, DWORD(image.size), TRUE, 0x00030000, w, h, LR_DEFAULTCOLOR);
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

// The icon's picture at w x h with its alpha.
std::unique_ptr<img::Bitmap32> PictureOfIcon(HICON icon, int w, int h) {
  auto picture = std::make_unique<img::Bitmap32>(w, h);
  DrawIconEx(picture->DC(), 0, 0, icon, w, h, 0, nullptr, DI_NORMAL);
  GdiFlush();
  if (!HasAlpha(*picture)) AlphaFromMask(*picture, icon);
  return picture;
}

// An icon image of another size than w x h, at its own size and resampled smoothly: the
// system's stretch would pick pixels.
std::unique_ptr<img::Bitmap32> ResampledIcon(const std::vector<uint8_t>& file,
                                             const fw::IconImage& image, int w, int h) {
  HICON icon = IconFromFile(file, image, image.width, image.height);
  if (!icon) return nullptr;
  std::unique_ptr<img::Bitmap32> own = PictureOfIcon(icon, image.width, image.height);
  DestroyIcon(icon);
  auto picture = std::make_unique<img::Bitmap32>();
  try {
    ResampleBitmap(*own, *picture, w, rfMitchell, h);
  } catch (const std::exception&) {
    return nullptr;
  }
  return picture;
}

}  // namespace

void TsAlphaImageList::ScaleTo(int dpi) {
  if (ResizeTo(dpi)) BuildSystemList();
}

void TsAlphaImageList::BuildSystemList() {
  Clear();
  const int w = Width(), h = Height();
  for (int i = 0; i < items_.Count(); ++i) {
    std::unique_ptr<img::Bitmap32> picture;
    if (items_[i].ImageFormat == TsImageFormat::ifICO) {
      const std::vector<uint8_t>& file = items_[i].ImgData;
      std::optional<fw::IconImage> image = IconImageFor(file, w, h);
      // An image of the list's size goes to the system list as it is, and so does any at the
      // list's design scale; the system draws them.
      if (image && ((image->width == w && image->height == h) || Dpi() == platform::kDesignDpi)) {
        if (HICON icon = IconFromFile(file, *image, w, h)) {
          AddIcon(icon);
          DestroyIcon(icon);
          continue;
        }
      }
      if (image) picture = ResampledIcon(file, *image, w, h);
    } else {
      picture = items_.GetItemBitmap(i, w, h);
    }
    std::vector<uint8_t> rgba(size_t(w) * size_t(h) * 4, 0);
    if (picture) {
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
  std::unique_ptr<img::Bitmap32> picture = PictureOfIcon(icon, width, height);
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
