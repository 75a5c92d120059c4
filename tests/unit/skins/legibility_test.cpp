// Text on every skin stays legible: in each state, the font colour of a text-bearing section
// keeps a contrast of at least 4.5:1 (relative luminance of sRGB colours) against every colour its
// background takes: the plain colour, the colours along each gradient band blended with it, and
// for a section that lets another show through, that section's colours mixed in.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "Collection.h"
#include "skin/render/sBlend.h"

namespace {

using collection::LoadedSkin;

constexpr double kMinContrast = 4.5;

double Linear(int channel) {
  double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// Colours are 0x00BBGGRR.
double Luminance(int32_t color) {
  return 0.2126 * Linear(color & 0xFF) + 0.7152 * Linear((color >> 8) & 0xFF) +
         0.0722 * Linear((color >> 16) & 0xFF);
}

double Contrast(int32_t a, int32_t b) {
  double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colours a state's opaque background takes: its colour or, where a gradient is painted,
// points along every band blended with the colour by the share of the gradient and texture (the
// colour itself no longer shows then). Textures are not looked into.
std::vector<int32_t> OpaqueColors(const TsGenState& state) {
  if (state.GradientPercent <= 0 || state.Gradient.empty()) return {state.Color};
  double share = std::min(state.GradientPercent + std::max(state.ImagePercent, 0), 100) / 100.0;
  std::vector<int32_t> colors;
  for (const TsGradPart& band : state.Gradient)
    for (double t : {0.0, 0.25, 0.5, 0.75, 1.0})
      colors.push_back(MixColors(MixColors(band.Color2, band.Color1, t), state.Color, share));
  return colors;
}

// The background colours of a state; a transparent state mixes in every colour of the section
// behind it, in both of that section's states.
std::vector<int32_t> BackgroundColors(const TsGenState& state, const TsGeneralData* behind) {
  std::vector<int32_t> own = OpaqueColors(state);
  if (state.Transparency <= 0 || !behind) return own;
  double through = std::min(state.Transparency, 100) / 100.0;
  std::vector<int32_t> colors;
  for (const TsGenState& under : behind->States)
    for (int32_t parent : OpaqueColors(under))
      for (int32_t color : own) colors.push_back(MixColors(parent, color, through));
  return colors;
}

std::string Hex(int32_t color) {
  std::ostringstream text;
  text << "0x" << std::hex << color;
  return text.str();
}

TEST(SkinLegibility, FontColoursStandOutFromTheirBackgroundsInEveryState) {
  const std::vector<collection::RequiredSection> required = collection::Required();
  for (const LoadedSkin& skin : collection::StoredSkins()) {
    ASSERT_TRUE(skin.model) << skin.name << ": " << skin.error;
    const TsSkinModel& model = *skin.model;
    for (const collection::RequiredSection& section : required) {
      if (!section.text) continue;
      int index = model.FindSection(section.name);
      if (index < 0) continue;  // reported by the completeness test
      const TsGeneralData& data = model.SectionTable[size_t(index)];
      int behindIndex = section.textOver.empty() ? -1 : model.FindSection(section.textOver);
      const TsGeneralData* behind =
          behindIndex < 0 ? nullptr : &model.SectionTable[size_t(behindIndex)];
      for (size_t s = 0; s < data.States.size(); ++s) {
        const TsGenState& state = data.States[s];
        for (int32_t background : BackgroundColors(state, behind)) {
          EXPECT_GE(Contrast(state.FontColor, background), kMinContrast)
              << skin.name << ": " << section.name << " state " << s << " text "
              << Hex(state.FontColor) << " on " << Hex(background);
        }
      }
    }
  }
}

TEST(SkinLegibility, ContrastOfTheExtremesAndOfEqualColours) {
  EXPECT_NEAR(Contrast(0x000000, 0xFFFFFF), 21.0, 1e-9);
  EXPECT_NEAR(Contrast(0x777777, 0x777777), 1.0, 1e-9);
  // Grey 0x767676 on white is the usual 4.5:1 boundary.
  EXPECT_GE(Contrast(0x767676, 0xFFFFFF), 4.5);
  EXPECT_LT(Contrast(0x777777, 0xFFFFFF), 4.5);
}

}  // namespace
