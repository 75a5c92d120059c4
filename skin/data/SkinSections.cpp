// The section pass of a load: GlobalInfo, SectionTable with inheritance, the application's common
// sections, and the palette.
#include "skin/data/SkinNumbers.h"
#include "skin/data/SkinOptions.h"
#include "skin/data/SkinSystem.h"
#include "skin/data/sSkinModel.h"
#include "skin/data/sColorMath.h"

namespace {

int16_t Short(int32_t value) {
  return static_cast<int16_t>(value);
}

void ReadGradient(const SkinOptions& o, const std::string& name, std::string_view key,
                  std::string_view def, std::string& text, TsGradArray& gradient,
                  int32_t& percent) {
  text = o.InheritedString(name, key, def);
  ParseGradientData(text, gradient);
  if (text.size() < 2) percent = 0;
}

TsGenState State(int32_t color, int32_t fontColor, std::array<int32_t, 4> contour,
                 int32_t gradientPercent, const std::string& gradientData,
                 const TsGradArray& gradient, int32_t imagePercent, int32_t gCol, uint8_t gSize,
                 int32_t transparency) {
  TsGenState s;
  s.Color = color;
  s.FontColor = fontColor;
  s.TCLeft = contour[0], s.TCTop = contour[1], s.TCRight = contour[2], s.TCBottom = contour[3];
  s.GradientPercent = gradientPercent;
  s.GradientData = gradientData;
  s.Gradient = gradient;
  s.ImagePercent = imagePercent;
  s.GCol = gCol;
  s.GSize = gSize;
  s.Transparency = transparency;
  return s;
}

}  // namespace

void TsSkinModel::ReadGlobalInfo() {
  SkinOptions o(options_, &common_);
  TsSkinData& g = GlobalInfo;
  auto integer = [&](std::string_view key, int32_t def) {
    return Short(o.ReadInteger(kGlobalInfoSection, key, def));
  };
  auto strict = [&](std::string_view key, std::string_view def) {
    return Short(o.ReadStrict(kGlobalInfoSection, key, def));
  };
  g.SkinVersion = skin::TryStrToFloat(o.ReadString(kGlobalInfoSection, "VERSION", "")).value_or(0);
  g.SkinAuthor = o.ReadString(kGlobalInfoSection, "AUTHOR", "");
  g.SkinDescription = o.ReadString(kGlobalInfoSection, "DESCRIPTION", "");
  g.Shadow1Color = o.ReadInteger(kGlobalInfoSection, "SHADOW1COLOR", 0);
  g.Shadow1Offset = strict("SHADOW1OFFSET", "0");
  g.Shadow1Blur = strict("SHADOW1BLUR", "-1");
  g.Shadow1Transparency = strict("SHADOW1TRANSPARENCY", "0");
  g.BorderWidth = integer("BORDERWIDTH", 4);
  g.TitleHeight = integer("TITLEHEIGHT", 30);
  if (g.TitleHeight == 0) g.TitleHeight = 30;
  g.MaxHeight = integer("MAXHEIGHT", 0);
  if (g.MaxHeight == 0) g.MaxHeight = g.TitleHeight;
  g.FormOffset = integer("FORMOFFSET", skin::SystemFrameWidth());
  g.AlignOffset = integer("ALIGNOFFSET", 0);
  g.CenterOffset = integer("CENTEROFFSET", 0);
  g.BorderMode = integer("BORDERMODE", 0);
  g.BISpace = integer("BISPACE", 0);
  g.BIVAlign = integer("BIVALIGN", 0);
  g.BIRight = integer("BIRIGHT", 0);
  g.BILeft = integer("BILEFT", 0);
  g.BITop = integer("BITOP", 0);
  g.BIKeepHue = integer("BIKEEPHUE", 0);
  g.CloseGlow = strict("BICONCLOSEGLOW", "0");
  g.CloseGlowMargin = strict("BICONCLOSEGLOWMARGIN", "0");
  g.MaxGlow = strict("BICONMAXGLOW", "0");
  g.MaxGlowMargin = strict("BICONMAXGLOWMARGIN", "0");
  g.MinGlow = strict("BICONMINGLOW", "0");
  g.MinGlowMargin = strict("BICONMINGLOWMARGIN", "0");
  g.AeroBlur = o.ReadInteger(kGlobalInfoSection, "AEROBLUR", 0) != 0;
}

TsGeneralData TsSkinModel::ReadSection(const SkinOptions& o, const std::string& name) const {
  TsGeneralData d;
  d.SectionName = name;
  d.ParentSection = o.ReadString(name, kParentClassKey, "");
  auto integer = [&](std::string_view key, int32_t def, bool resolve = false) {
    return o.InheritedInteger(name, key, def, resolve);
  };
  d.StateCount = integer("STATES", 3);
  d.GiveOwnFont = o.InheritedBool(name, "GIVEOWNFONT");
  d.ReservedBoolean = o.InheritedBool(name, "RESERVEDBOOLEAN");
  d.ShowFocus = o.InheritedBool(name, "SHOWFOCUS");
  d.Glow = integer("GLOW", 0);
  d.GlowMargin = integer("GLOWMARGIN", 0);

  d.Color = integer("COLOR", 0xFFFFFF, true);
  d.Transparency = integer("TRANSPARENCY", 0);
  d.GradientPercent = integer("GRADIENTPERCENT", 0);
  ReadGradient(o, name, "GRADIENTDATA", " ", d.GradientData, d.Gradient, d.GradientPercent);
  d.ImagePercent = integer("IMAGEPERCENT", 0);
  d.FontColor = integer("FONTCOLOR", 0);
  d.TCLeft = integer("TCLEFT", -1);
  d.TCTop = integer("TCTOP", -1);
  d.TCRight = integer("TCRIGHT", -1);
  d.TCBottom = integer("TCBOTTOM", -1);

  d.HotColor = integer("HOTCOLOR", 0xFFFFFF);
  d.HotTransparency = integer("HOTTRANSPARENCY", 0);
  d.HotGradientPercent = integer("HOTGRADIENTPERCENT", 0);
  ReadGradient(o, name, "HOTGRADIENTDATA", "", d.HotGradientData, d.HotGradient,
               d.HotGradientPercent);
  d.HotImagePercent = integer("HOTIMAGEPERCENT", 0);
  d.HotFontColor = integer("HOTFONTCOLOR", 0);
  d.HotTCLeft = integer("HOTTCLEFT", -1);
  d.HotTCTop = integer("HOTTCTOP", -1);
  d.HotTCRight = integer("HOTTCRIGHT", -1);
  d.HotTCBottom = integer("HOTTCBOTTOM", -1);

  d.FadingEnabled = o.InheritedBool(name, "FADINGENABLED");
  d.FadingIterations = integer("FADINGITERATIONS", 5);
  d.HGCol = integer("HGCOL", 0xFFFFFF, true);
  d.GCol = integer("GCOL", 0xFFFFFF, true);
  d.HGSize = static_cast<uint8_t>(integer("HGSIZE", 0));
  d.GSize = static_cast<uint8_t>(integer("GSIZE", 0));

  d.States[0] =
      State(d.Color, d.FontColor, {d.TCLeft, d.TCTop, d.TCRight, d.TCBottom}, d.GradientPercent,
            d.GradientData, d.Gradient, d.ImagePercent, d.GCol, d.GSize, d.Transparency);
  d.States[1] = d.StateCount < 2 ? d.States[0]
                                 : State(d.HotColor, d.HotFontColor,
                                         {d.HotTCLeft, d.HotTCTop, d.HotTCRight, d.HotTCBottom},
                                         d.HotGradientPercent, d.HotGradientData, d.HotGradient,
                                         d.HotImagePercent, d.HGCol, d.HGSize, d.HotTransparency);
  return d;
}

void TsSkinModel::ParseSections() {
  SectionTable.clear();
  ReadGlobalInfo();
  if (OnCheckVersion) OnCheckVersion(*this);
  SkinOptions skinOnly(options_);
  for (const fw::IniText::Section& section : options_.Sections())
    SectionTable.push_back(ReadSection(skinOnly, section.name));
  MergeCommonSections();
  FillPalette();
  if (HueOffset != 0) ApplyHueOffset();
  if (Saturation % 101 != 0) ApplySaturation();
}

void TsSkinModel::MergeCommonSections() {
  SkinOptions layered(options_, &common_);
  for (const fw::IniText::Section& section : common_.Sections()) {
    TsGeneralData merged = ReadSection(layered, section.name);
    int index = FindSection(section.name);
    if (index >= 0)
      SectionTable[size_t(index)] = std::move(merged);
    else
      SectionTable.push_back(std::move(merged));
  }
}

void TsSkinModel::FillPalette() {
  SkinOptions o(options_, &common_);
  auto global = [&](std::string_view key, int32_t def) {
    return o.ReadInteger(kGlobalInfoSection, key, def);
  };
  std::array<int32_t, kPaletteSize>& p = Palette;
  p[0] = global("COLOR", skin::SysColor(skin::kColorBtnFace));
  p[1] = global("FONTCOLOR", 0);
  p[2] = global("TCBOTTOM", 0xFF0000);
  p[3] = global("TCTOP", 0x0000FF);
  int edit = FindSection("EDIT");
  p[4] = edit >= 0 ? skin::ColorToRGB(SectionTable[size_t(edit)].States[0].FontColor)
                   : skin::SysColor(skin::kColorWindowText);
  p[5] = edit >= 0 ? skin::ColorToRGB(SectionTable[size_t(edit)].States[0].Color)
                   : skin::SysColor(skin::kColorWindow);

  p[6] = p[7] = p[8] = p[9] = -1;
  if (int selection = FindSection("SELECTION"); selection >= 0) {
    const TsGeneralData& s = SectionTable[size_t(selection)];
    p[6] = s.States[0].Color;
    p[7] = s.States[0].FontColor;
    const TsGenState& hot = s.StateCount > 1 ? s.States[1] : s.States[0];
    p[8] = hot.Color;
    p[9] = hot.FontColor;
  }
  if (p[7] == -1 || p[7] == 0xFF00FF) {
    if (int menu = FindSection("MENUITEM"); menu >= 0) {
      const TsGeneralData& m = SectionTable[size_t(menu)];
      p[7] = m.HotFontColor;
      p[6] = p[8] = m.HotColor;
      p[7] = p[7] == -1 || p[7] == 0xFF00FF ? skin::SysColor(skin::kColorHighlightText)
                                            : skin::ColorToRGB(p[7]);
      p[9] = p[7];
    } else {
      p[7] = p[9] = skin::SysColor(skin::kColorHighlightText);
      p[6] = p[8] = skin::SysColor(skin::kColorHighlight);
    }
  }

  p[10] = global("EDITBG_INV", p[4]);
  p[11] = global("EDITTEXT_INV", p[5]);
  p[12] = global("EDITBG_ODD", p[5]);
  p[13] = global("EDITBG_EVEN", MixColors(p[4], p[5], 0.05));
  p[14] = global("EDITTEXT_OK", 0x008000);
  p[15] = global("EDITTEXT_WARN", 0x008484);
  p[16] = global("EDITTEXT_ALERT", 0x0000FF);
  p[17] = global("EDITTEXT_ALERT", 0x8597D9);
  p[18] = global("EDITTEXT_ALERT", 0x4AB28F);
  p[19] = global("EDITBG_OK", 0x6CC2A5);
  p[20] = global("EDITBG_WARN", 0x40FFFF);
  p[21] = global("EDITBG_ALERT", 0x95A7E9);
  p[22] = global("EDITBG_ALERT", 0x8597D9);
  p[23] = global("EDITBG_ALERT", 0x4AB28F);
  p[24] = global("EDITTEXT_H1", 0);
  p[25] = global("EDITTEXT_H2", 0);
  p[26] = global("EDITTEXT_H3", 0);
  p[27] = global("BORDERCOLOR", 0);
}
