#include "skin/data/sBorderShadows.h"

#include <algorithm>
#include <memory>

#include "skin/data/MaskGeometry.h"
#include "skin/data/SkinBitmaps.h"
#include "skin/data/sSkinModel.h"
#include "skin/data/sColorMath.h"

namespace {

constexpr int kBuiltInMargin = 9;
// Skins from this version on store their PNG pictures premultiplied; the loader premultiplies
// those of older ones above 7.45 itself.
constexpr double kPremultipliedAtLoad = 7.45;

// One state frame of an entry as a picture of its own.
std::shared_ptr<img::Bitmap32> CopyFrame(const TsMaskData& entry, int state) {
  const img::Bitmap32* source = entry.Image   ? entry.Image.get()
                                : entry.Owner ? &entry.Owner->MasterImage
                                              : nullptr;
  int w = FrameWidth(entry), h = FrameHeight(entry);
  if (!source || w <= 0 || h <= 0) return nullptr;
  state = std::min(state, std::max(1, int(entry.StateCount)) - 1);
  int left = entry.SrcRect.Left + state * w, top = entry.SrcRect.Top;
  if (left < 0 || top < 0 || left + w > source->Width() || top + h > source->Height())
    return nullptr;
  auto frame = std::make_shared<img::Bitmap32>(w, h);
  for (int y = 0; y < h; ++y) std::copy_n(source->Row(top + y) + left, w, frame->Row(y));
  return frame;
}

TsMaskData Picture(std::shared_ptr<img::Bitmap32> image, const TsExtentMargins& slices,
                   const TsSkinModel& owner) {
  TsMaskData e;
  if (!image) return e;
  e.SrcRect = {0, 0, image->Width(), image->Height()};
  e.Image = std::move(image);
  e.StateCount = 1;
  e.Owner = &owner;
  e.MarginLeft = int16_t(slices.Left);
  e.MarginTop = int16_t(slices.Top);
  e.MarginRight = int16_t(slices.Right);
  e.MarginBottom = int16_t(slices.Bottom);
  return e;
}

// A built-in picture, decoded and premultiplied once per process.
std::shared_ptr<img::Bitmap32> BuiltIn(bool active) {
  static const std::pair<std::shared_ptr<img::Bitmap32>, std::shared_ptr<img::Bitmap32>> pictures =
      [] {
        auto decode = [](const std::string& bytes) -> std::shared_ptr<img::Bitmap32> {
          auto picture = DecodeSkinImage(bytes, false);
          if (!picture) return nullptr;
          auto bitmap = std::make_shared<img::Bitmap32>(ToSkinBitmap(std::move(*picture)));
          PremultiplyBitmap(*bitmap);
          return bitmap;
        };
        auto source = BuiltInShadowSource();
        if (!source)
          return std::pair<std::shared_ptr<img::Bitmap32>, std::shared_ptr<img::Bitmap32>>{};
        auto [a, i] = source();
        return std::pair{decode(a), decode(i)};
      }();
  return active ? pictures.first : pictures.second;
}

}  // namespace

TsShadowSource& BuiltInShadowSource() {
  static TsShadowSource source;
  return source;
}

TsBorderShadows ComputeBorderShadows(const TsSkinModel& skin, bool extendedBorders) {
  TsBorderShadows s;
  if (!extendedBorders) return s;
  s.Extended = true;
  const TsSkinData& g = skin.GlobalInfo;
  int index = skin.QuickIndexes.GlobalImages[9];  // EXBORDER
  if (!skin.IsValidImageIndex(index)) {
    s.Margins = {kBuiltInMargin, kBuiltInMargin, kBuiltInMargin, kBuiltInMargin};
    for (bool active : {true, false}) {
      std::shared_ptr<img::Bitmap32> picture = BuiltIn(active);
      int slice = picture ? (picture->Width() - 1) / 2 : 0;
      (active ? s.Active : s.Inactive) = Picture(picture, {slice, slice, slice, slice}, skin);
    }
    return s;
  }
  const TsMaskData& entry = skin.ImageTable[size_t(index)];
  TsExtentMargins slices{entry.MarginLeft, entry.MarginTop, entry.MarginRight, entry.MarginBottom};
  if (g.BorderMode != 0) {
    s.WholeFrame = true;
    s.Margins = {g.FormOffset, g.FormOffset, g.FormOffset, g.FormOffset};
  } else {
    auto less = [&](int margin) { return std::max(0, margin - g.FormOffset); };
    s.Margins = {less(slices.Left), less(slices.Top), less(slices.Right), less(slices.Bottom)};
  }
  for (int state : {0, 1}) {
    std::shared_ptr<img::Bitmap32> frame = CopyFrame(entry, state);
    // A picture the loader left straight is premultiplied here, once; premultiplying one the
    // loader already did would darken it.
    if (frame && g.SkinVersion <= kPremultipliedAtLoad) PremultiplyBitmap(*frame);
    (state == 0 ? s.Active : s.Inactive) = Picture(frame, slices, skin);
  }
  return s;
}
