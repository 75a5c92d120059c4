// The hue and saturation passes over a freshly parsed skin: images, section colours, the shadow
// colour and most of the palette.
#include <algorithm>

#include "skin/data/sSkinModel.h"
#include "skin/data/sColorMath.h"

namespace {

// Palette entries that follow the skin's hue and saturation; the others are fixed signal colours.
constexpr bool kPaletteShifts[kPaletteSize] = {1, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
                                               0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};

template <typename ColorFn>
void ChangeColors(TsSkinModel& m, ColorFn change) {
  auto gradient = [&](TsGradArray& g) {
    for (TsGradPart& band : g) band.Color1 = change(band.Color1), band.Color2 = change(band.Color2);
  };
  auto state = [&](TsGenState& s) {
    for (int32_t* c :
         {&s.Color, &s.FontColor, &s.TCLeft, &s.TCTop, &s.TCRight, &s.TCBottom, &s.GCol})
      *c = change(*c);
    gradient(s.Gradient);
  };
  for (TsGeneralData& d : m.SectionTable) {
    for (int32_t* c : {&d.Color, &d.HotColor, &d.GCol, &d.HGCol, &d.FontColor, &d.HotFontColor,
                       &d.TCLeft, &d.TCTop, &d.TCRight, &d.TCBottom, &d.HotTCLeft, &d.HotTCTop,
                       &d.HotTCRight, &d.HotTCBottom})
      *c = change(*c);
    gradient(d.Gradient);
    gradient(d.HotGradient);
    state(d.States[0]);
    state(d.States[1]);
  }
  m.GlobalInfo.Shadow1Color = change(m.GlobalInfo.Shadow1Color);
  for (size_t i = 0; i < kPaletteSize; ++i)
    if (kPaletteShifts[i]) m.Palette[i] = change(m.Palette[i]);
}

// A picture not decoded yet takes the pass after its decode. An entry in keep lies in a picture
// of its own that keeps its colours.
void ChangeImages(TsSkinModel& m, const TsSkinImage::Pass& change,
                  const std::vector<const TsMaskData*>& keep = {}) {
  change(m.MasterImage);
  for (TsMaskData& e : m.ImageTable)
    if (std::find(keep.begin(), keep.end(), &e) == keep.end()) e.Image.Then(change);
}

// The pixels of an image entry's rectangle, to put back after a pass.
struct SavedPixels {
  img::Bitmap32* bitmap;
  TRect rect;
  std::vector<img::TRGBAPixel> pixels;
};

SavedPixels Save(img::Bitmap32& bitmap, const TRect& r) {
  TRect clipped{std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, bitmap.Width()),
                std::min(r.Bottom, bitmap.Height())};
  SavedPixels saved{&bitmap, clipped, {}};
  for (int y = clipped.Top; y < clipped.Bottom; ++y)
    for (int x = clipped.Left; x < clipped.Right; ++x) saved.pixels.push_back(bitmap.Pixel(x, y));
  return saved;
}

void Restore(const SavedPixels& saved) {
  size_t i = 0;
  for (int y = saved.rect.Top; y < saved.rect.Bottom; ++y)
    for (int x = saved.rect.Left; x < saved.rect.Right; ++x)
      saved.bitmap->Pixel(x, y) = saved.pixels[i++];
}

}  // namespace

void TsSkinModel::ApplyHueOffset() {
  // Skins may keep their title-bar buttons in their own colours: only the close buttons
  // (BIKEEPHUE other than 1) or all but the small help button (BIKEEPHUE=1).
  // A button with a picture of its own is passed over; one in the master bitmap is put back.
  std::vector<SavedPixels> kept;
  std::vector<const TsMaskData*> ownKept;
  if (GlobalInfo.BIKeepHue != 0) {
    size_t count = GlobalInfo.BIKeepHue == 1 ? 10 : 3;
    for (size_t i = 0; i < count; ++i) {
      int index = FindImageByName(kGlobalInfoSection, kTitleButtonKeys[i]);
      if (index < 0) continue;
      TsMaskData& e = ImageTable[size_t(index)];
      if (e.Image)
        ownKept.push_back(&e);
      else
        kept.push_back(Save(MasterImage, e.SrcRect));
    }
  }
  int amount = HueOffset;
  ChangeImages(
      *this, [amount](img::Bitmap32& b) { ChangeBitmapHue(b, amount); }, ownKept);
  ChangeColors(*this, [amount](int32_t c) { return ChangeHueColor(amount, c); });
  for (const SavedPixels& saved : kept) Restore(saved);
}

void TsSkinModel::ApplySaturation() {
  int amount = Saturation % 101;
  ChangeImages(*this, [amount](img::Bitmap32& b) { ChangeBitmapSaturation(b, amount); });
  ChangeColors(*this, [amount](int32_t c) { return c == -1 ? c : ChangeSaturation(amount, c); });
}
