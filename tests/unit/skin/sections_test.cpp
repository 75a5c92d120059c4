// The options text as a model: global values, sections with inheritance, palette, lookups.
#include <gtest/gtest.h>

#include "ModelHelpers.h"
#include "skin/data/SkinNumbers.h"
#include "skin/data/SkinSystem.h"
#include "skin/data/sGradient.h"

namespace {

using skin_fixtures::LoadModel;

const TsGeneralData& Section(const TsSkinModel& m, const char* name) {
  int i = m.FindSection(name);
  EXPECT_GE(i, 0) << name;
  return m.SectionTable.at(size_t(i));
}

TEST(SkinValuesTest, IntegersAreDecimalOrHexAndWrapTo32Bits) {
  EXPECT_EQ(skin::TryStrToInt("0x10"), 16);
  EXPECT_EQ(skin::TryStrToInt("0XFFFFFFFF"), -1);
  EXPECT_EQ(skin::TryStrToInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(skin::TryStrToInt("2147483648"), std::nullopt);
  EXPECT_EQ(skin::TryStrToInt("0x"), std::nullopt);  // too short to be hexadecimal
  EXPECT_EQ(skin::TryStrToInt("0x123456789"), std::nullopt);
  EXPECT_EQ(skin::TryStrToInt("12a"), std::nullopt);
  EXPECT_EQ(skin::TryStrToInt(""), std::nullopt);
  EXPECT_EQ(skin::TryStrToFloat("7.45"), 7.45);
  EXPECT_EQ(skin::TryStrToFloat("7,45"), std::nullopt);
}

TEST(GradientDataTest, BandsAreCompleteGroupsOfFive) {
  TsGradArray g;
  ParseGradientData("N/A", g);
  EXPECT_TRUE(g.empty());
  ParseGradientData("1;2;3;4", g);
  EXPECT_TRUE(g.empty());
  ParseGradientData("12365438;16769878;150;1;0;;-7;5;-5;0;9;1;2;3", g);
  ASSERT_EQ(g.size(), 2u);
  EXPECT_EQ(g[0], (TsGradPart{12365438, 16769878, 100, 1}));
  EXPECT_EQ(g[1], (TsGradPart{0, 5, 0, 0}));  // empty field skipped, negatives clamped
  EXPECT_THROW(ParseGradientData("1;2;x;4;5", g), skin::EConvertError);
}

TEST(GlobalInfoTest, DefaultsAndZeroHeights) {
  auto m = LoadModel("[GLOBALINFO]\nVERSION=7.5\nTITLEHEIGHT=0\nMAXHEIGHT=0\nAEROBLUR=2\n");
  const TsSkinData& g = m->GlobalInfo;
  EXPECT_DOUBLE_EQ(g.SkinVersion, 7.5);
  EXPECT_EQ(g.TitleHeight, 30);
  EXPECT_EQ(g.MaxHeight, 30);
  EXPECT_EQ(g.BorderWidth, 4);
  EXPECT_EQ(g.Shadow1Blur, -1);
  EXPECT_EQ(g.FormOffset, skin::SystemFrameWidth());
  EXPECT_TRUE(g.AeroBlur);
  auto tall = LoadModel("[GLOBALINFO]\nTITLEHEIGHT=24\nMAXHEIGHT=0\nBORDERWIDTH=junk\n");
  EXPECT_EQ(tall->GlobalInfo.MaxHeight, 24);
  EXPECT_EQ(tall->GlobalInfo.BorderWidth, 4);  // lenient: unreadable gives the default
}

TEST(GlobalInfoTest, StrictKeysAbortTheLoad) {
  EXPECT_THROW(LoadModel("[GLOBALINFO]\nSHADOW1OFFSET=two\n"), skin::EConvertError);
  EXPECT_THROW(LoadModel("[GLOBALINFO]\nBICONCLOSEGLOW=\n"), skin::EConvertError);
  EXPECT_EQ(LoadModel("[GLOBALINFO]\nSHADOW1BLUR=0x0A\n")->GlobalInfo.Shadow1Blur, 10);
}

TEST(SectionInheritanceTest, ParentSuppliesMissingAndMinusOneValues) {
  auto m = LoadModel(
      "[EDIT]\nCOLOR=0x112233\nFONTCOLOR=5\nSHOWFOCUS=true\nGRADIENTDATA=1;2;30;0;0\n"
      "[MYEDIT]\nPARENTCLASS=EDIT\nFONTCOLOR=-1\n"
      "[SELF]\nPARENTCLASS=SELF\n");
  const TsGeneralData& child = Section(*m, "MYEDIT");
  EXPECT_EQ(child.ParentSection, "EDIT");
  EXPECT_EQ(child.Color, 0x112233);
  EXPECT_EQ(child.FontColor, 5);
  EXPECT_TRUE(child.ShowFocus);
  EXPECT_EQ(child.GradientData, "1;2;30;0;0");
  EXPECT_EQ(child.States[0].Gradient.size(), 1u);
  const TsGeneralData& self = Section(*m, "SELF");
  EXPECT_EQ(self.Color, 0xFFFFFF);
  EXPECT_EQ(self.StateCount, 3);
  EXPECT_EQ(self.FadingIterations, 5);
}

TEST(SectionInheritanceTest, ParentValueIsResolvedAsAColour) {
  auto m = LoadModel("[BASE]\nFONTCOLOR=0x8000000F\n[CHILD]\nPARENTCLASS=BASE\n");
  EXPECT_EQ(Section(*m, "BASE").FontColor, int32_t(0x8000000F));
  EXPECT_EQ(Section(*m, "CHILD").FontColor, skin::SysColor(skin::kColorBtnFace));
}

TEST(SectionInheritanceTest, ParentCycleEndsWithTheDefault) {
  auto m = LoadModel("[A]\nPARENTCLASS=B\n[B]\nPARENTCLASS=C\n[C]\nPARENTCLASS=A\nGLOW=-1\n");
  EXPECT_EQ(Section(*m, "A").Color, 0xFFFFFF);
  EXPECT_EQ(Section(*m, "C").Glow, 0);
  EXPECT_EQ(m->FindImage(0, "A", "BORDERSMASK"), -1);
}

TEST(SectionStatesTest, OneStateCopiesTheNormalStateIntoTheHotOne) {
  auto m = LoadModel("[B]\nSTATES=1\nCOLOR=1\nHOTCOLOR=2\nHOTFONTCOLOR=3\nTRANSPARENCY=40\n");
  const TsGeneralData& b = Section(*m, "B");
  EXPECT_EQ(b.States[1].Color, 1);
  EXPECT_EQ(b.States[1].Transparency, 40);
  EXPECT_EQ(b.States[1].FontColor, b.States[0].FontColor);
  auto two = LoadModel("[B]\nSTATES=2\nCOLOR=1\nHOTCOLOR=2\nGCOL=7\nHGCOL=8\n");
  EXPECT_EQ(Section(*two, "B").States[1].Color, 2);
  EXPECT_EQ(Section(*two, "B").States[1].GCol, 8);
}

TEST(SectionStatesTest, ShortGradientTextSwitchesTheGradientOff) {
  auto m = LoadModel("[B]\nGRADIENTPERCENT=50\nHOTGRADIENTPERCENT=60\nHOTGRADIENTDATA=1;2;3;0;0\n");
  const TsGeneralData& b = Section(*m, "B");
  EXPECT_EQ(b.GradientPercent, 0);
  EXPECT_EQ(b.HotGradientPercent, 60);
  EXPECT_THROW(LoadModel("[B]\nGRADIENTDATA=1;2;3;zero;0\n"), skin::EConvertError);
}

TEST(SectionLookupTest, NamesAreCaseSensitive) {
  auto m = LoadModel("[Edit]\nCOLOR=1\n[EDIT2]\n");
  EXPECT_EQ(m->FindSection("EDIT"), -1);
  EXPECT_EQ(m->FindSection("Edit"), 0);
  EXPECT_EQ(m->FindSection(""), -1);
  EXPECT_TRUE(m->IsValidSectionIndex(1));
  EXPECT_FALSE(m->IsValidSectionIndex(2));
}

TEST(PaletteTest, SelectionFallsBackToSystemHighlight) {
  auto m = LoadModel("[GLOBALINFO]\nVERSION=8\n");
  EXPECT_EQ(m->Palette[6], skin::SysColor(skin::kColorHighlight));
  EXPECT_EQ(m->Palette[8], skin::SysColor(skin::kColorHighlight));
  EXPECT_EQ(m->Palette[7], skin::SysColor(skin::kColorHighlightText));
  EXPECT_EQ(m->Palette[9], skin::SysColor(skin::kColorHighlightText));
  EXPECT_EQ(m->Palette[0], skin::SysColor(skin::kColorBtnFace));
  EXPECT_EQ(m->Palette[4], skin::SysColor(skin::kColorWindowText));
}

TEST(PaletteTest, MenuItemSuppliesSelectionWhenSelectionHasNoText) {
  auto m = LoadModel(
      "[SELECTION]\nCOLOR=0x10\nFONTCOLOR=0xFF00FF\n"
      "[MENUITEM]\nHOTCOLOR=0x20\nHOTFONTCOLOR=0x30\n");
  EXPECT_EQ(m->Palette[6], 0x20);
  EXPECT_EQ(m->Palette[7], 0x30);
  EXPECT_EQ(m->Palette[8], 0x20);
  EXPECT_EQ(m->Palette[9], 0x30);
  auto own = LoadModel("[SELECTION]\nSTATES=2\nCOLOR=1\nFONTCOLOR=2\nHOTCOLOR=3\nHOTFONTCOLOR=4\n");
  EXPECT_EQ(own->Palette[6], 1);
  EXPECT_EQ(own->Palette[9], 4);
}

TEST(PaletteTest, EditColoursAndSharedAlertKeys) {
  auto m = LoadModel("[EDIT]\nCOLOR=0xFFFFFF\nFONTCOLOR=0\n[GLOBALINFO]\nEDITTEXT_ALERT=0x123\n");
  EXPECT_EQ(m->Palette[5], 0xFFFFFF);
  EXPECT_EQ(m->Palette[10], 0);
  EXPECT_EQ(m->Palette[11], 0xFFFFFF);
  EXPECT_EQ(m->Palette[13], 0xF2F2F2);  // 5 % black over white
  for (int i : {16, 17, 18}) EXPECT_EQ(m->Palette[size_t(i)], 0x123);
  EXPECT_EQ(m->Palette[22], 0x8597D9);
}

TEST(CommonSectionsTest, ReplaceKeysOfSkinSectionsAndAppendNewOnes) {
  TsSkinModel m;
  m.CommonSections = {"[BUTTON]", "COLOR=0x55", "[EXTRA]", "PARENTCLASS=BUTTON"};
  m.Load(skin_fixtures::PackedSource("[BUTTON]\nCOLOR=0x11\nFONTCOLOR=0x22\n"));
  ASSERT_EQ(m.SectionTable.size(), 2u);
  EXPECT_EQ(Section(m, "BUTTON").Color, 0x55);
  EXPECT_EQ(Section(m, "BUTTON").FontColor, 0x22);
  EXPECT_EQ(Section(m, "EXTRA").FontColor, 0x22);
}

TEST(ColorPassesTest, HueTurnsRedIntoGreenAndSaturationKeepsNone) {
  TsSkinModel m;
  m.HueOffset = 120;
  m.Load(skin_fixtures::PackedSource("[B]\nCOLOR=0x0000FF\nGRADIENTDATA=255;255;100;0;0\n"));
  EXPECT_EQ(Section(m, "B").Color, 0x00FF00);
  EXPECT_EQ(Section(m, "B").States[0].Gradient[0].Color1, 0x00FF00);
  EXPECT_EQ(m.Palette[3], 0x0000FF);  // a fixed signal colour
  TsSkinModel grey;
  grey.Saturation = -100;  // every colour becomes grey
  grey.Load(skin_fixtures::PackedSource("[B]\nCOLOR=0x0000FF\n"));
  EXPECT_EQ(Section(grey, "B").Color, 0x555555);
  EXPECT_EQ(Section(grey, "B").TCLeft, -1);
  TsSkinModel whole;
  whole.Saturation = 101;  // taken modulo 101: no change
  whole.Load(skin_fixtures::PackedSource("[B]\nCOLOR=0x0000FF\n"));
  EXPECT_EQ(Section(whole, "B").Color, 0x0000FF);
}

}  // namespace
