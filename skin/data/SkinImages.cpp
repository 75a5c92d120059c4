// The image passes of a load: MasterImage and ImageTable from the image entries, then
// PatternTable and the small JPEG textures. The master bitmap is decoded here, since the corner
// scan of its border masks and every first paint need it; an image file of its own is read only
// for its size and decoded on first use, unless it is a border mask, whose corners are scanned.
#include <algorithm>
#include <optional>

#include "skin/data/ImageEntry.h"
#include "skin/data/MaskGeometry.h"
#include "skin/data/SkinBitmaps.h"
#include "skin/data/SkinNumbers.h"
#include "skin/data/SkinOptions.h"
#include "skin/data/SkinText.h"
#include "skin/data/sSkinModel.h"

namespace {

// JPEG pictures of this many pixels or more stay JPEG; smaller ones become bitmaps.
constexpr int64_t kLargePicturePixels = 900000;

int16_t SafeDiv(int value, int divisor) {
  return static_cast<int16_t>(divisor > 0 ? value / divisor : 0);
}

// Margins from the image size: a third of a state frame's width and of a picture band's height.
void SizeRuleMargins(TsMaskData& e, int width, int height) {
  e.MarginLeft = e.MarginRight = SafeDiv(width, e.StateCount * 3);
  e.MarginTop = e.MarginBottom = SafeDiv(height, (e.MaskRows + 1) * 3);
}

bool IsKey(const img::TRGBAPixel& p) {
  return p.R == 0xFF && p.G == 0 && p.B == 0xFF;
}

// Whether key-coloured pixels lie in the corner areas of the first state frame.
bool CornersHaveKeyPixels(const TsMaskData& e, const img::Bitmap32& bitmap) {
  int left = e.SrcRect.Left, top = e.SrcRect.Top;
  int right = left + FrameWidth(e), bottom = top + FrameHeight(e);
  const TRect corners[4] = {{left, top, left + e.MarginLeft, top + e.MarginTop},
                            {right - e.MarginRight, top, right, top + e.MarginTop},
                            {left, bottom - e.MarginBottom, left + e.MarginLeft, bottom},
                            {right - e.MarginRight, bottom - e.MarginBottom, right, bottom}};
  for (const TRect& c : corners) {
    int x0 = std::max(c.Left, 0), y0 = std::max(c.Top, 0);
    int x1 = std::min(c.Right, bitmap.Width()), y1 = std::min(c.Bottom, bitmap.Height());
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (IsKey(bitmap.Pixel(x, y))) return true;
  }
  return false;
}

// An image file's picture, decoded on first use. The entry keeps the file's bytes until then: a
// packed skin's members are let go once the load is over.
TsSkinImage DeferredPicture(std::string_view bytes, bool isBitmap, double skinVersion, int width,
                            int height) {
  auto kept = std::make_shared<const std::string>(bytes);
  return TsSkinImage::Deferred(
      width, height, [kept, isBitmap, skinVersion]() -> std::optional<img::Bitmap32> {
        std::optional<img::Picture> picture = DecodeSkinImage(*kept, isBitmap);
        if (!picture) return std::nullopt;
        img::Bitmap32 bitmap = ToSkinBitmap(std::move(*picture));
        if (!isBitmap) PreparePngBitmap(bitmap, skinVersion);
        return bitmap;
      });
}

}  // namespace

template <typename Visit>
void TsSkinModel::ForEachKey(Visit visit) const {
  for (const fw::IniText* ini : {&options_, &common_}) {
    bool upper = ini == &common_;
    for (const fw::IniText::Section& section : ini->Sections()) {
      std::string sectionName = upper ? skin::UpperCase(section.name) : section.name;
      std::vector<std::string_view> seen;
      for (const auto& [key, value] : section.entries) {
        // A repeated key has the value of its first occurrence, already visited.
        if (std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
        seen.push_back(key);
        visit(sectionName, upper ? skin::UpperCase(key) : key, value);
      }
    }
  }
}

void TsSkinModel::LoadImages() {
  ImageTable.clear();
  MasterImage = img::Bitmap32();
  GlobalInfo.SkinVersion =
      skin::TryStrToFloat(options_.ReadString(kGlobalInfoSection, "VERSION", "")).value_or(0);
  std::string master = options_.ReadString(kGlobalInfoSection, "MASTERBITMAP", "");
  if (!master.empty())
    if (std::string storage;
        std::optional<std::string_view> bytes = ReadSkinFile(master, storage)) {
      bool isBitmap = skin::UpperCase(skin::FileExtension(master)) == ".BMP";
      if (std::optional<img::Picture> picture = DecodeSkinImage(*bytes, isBitmap)) {
        MasterImage = ToSkinBitmap(std::move(*picture));
        CountDecodedPicture(MasterImage);
      }
    }
  ForEachKey([&](const std::string& section, const std::string& key, const std::string& value) {
    if (section == kGlobalInfoSection && key == "MASTERBITMAP") return;
    AddImageEntry(section, key, value);
  });
}

void TsSkinModel::AddImageEntry(const std::string& section, const std::string& key,
                                std::string_view value) {
  std::optional<ParsedImageEntry> parsed = ParseImageEntry(value);
  if (!parsed) return;
  using Form = ParsedImageEntry::Form;
  TsMaskData e = parsed->Entry;
  e.Owner = this;
  bool upperNames = parsed->form == Form::PlainName || parsed->form == Form::Free;
  e.SectionName = upperNames ? skin::UpperCase(section) : section;
  e.KeyName = upperNames ? skin::UpperCase(key) : key;
  if (parsed->form == Form::External || parsed->form == Form::PlainName) {
    std::string storage;
    std::optional<std::string_view> bytes = ReadSkinFile(parsed->FileName, storage);
    if (!bytes) return;
    bool isBitmap = skin::UpperCase(skin::FileExtension(parsed->FileName)) == ".BMP";
    std::optional<std::pair<int, int>> size = SkinImageSize(*bytes, isBitmap);
    if (!size) return;
    const auto [width, height] = *size;
    e.Image = DeferredPicture(*bytes, isBitmap, GlobalInfo.SkinVersion, width, height);
    e.SrcRect = {0, 0, width, height};
    if (parsed->DefaultMargins) SizeRuleMargins(e, width, height);
  }
  if (parsed->MarginsFromDefault) {
    if (e.DefaultMargin != 0)
      e.MarginLeft = e.MarginTop = e.MarginRight = e.MarginBottom = e.DefaultMargin;
    else
      SizeRuleMargins(e, e.SrcRect.Width(), e.SrcRect.Height());
  }
  // Border masks of skins before 7.4 did not say whether to stretch; a frame whose centre is a
  // single pixel is stretched.
  if (parsed->form == Form::BorderMask && e.MaskRows > 0 && GlobalInfo.SkinVersion < 7.4) {
    int frameWidth = SafeDiv(e.SrcRect.Width(), e.StateCount);
    int frameHeight = SafeDiv(e.SrcRect.Height(), e.MaskRows + 1);
    bool stretch = frameWidth - e.MarginLeft - e.MarginRight == 1 &&
                   frameHeight - e.MarginTop - e.MarginBottom == 1;
    e.PaintFlags = static_cast<int16_t>(stretch ? e.PaintFlags | 1 : e.PaintFlags & ~1);
  }
  if (e.ImageKind == kImageBorderMask) {
    if (e.SectionName == "BUTTON_HUGE" && e.KeyName == "BORDERSMASK")
      e.CornerTransparency = 2;
    else
      e.CornerTransparency = CornersHaveKeyPixels(e, e.Image ? *e.Image : MasterImage) ? 1 : 0;
  }
  ImageTable.push_back(std::move(e));
}

void TsSkinModel::LoadPatterns() {
  PatternTable.clear();
  ForEachKey([&](const std::string& section, const std::string& key, const std::string& value) {
    std::string upper = skin::UpperCase(value);
    if (upper.find(".JPG") != std::string::npos || upper.find(".JPEG") != std::string::npos)
      AddJpegEntry(skin::UpperCase(section), skin::UpperCase(key), value);
  });
}

void TsSkinModel::AddJpegEntry(const std::string& section, const std::string& key,
                               std::string_view value) {
  std::string storage;
  std::optional<std::string_view> bytes = ReadSkinFile(value, storage);
  if (!bytes) return;
  auto picture = std::make_shared<TveTinyJPGImage>();
  if (!picture->LoadFromStream(*bytes) || picture->Empty()) return;
  if (int64_t(picture->Width()) * picture->Height() >= kLargePicturePixels) {
    CountDecodedPicture(picture->Picture());
    PatternTable.push_back({std::move(picture), section, key});
    return;
  }
  img::Bitmap32 bitmap = picture->ToBitmap32();
  if (bitmap.Empty()) return;
  CountDecodedPicture(bitmap);
  TsMaskData e;
  e.Image = std::make_shared<img::Bitmap32>(std::move(bitmap));
  e.SectionName = section;
  e.KeyName = key;
  e.SrcRect = {0, 0, e.Image->Width(), e.Image->Height()};
  e.StateCount = 1;
  e.ImageKind = kImageTexture;
  e.Owner = this;
  ImageTable.push_back(std::move(e));
}
