// Image entries: every value form, margins, corner transparency, conversion to 32 bits, and the
// lookups over the image table.
#include <gtest/gtest.h>

#include "ModelHelpers.h"
#include "SkinFixtures.h"
#include "skin/data/SkinBitmaps.h"
#include "skin/data/SkinNumbers.h"
#include "support/FakeHost.h"

namespace {

using skin_fixtures::Bmp24;
using skin_fixtures::LoadModel;
using skin_fixtures::Solid;

constexpr uint32_t kKey = 0xFF00FF;

// A 300 x 60 grey master bitmap with one key pixel at (10, 40).
std::string Master() {
  skin_fixtures::Pixels p = Solid(300, 60, 0x808080);
  p.At(10, 40) = kKey;
  return Bmp24(p);
}

std::unique_ptr<TsSkinModel> WithMaster(const std::string& sections,
                                        std::map<std::string, std::string> members = {}) {
  members["MASTER.BMP"] = Master();
  return LoadModel("[GLOBALINFO]\nVERSION=8\nMASTERBITMAP=MASTER.BMP\n" + sections, members);
}

const TsMaskData& Entry(const TsSkinModel& m, const char* section, const char* key) {
  int i = m.FindImageByName(section, key);
  EXPECT_GE(i, 0) << section << "/" << key;
  return m.ImageTable.at(size_t(i));
}

TEST(ImageEntryTest, GlyphPieceWithoutMarginsUsesTheWholeFrame) {
  auto m = WithMaster("[BTN]\nGLYPH=@0133@0000@0265@0018@3@0\n");
  const TsMaskData& e = Entry(*m, "BTN", "GLYPH");
  EXPECT_EQ(e.SrcRect, (TRect{133, 0, 265, 18}));
  EXPECT_EQ(e.StateCount, 3);
  EXPECT_EQ(e.MaskRows, 0);
  EXPECT_EQ(e.ImageKind, kImageGlyph);
  EXPECT_EQ(e.Image, nullptr);
  int i = m->FindImageByName("BTN", "GLYPH");
  EXPECT_EQ(m->EffectiveMarginLeft(i), 44);
  EXPECT_EQ(m->EffectiveMarginRight(i), 44);
  EXPECT_EQ(m->EffectiveMarginTop(i), 18);
  EXPECT_EQ(m->EffectiveMarginBottom(i), 18);
}

TEST(ImageEntryTest, EffectiveLeftMarginGivesAFramelessEntryOneFrame) {
  auto m = WithMaster("[BTN]\nGLYPH=@0000@0000@0040@0010@0@0\n");
  int i = m->FindImageByName("BTN", "GLYPH");
  EXPECT_EQ(m->EffectiveMarginRight(i), 0);
  EXPECT_EQ(m->EffectiveMarginLeft(i), 40);
  EXPECT_EQ(m->ImageTable[size_t(i)].StateCount, 1);
}

TEST(ImageEntryTest, BorderMaskWithZeroMarginsTakesItsDefaultMargin) {
  auto m = WithMaster(
      "[A]\nBORDERSMASK=^0000^0000^0030^0020^0000^0000^0000^0000^1^0^1^5\n"
      "[B]\nBORDERSMASK=^0000^0000^0030^0020^0000^0000^0000^0000^1^1^1^0\n"
      "[C]\nBORDERSMASK=^0003^0039^0006^0040^0001^0002^0003^0004^1^0^4^0\n");
  const TsMaskData& a = Entry(*m, "A", "BORDERSMASK");
  EXPECT_EQ(a.MarginLeft, 5);
  EXPECT_EQ(a.MarginBottom, 5);
  EXPECT_EQ(a.DefaultMargin, 5);
  const TsMaskData& b = Entry(*m, "B", "BORDERSMASK");  // the width and height rule
  EXPECT_EQ(b.MarginLeft, 10);
  EXPECT_EQ(b.MarginTop, 3);
  const TsMaskData& c = Entry(*m, "C", "BORDERSMASK");
  EXPECT_EQ(c.SrcRect, (TRect{3, 39, 6, 40}));
  EXPECT_EQ(c.MarginLeft, 1);
  EXPECT_EQ(c.MarginBottom, 4);
  EXPECT_EQ(c.PaintFlags, 4);
}

TEST(ImageEntryTest, TextureReadsItsMaskRowsOnlyWhenPresent) {
  auto m = WithMaster("[T]\nPATTERN=~0135~0010~0299~0011~01\nMASKED=~0000~0000~0010~0010~10~1\n");
  const TsMaskData& t = Entry(*m, "T", "PATTERN");
  EXPECT_EQ(t.PaintFlags, 1);
  EXPECT_EQ(t.MaskRows, 0);
  EXPECT_EQ(t.StateCount, 1);
  EXPECT_EQ(t.ImageKind, kImageTexture);
  EXPECT_EQ(Entry(*m, "T", "MASKED").MaskRows, 1);
  EXPECT_EQ(Entry(*m, "T", "MASKED").PaintFlags, 10);
}

TEST(ImageEntryTest, FixedPositionsMustHoldDigits) {
  EXPECT_THROW(WithMaster("[A]\nG=@0133@0000@0265@0018@3@\n"), skin::EConvertError);
  EXPECT_THROW(WithMaster("[A]\nG=@0133@00\n"), skin::EConvertError);
  EXPECT_THROW(WithMaster("[A]\nG=@01x3@0000@0265@0018@3@0\n"), skin::EConvertError);
  EXPECT_THROW(WithMaster("[A]\nG=@-133@0000@0265@0018@3@0\n"), skin::EConvertError);
  EXPECT_THROW(WithMaster("[A]\nB=^0000^0000^0030^0020^0000\n"), skin::EConvertError);
  EXPECT_THROW(WithMaster("[A]\nT=~0000~0000~0010~0010~1\n"), skin::EConvertError);
}

TEST(ImageEntryTest, ExternalImageWithFewFieldsGetsDefaultMargins) {
  auto m = WithMaster("[FORM]\nSIDE=!SIDE.BMP!2!0!3\nFULL=!SIDE.BMP!2!1!0!1!2!3!4!6\n",
                      {{"SIDE.BMP", Bmp24(Solid(60, 30, 0x102030))}});
  const TsMaskData& e = Entry(*m, "FORM", "SIDE");
  ASSERT_NE(e.Image, nullptr);
  EXPECT_EQ(e.SrcRect, (TRect{0, 0, 60, 30}));
  EXPECT_EQ(e.MarginLeft, 10);
  EXPECT_EQ(e.MarginRight, 10);
  EXPECT_EQ(e.MarginTop, 10);
  EXPECT_EQ(e.ImageKind, 3);
  EXPECT_EQ(e.PaintFlags, 1);
  const TsMaskData& f = Entry(*m, "FORM", "FULL");
  EXPECT_EQ(f.MarginTop, 2);
  EXPECT_EQ(f.MarginBottom, 4);
  EXPECT_EQ(f.PaintFlags, 6);
}

TEST(ImageEntryTest, ExternalImageWithoutFramesOrBandsDoesNotDivideByZero) {
  auto m = WithMaster("[A]\nZ=!SIDE.BMP!0\nN=!SIDE.BMP!1!-1!9\nK=!SIDE.BMP!1!0!-3!0!0!0!0\n",
                      {{"SIDE.BMP", Bmp24(Solid(6, 6, 0))}});
  EXPECT_EQ(Entry(*m, "A", "Z").MarginLeft, 0);
  EXPECT_EQ(Entry(*m, "A", "N").MarginTop, 0);
  EXPECT_EQ(Entry(*m, "A", "N").ImageKind, 4);
  EXPECT_EQ(Entry(*m, "A", "K").ImageKind, kImageBorderMask);
}

TEST(ImageEntryTest, ExternalEntryNeedsAnImageName) {
  auto m = WithMaster("[A]\nX=!SIDE.GIF!1\nY=!NOTHERE.BMP!1\n#=#\nN=12\n");
  EXPECT_EQ(m->FindImageByName("A", "X"), -1);
  EXPECT_EQ(m->FindImageByName("A", "Y"), -1);
  EXPECT_EQ(m->FindImageByName("A", "#"), -1);
  EXPECT_EQ(m->FindImageByName("A", "N"), -1);
}

TEST(ImageEntryTest, PlainNameEntriesHaveUpperCaseNamesAndThreeStates) {
  auto m = WithMaster("[Btn]\nface=PLAIN.BMP\n", {{"PLAIN.BMP", Bmp24(Solid(90, 60, 0x10))}});
  EXPECT_EQ(m->FindImageByName("Btn", "face"), -1);
  const TsMaskData& e = Entry(*m, "BTN", "FACE");
  EXPECT_EQ(e.StateCount, 3);
  EXPECT_EQ(e.MaskRows, 1);
  EXPECT_EQ(e.MarginLeft, 10);
  EXPECT_EQ(e.MarginTop, 10);
}

TEST(ImageEntryTest, FreeFormRectangle) {
  auto m = WithMaster(
      "[Pane]\nb=#frame (10 20,40,50) (2, 1, 3)\nbad=#frame (1 2 3)\nfar=#f (0 0 99999 1)\n"
      "edge=#f (0 0 32767 1)\npast=#f (0 0 1 32768)\nback=#f (-1 0 1 1)\n");
  const TsMaskData& e = Entry(*m, "PANE", "B");
  EXPECT_EQ(e.SrcRect, (TRect{10, 20, 40, 50}));
  EXPECT_EQ(e.StateCount, 2);
  EXPECT_EQ(e.MaskRows, 1);
  EXPECT_EQ(e.MarginLeft, 3);
  EXPECT_EQ(e.PaintFlags, 1);
  EXPECT_EQ(m->FindImageByName("PANE", "BAD"), -1);
  // Coordinates run from 0 to 32767.
  EXPECT_EQ(m->FindImageByName("PANE", "FAR"), -1);
  EXPECT_EQ(Entry(*m, "PANE", "EDGE").SrcRect, (TRect{0, 0, 32767, 1}));
  EXPECT_EQ(m->FindImageByName("PANE", "PAST"), -1);
  EXPECT_EQ(m->FindImageByName("PANE", "BACK"), -1);
}

TEST(ImageEntryTest, OldBorderMasksStretchSinglePixelCentres) {
  // Frames of 6 / 2 states = 3 wide and 6 / 2 bands = 3 high: margins of 1 leave a one-pixel
  // centre (stretched), margins of 2 do not (not stretched), whatever the stored flag says.
  std::string masks =
      "[WIDE]\nBORDERSMASK=^0000^0000^0006^0006^0002^0002^0002^0002^2^1^1^0\n"
      "[ONE]\nBORDERSMASK=^0000^0000^0006^0006^0001^0001^0001^0001^2^1^0^0\n";
  auto old = LoadModel("[GLOBALINFO]\nVERSION=7.3\nMASTERBITMAP=MASTER.BMP\n" + masks,
                       {{"MASTER.BMP", Master()}});
  EXPECT_EQ(Entry(*old, "WIDE", "BORDERSMASK").PaintFlags, 0);
  EXPECT_EQ(Entry(*old, "ONE", "BORDERSMASK").PaintFlags, 1);
  auto current = WithMaster(masks);
  EXPECT_EQ(Entry(*current, "WIDE", "BORDERSMASK").PaintFlags, 1);
  EXPECT_EQ(Entry(*current, "ONE", "BORDERSMASK").PaintFlags, 0);
}

TEST(ImageEntryTest, CornerTransparencyLooksForKeyPixelsInTheFirstFrameCorners) {
  auto m = WithMaster(
      // Frame 0..20 x 30..50 (two states of 20, one band): (10, 40) is in no corner of 4.
      "[A]\nBORDERSMASK=^0000^0030^0040^0050^0004^0004^0004^0004^2^0^0^0\n"
      // Margins of 10 reach it in the bottom-left corner.
      "[B]\nBORDERSMASK=^0000^0030^0040^0050^0010^0010^0010^0010^2^0^0^0\n"
      "[BUTTON_HUGE]\nBORDERSMASK=^0000^0000^0040^0010^0004^0004^0004^0004^2^0^0^0\n"
      "[G]\nGLYPH=@0000@0030@0040@0050@2@0\n");
  EXPECT_EQ(Entry(*m, "A", "BORDERSMASK").CornerTransparency, 0);
  EXPECT_EQ(Entry(*m, "B", "BORDERSMASK").CornerTransparency, 1);
  EXPECT_EQ(Entry(*m, "BUTTON_HUGE", "BORDERSMASK").CornerTransparency, 2);
  EXPECT_EQ(Entry(*m, "G", "GLYPH").CornerTransparency, 0);  // glyphs are not scanned
}

TEST(ImageConversionTest, BitmapsBecomeOpaqueExceptKeyPixels) {
  skin_fixtures::Pixels p = Solid(2, 1, 0x123456);
  p.At(1, 0) = kKey;
  auto m = WithMaster("[A]\nI=!ICON.BMP!1!0!2\n", {{"ICON.BMP", Bmp24(p)}});
  const img::Bitmap32& b = *Entry(*m, "A", "I").Image;
  EXPECT_EQ(b.Pixel(0, 0), (img::TRGBAPixel{0x56, 0x34, 0x12, 255}));
  EXPECT_EQ(b.Pixel(1, 0), (img::TRGBAPixel{0xFF, 0x00, 0xFF, 0}));
  EXPECT_EQ(m->MasterImage.Width(), 300);
  EXPECT_EQ(m->MasterImage.Pixel(10, 40).A, 0);
}

TEST(ImageConversionTest, PngPixelsAreClearedUpTo745AndPremultipliedAfter) {
  img::Bitmap32 old(2, 1);
  old.Pixel(0, 0) = {0xFF, 0xFF, 0xFF, 0};
  old.Pixel(1, 0) = {100, 100, 100, 128};
  img::Bitmap32 newer = old;
  PreparePngBitmap(old, 7.45);
  EXPECT_EQ(old.Pixel(0, 0), (img::TRGBAPixel{0, 0, 0, 0}));
  EXPECT_EQ(old.Pixel(1, 0), (img::TRGBAPixel{100, 100, 100, 128}));
  PreparePngBitmap(newer, 7.46);
  EXPECT_EQ(newer.Pixel(0, 0), (img::TRGBAPixel{0, 0, 0, 0}));
  EXPECT_EQ(newer.Pixel(1, 0), (img::TRGBAPixel{50, 50, 50, 128}));
}

TEST(ImageConversionTest, PngEntriesArePremultipliedInNewSkins) {
  skin_fixtures::Pixels p = Solid(2, 1, 0xC86432);
  std::string png = skin_fixtures::PngRgba(p, {255, 128});
  auto m = WithMaster("[A]\nI=!GLOW.PNG!1!0!4\nBAD=!BAD.PNG!1\n",
                      {{"GLOW.PNG", png}, {"BAD.PNG", png.substr(0, 40)}});
  const TsMaskData& e = Entry(*m, "A", "I");
  EXPECT_EQ(e.ImageKind, 4);
  // Each channel becomes c * a >> 8, so even opaque pixels lose a little.
  EXPECT_EQ(e.Image->Pixel(0, 0), (img::TRGBAPixel{0x31, 0x63, 0xC7, 255}));
  EXPECT_EQ(e.Image->Pixel(1, 0),
            (img::TRGBAPixel{0x32 * 128 >> 8, 0x64 * 128 >> 8, 0xC8 * 128 >> 8, 128}));
  EXPECT_EQ(m->FindImageByName("A", "BAD"), -1);  // a damaged image is left out like a missing one
}

TEST(ImageSourceTest, PackedMembersMatchUpperCaseValuesOnly) {
  auto m = LoadModel("[GLOBALINFO]\nMASTERBITMAP=master.bmp\n[A]\nI=!icon.bmp!1\n",
                     {{"master.bmp", Master()}, {"icon.bmp", Bmp24(Solid(3, 3, 0))}});
  EXPECT_TRUE(m->MasterImage.Empty());
  EXPECT_TRUE(m->ImageTable.empty());
}

TEST(ImageSourceTest, FolderSkinReadsFilesBesideTheOptions) {
  testing_support::FakeHost host;
  host.files["C:\\Skins\\Blue\\MASTER.BMP"] = Master();
  host.files["D:\\Art\\ICON.BMP"] = Bmp24(Solid(4, 4, 0));
  TsSkinModel m;
  m.Load({"[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n[A]\nI=!D:\\Art\\ICON.BMP!1\nJ=!ICON.BMP!1\n",
          nullptr, "C:\\Skins\\Blue\\"});
  EXPECT_EQ(m.GlobalInfo.SkinFolder, "C:\\Skins\\Blue\\");
  EXPECT_EQ(m.MasterImage.Width(), 300);
  EXPECT_GE(m.FindImageByName("A", "I"), 0);
  EXPECT_EQ(m.FindImageByName("A", "J"), -1);
}

TEST(ImageSourceTest, UndecodableJpegTexturesAreLeftOut) {
  auto m = WithMaster("[FORM]\nPATTERN=WOOD.JPG\n", {{"WOOD.JPG", "\xFF\xD8\xFF\xE0 not really"}});
  EXPECT_TRUE(m->PatternTable.empty());
  EXPECT_EQ(m->FindImageByName("FORM", "PATTERN"), -1);
}

TEST(ImageLookupTest, ParentSectionsSupplyImagesAndTexturesCountOnlyAsTextures) {
  auto m = WithMaster(
      "[BUTTON]\nBORDERSMASK=^0000^0000^0030^0020^0001^0001^0001^0001^1^0^0^0\n"
      "PATTERN=~0000~0000~0010~0010~00\nHOTPATTERN=@0000@0000@0010@0010@1@0\nSTATES=2\n"
      "[MYBUTTON]\nPARENTCLASS=BUTTON\n");
  int child = m->FindSection("MYBUTTON");
  int border = m->FindImageByName("BUTTON", "BORDERSMASK");
  EXPECT_EQ(m->FindImage(child, "MYBUTTON", "BORDERSMASK"), border);
  EXPECT_EQ(m->FindImageByName("MYBUTTON", "BORDERSMASK"), -1);
  EXPECT_EQ(m->FindImage(-1, "BUTTON", "BORDERSMASK"), -1);
  EXPECT_EQ(m->FindTexture(child, "MYBUTTON", "HOTPATTERN"), -1);
  const TsGeneralData& s = m->SectionTable[size_t(child)];
  EXPECT_EQ(s.BorderIndex, border);
  EXPECT_EQ(s.TextureIndex, m->FindImageByName("BUTTON", "PATTERN"));
  EXPECT_EQ(s.States[1].TextureIndex, -1);
  EXPECT_FALSE(m->IsValidImageIndex(int(m->ImageTable.size())));
}

TEST(ImageLookupTest, CommonSectionEntriesHaveUpperCaseNames) {
  TsSkinModel m;
  m.CommonSections = {"[Extra]", "glyph=@0000@0000@0010@0010@1@0"};
  m.Load(skin_fixtures::PackedSource("[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n",
                                     {{"MASTER.BMP", Master()}}));
  EXPECT_GE(m.FindImageByName("EXTRA", "GLYPH"), 0);
  EXPECT_EQ(m.FindImageByName("Extra", "glyph"), -1);
  EXPECT_GE(m.FindSection("Extra"), 0);  // the section itself keeps its name
}

TEST(QuickIndexTest, GlobalImagesAndPartSections) {
  auto m = WithMaster(
      "BOXCHECKED=@0000@0000@0010@0010@1@0\n"
      "[SCROLLBTNTOP]\nGLYPHMASK=@0000@0000@0010@0010@1@0\n[WEBBUTTON]\n");
  const TsQuickIndexes& q = m->QuickIndexes;
  EXPECT_EQ(q.GlobalInfo, 0);
  EXPECT_EQ(q.GlobalImages[0], m->FindImageByName("GLOBALINFO", "BOXCHECKED"));
  EXPECT_EQ(q.GlobalImages[1], -1);
  EXPECT_EQ(q.ScrollButtons[0].Section, 1);
  EXPECT_EQ(q.ScrollButtons[0].GlyphIndex, m->FindImageByName("SCROLLBTNTOP", "GLYPHMASK"));
  EXPECT_EQ(q.ScrollButtons[1].Section, -1);
  EXPECT_EQ(q.WebButton, 2);
  EXPECT_EQ(q.ComboBtn.Section, -1);
}

TEST(HuePassTest, KeptTitleButtonsKeepTheirPixels) {
  skin_fixtures::Pixels p = Solid(20, 10, 0xFF0000);  // red
  auto m = std::make_unique<TsSkinModel>();
  m->HueOffset = 120;
  m->Load(skin_fixtures::PackedSource(
      "[GLOBALINFO]\nMASTERBITMAP=M.BMP\nBIKEEPHUE=2\nBICONCLOSE=@0000@0000@0010@0010@1@0\n"
      "BICONMAX=@0010@0000@0020@0010@1@0\n",
      {{"M.BMP", Bmp24(p)}}));
  EXPECT_EQ(m->MasterImage.Pixel(5, 5), (img::TRGBAPixel{0, 0, 255, 255}));   // close kept
  EXPECT_EQ(m->MasterImage.Pixel(15, 5), (img::TRGBAPixel{0, 255, 0, 255}));  // max shifted
}

}  // namespace
