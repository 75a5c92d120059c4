// The records of the skin model: the skin's global values, one record per options section,
// one per image entry and one per large JPEG texture.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "imaging/Bitmap32.h"
#include "skin/data/SkinImage.h"
#include "skin/data/veTinyJPG.h"
#include "skin/data/sGradient.h"

class TsSkinModel;

// The [GLOBALINFO] values, plus where the skin came from and whether it is applied.
struct TsSkinData {
  std::string SkinFolder;  // with a trailing "\" for a skin read from disk, else empty
  bool IsLoaded = false;
  double SkinVersion = 0;
  std::string SkinAuthor;
  std::string SkinDescription;
  int32_t Shadow1Color = 0;
  int16_t Shadow1Offset = 0;
  int16_t Shadow1Blur = -1;
  int16_t Shadow1Transparency = 0;
  int16_t BorderWidth = 4;
  int16_t TitleHeight = 30;
  int16_t MaxHeight = 0;
  int16_t FormOffset = 0;
  int16_t AlignOffset = 0;
  int16_t CenterOffset = 0;
  int16_t BorderMode = 0;
  int16_t BISpace = 0;
  int16_t BIVAlign = 0;
  int16_t BIRight = 0;
  int16_t BILeft = 0;
  int16_t BITop = 0;
  int16_t BIKeepHue = 0;
  int16_t CloseGlow = 0;
  int16_t CloseGlowMargin = 0;
  int16_t MaxGlow = 0;
  int16_t MaxGlowMargin = 0;
  int16_t MinGlow = 0;
  int16_t MinGlowMargin = 0;
  bool AeroBlur = false;
};

// The look of a section in one state.
struct TsGenState {
  int32_t Color = 0;
  int32_t FontColor = 0;
  int32_t TCLeft = -1, TCTop = -1, TCRight = -1, TCBottom = -1;  // text contour, -1 = none
  int32_t GradientPercent = 0;
  std::string GradientData;
  TsGradArray Gradient;
  int32_t ImagePercent = 0;
  int32_t TextureIndex = -1;
  int32_t GCol = 0;
  uint8_t GSize = 0;
  int32_t Transparency = 0;
};

// One options section (a skin element such as "FORM" or "BUTTON").
struct TsGeneralData {
  std::string ParentSection;
  std::string SectionName;
  int32_t StateCount = 3;
  std::array<TsGenState, 2> States;  // normal, hot
  bool GiveOwnFont = false, ReservedBoolean = false, ShowFocus = false;
  int32_t Glow = 0;
  int32_t GlowMargin = 0;
  int32_t BorderIndex = -1;
  std::array<int32_t, 4> CornerIndex = {-1, -1, -1, -1};  // top left, top right, bottom left, right
  int32_t TextureIndex = -1;
  // The parsed key values the states are copied from.
  int32_t Color = 0xFFFFFF;
  int32_t Transparency = 0;
  int32_t GradientPercent = 0;
  std::string GradientData = " ";
  TsGradArray Gradient;
  int32_t ImagePercent = 0;
  int32_t FontColor = 0;
  int32_t TCLeft = -1, TCTop = -1, TCRight = -1, TCBottom = -1;
  int32_t HotColor = 0xFFFFFF;
  int32_t HotTransparency = 0;
  int32_t HotGradientPercent = 0;
  std::string HotGradientData;
  TsGradArray HotGradient;
  int32_t HotImagePercent = 0;
  int32_t HotFontColor = 0;
  int32_t HotTCLeft = -1, HotTCTop = -1, HotTCRight = -1, HotTCBottom = -1;
  bool FadingEnabled = false;
  int32_t FadingIterations = 5;
  int32_t HGCol = 0xFFFFFF;
  int32_t GCol = 0xFFFFFF;
  uint8_t HGSize = 0;
  uint8_t GSize = 0;
};

struct TRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  bool operator==(const TRect&) const = default;
};

// Image entry kinds.
enum : uint8_t { kImageBorderMask = 0, kImageTexture = 1, kImageGlyph = 2 };

// One image entry: a rectangle of the master bitmap, or an image of its own.
struct TsMaskData {
  TsSkinImage Image;  // none: the entry lies in the master bitmap
  std::string SectionName;
  std::string KeyName;
  TRect SrcRect;
  int16_t StateCount = 0;
  int16_t MaskRows = 0;
  int16_t DefaultMargin = 0;
  int16_t PaintFlags = 0;
  uint8_t ImageKind = kImageBorderMask;
  const TsSkinModel* Owner = nullptr;
  int16_t MarginLeft = 0, MarginTop = 0, MarginRight = 0, MarginBottom = 0;
  int32_t CornerTransparency = 0;
};

// A JPEG texture too large to keep as a bitmap.
struct TsPatternData {
  std::shared_ptr<TveTinyJPGImage> Image;
  std::string SectionName;
  std::string KeyName;
};
