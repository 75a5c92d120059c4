#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <set>
#include <sstream>

#include "../skin_manager/ManagerWorld.h"
#include "platform/Dpi.h"
#include "skin/data/MaskGeometry.h"
#include "skin/data/SkinSources.h"
#include "skin/data/veSkinPack.h"
#include "skin/data/sSkinManager.h"
#include "skin/render/sScaledSkin.h"
#include "skins/StoredSkins.h"

namespace img {
inline void PrintTo(const TRGBAPixel& p, std::ostream* out) {
  *out << "BGRA(" << int(p.B) << ", " << int(p.G) << ", " << int(p.R) << ", " << int(p.A) << ")";
}
}  // namespace img

namespace {

using img::TRGBAPixel;
using platform::ScaleToDpi;

constexpr TRGBAPixel kKey{0xFF, 0x00, 0xFF, 0x00};
constexpr int kScales[] = {96, 120, 144, 192};

// Slice i (0 left, 1 middle, 2 right) by j (0 top .. 2 bottom) of frame f, one colour each; the
// mask band has colours of its own.
TRGBAPixel SliceColour(int i, int j, int f) {
  return {uint8_t(30 + 60 * i), uint8_t(30 + 60 * j), uint8_t(40 + 100 * f), 255};
}
TRGBAPixel MaskColour(int i, int j) {
  return {uint8_t(10 * i + 30 * j), uint8_t(10 * i + 30 * j), uint8_t(10 * i + 30 * j), 0};
}

// The filter's fixed-point weights round down, so a colour may come out up to two steps darker; a
// picture's alpha, the same over the whole block, comes out exactly.
::testing::AssertionResult Near(TRGBAPixel got, TRGBAPixel want) {
  auto close = [](int a, int b) { return a <= b && b - a <= 2; };
  if (close(got.B, want.B) && close(got.G, want.G) && close(got.R, want.R) && got.A == want.A)
    return ::testing::AssertionSuccess();
  std::ostringstream text;
  img::PrintTo(got, &text);
  text << " is not near ";
  img::PrintTo(want, &text);
  return ::testing::AssertionFailure() << text.str();
}

int SliceOf(int p, int size, int first, int last) {
  return p < first ? 0 : p < size - last ? 1 : 2;
}

// A master picture holding, at (2, 3) and among other colours, two frames of 12 x 10 over their
// mask, cut by margins 3 (left), 2 (top), 4 (right) and 1 (bottom).
struct TSlicedSkin {
  static constexpr int FW = 12, FH = 10, L = 3, T = 2, R = 4, B = 1;
  TsSkinModel Model;

  TSlicedSkin() {
    Model.MasterImage = img::Bitmap32(2 * FW + 5, 2 * FH + 6);
    Model.MasterImage.Fill({1, 200, 1, 255});
    TsMaskData e;
    e.SrcRect = {2, 3, 2 + 2 * FW, 3 + 2 * FH};
    e.StateCount = 2;
    e.MaskRows = 1;
    e.PaintFlags = 5;
    e.MarginLeft = L, e.MarginTop = T, e.MarginRight = R, e.MarginBottom = B;
    e.Owner = &Model;
    for (int f = 0; f < 2; ++f)
      for (int y = 0; y < FH; ++y)
        for (int x = 0; x < FW; ++x) {
          const int i = SliceOf(x, FW, L, R), j = SliceOf(y, FH, T, B);
          Model.MasterImage.Pixel(2 + f * FW + x, 3 + y) = SliceColour(i, j, f);
          Model.MasterImage.Pixel(2 + f * FW + x, 3 + FH + y) = MaskColour(i, j);
        }
    Model.ImageTable.push_back(e);
  }
};

TEST(ScaledSkin, EverySliceKeepsItsMarginAndItsOwnColourAtEachScale) {
  const TSlicedSkin skin;
  for (int dpi : kScales) {
    const auto copy = BuildScaledSkin(skin.Model, dpi);
    const TsMaskData& e = copy->ImageTable[0];
    const int fw = ScaleToDpi(TSlicedSkin::FW, dpi), fh = ScaleToDpi(TSlicedSkin::FH, dpi);
    const int l = ScaleToDpi(TSlicedSkin::L, dpi), t = ScaleToDpi(TSlicedSkin::T, dpi);
    const int r = ScaleToDpi(TSlicedSkin::R, dpi), b = ScaleToDpi(TSlicedSkin::B, dpi);
    ASSERT_EQ(e.Image, nullptr) << dpi;
    ASSERT_EQ(e.Owner, copy.get());
    EXPECT_EQ(e.SrcRect.Width(), 2 * fw) << dpi;
    EXPECT_EQ(e.SrcRect.Height(), 2 * fh) << dpi;
    EXPECT_EQ((std::array<int, 4>{e.MarginLeft, e.MarginTop, e.MarginRight, e.MarginBottom}),
              (std::array<int, 4>{l, t, r, b}))
        << dpi;
    EXPECT_EQ(e.StateCount, 2);
    EXPECT_EQ(e.MaskRows, 1);
    EXPECT_EQ(e.PaintFlags, 5);
    ASSERT_EQ(FrameHeight(e), fh);
    const img::Bitmap32& m = copy->MasterImage;
    ASSERT_LE(e.SrcRect.Right, m.Width());
    ASSERT_LE(e.SrcRect.Bottom, m.Height());
    for (int f = 0; f < 2; ++f)
      for (int y = 0; y < fh; ++y)
        for (int x = 0; x < fw; ++x) {
          const int i = SliceOf(x, fw, l, r), j = SliceOf(y, fh, t, b);
          const int px = e.SrcRect.Left + f * fw + x, py = e.SrcRect.Top + y;
          ASSERT_TRUE(Near(m.Pixel(px, py), SliceColour(i, j, f)))
              << dpi << " " << f << " " << x << "," << y;
          ASSERT_TRUE(Near(m.Pixel(px, py + fh), MaskColour(i, j)))
              << dpi << " mask " << x << "," << y;
        }
  }
}

// A glyph of 8 x 8 whose key pixels are those where key(x, y) holds.
template <typename Key>
TsSkinModel& KeyedGlyph(TsSkinModel& model, TRGBAPixel colour, Key key) {
  model.MasterImage = img::Bitmap32(8, 8);
  model.MasterImage.Fill(colour);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      if (key(x, y)) model.MasterImage.Pixel(x, y) = kKey;
  TsMaskData e;
  e.SrcRect = {0, 0, 8, 8};
  e.StateCount = 1;
  e.ImageKind = kImageGlyph;
  e.Owner = &model;
  model.ImageTable.push_back(e);
  return model;
}

bool LeftColumnsAndTopRow(int x, int y) {
  return x < 3 || y == 0;
}
bool EdgeColumn(int x, int) {
  return x == 0;
}
bool Everything(int, int) {
  return true;
}

TEST(ScaledSkin, KeyPixelsStayWhereTheyWereAndTintNoPicturePixel) {
  const TRGBAPixel colour{10, 120, 230, 255};
  for (bool (*key)(int, int) : {LeftColumnsAndTopRow, EdgeColumn}) {
    TsSkinModel model;
    KeyedGlyph(model, colour, key);
    for (int dpi : kScales) {
      const auto copy = BuildScaledSkin(model, dpi);
      const int n = ScaleToDpi(8, dpi);
      ASSERT_EQ(copy->ImageTable[0].SrcRect, (TRect{0, 0, n, n})) << dpi;
      for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
          // The source pixel under the centre of this one.
          const int sx = (2 * x + 1) * 8 / (2 * n), sy = (2 * y + 1) * 8 / (2 * n);
          const TRGBAPixel p = copy->MasterImage.Pixel(x, y);
          if (key(sx, sy))
            ASSERT_EQ(p, kKey) << dpi << " " << x << "," << y;
          else
            ASSERT_TRUE(Near(p, colour)) << dpi << " " << x << "," << y;
        }
    }
  }
}

TEST(ScaledSkin, APictureThatTheFilterMakesFuchsiaIsNoKeyPixel) {
  TsSkinModel model;
  KeyedGlyph(model, kKey, Everything);
  model.MasterImage.Pixel(7, 7) = {0xFF, 0x00, 0xFF, 0x01};
  const auto copy = BuildScaledSkin(model, 192);
  EXPECT_EQ(copy->MasterImage.Pixel(15, 15), (TRGBAPixel{0xFF, 0x00, 0xFF, 0x01}));
  EXPECT_EQ(copy->MasterImage.Pixel(0, 0), kKey);
}

TEST(ScaledSkin, OwnPicturesAreScaledApartAndTheSkinItselfIsLeftAlone) {
  TsSkinModel model;
  model.SectionTable.push_back({});
  model.SectionTable[0].SectionName = "BUTTON";
  model.SectionTable[0].GlowMargin = 4;
  model.GlobalInfo.TitleHeight = 30;
  model.QuickIndexes.WebButton = 1;
  auto own = std::make_shared<img::Bitmap32>(30, 8);
  own->Fill({5, 6, 7, 255});
  TsMaskData e;
  e.Image = own;
  e.SrcRect = {0, 0, 30, 8};
  e.StateCount = 3;
  e.DefaultMargin = 2;
  e.Owner = &model;
  model.ImageTable.push_back(e);
  e.SrcRect = {0, 0, 31, 8};  // beyond its picture
  model.ImageTable.push_back(e);

  const auto copy = BuildScaledSkin(model, 144);
  const TsMaskData& scaled = copy->ImageTable[0];
  ASSERT_NE(scaled.Image.get(), own.get());
  EXPECT_EQ(scaled.Image->Width(), 45);
  EXPECT_EQ(scaled.Image->Height(), 12);
  EXPECT_EQ(scaled.SrcRect, (TRect{0, 0, 45, 12}));
  EXPECT_EQ(scaled.DefaultMargin, 3);
  EXPECT_TRUE(Near(scaled.Image->Pixel(44, 11), {5, 6, 7, 255}));
  EXPECT_EQ(copy->ImageTable[1].SrcRect, TRect{});
  EXPECT_EQ(copy->FindSection("BUTTON"), 0);
  EXPECT_EQ(copy->SectionTable[0].GlowMargin, 6);
  EXPECT_EQ(copy->GlobalInfo.TitleHeight, 45);
  EXPECT_EQ(copy->QuickIndexes.WebButton, 1);
  EXPECT_TRUE(copy->MasterImage.Empty());

  EXPECT_EQ(model.ImageTable[0].Image.get(), own.get());
  EXPECT_EQ(own->Width(), 30);
  EXPECT_EQ(model.ImageTable[0].SrcRect, (TRect{0, 0, 30, 8}));
  EXPECT_EQ(model.ImageTable[1].SrcRect, (TRect{0, 0, 31, 8}));
  EXPECT_EQ(model.SectionTable[0].GlowMargin, 4);
  EXPECT_EQ(model.GlobalInfo.TitleHeight, 30);
}

const TsStoredSkins& Stored() {
  static const TsStoredSkins skins = [] {
    TsStoredSkins s;
    AddStoredSkins(s);
    return s;
  }();
  return skins;
}

void LoadStored(TsSkinModel& model, const std::string& name) {
  const TsStoredSkins& skins = Stored();
  model.Load(PackedDataSource(skins.Items(skins.IndexOfSkin(name + " (internal)")).Data));
}

const img::Bitmap32& PictureOf(const TsSkinModel& model, const TsMaskData& e) {
  return e.Image ? *e.Image : model.MasterImage;
}

TEST(ScaledSkin, AtNinetySixEveryPictureIsTheSkinsOwnBitForBit) {
  TsSkinModel model;
  LoadStored(model, "Soft Azure");
  const auto copy = BuildScaledSkin(model, 96);
  ASSERT_EQ(copy->ImageTable.size(), model.ImageTable.size());
  size_t compared = 0;
  for (size_t k = 0; k < model.ImageTable.size(); ++k) {
    const TsMaskData &a = model.ImageTable[k], &b = copy->ImageTable[k];
    ASSERT_EQ(a.SrcRect.Width(), b.SrcRect.Width()) << a.SectionName << " " << a.KeyName;
    ASSERT_EQ(a.SrcRect.Height(), b.SrcRect.Height()) << a.SectionName << " " << a.KeyName;
    EXPECT_EQ((std::array<int, 5>{a.MarginLeft, a.MarginTop, a.MarginRight, a.MarginBottom,
                                  a.DefaultMargin}),
              (std::array<int, 5>{b.MarginLeft, b.MarginTop, b.MarginRight, b.MarginBottom,
                                  b.DefaultMargin}));
    const img::Bitmap32 &pa = PictureOf(model, a), &pb = PictureOf(*copy, b);
    for (int y = 0; y < a.SrcRect.Height(); ++y)
      for (int x = 0; x < a.SrcRect.Width(); ++x, ++compared)
        ASSERT_EQ(pa.Pixel(a.SrcRect.Left + x, a.SrcRect.Top + y),
                  pb.Pixel(b.SrcRect.Left + x, b.SrcRect.Top + y))
            << a.SectionName << " " << a.KeyName << " " << x << "," << y;
  }
  EXPECT_GT(compared, 10000u);
  EXPECT_EQ(copy->GlobalInfo.TitleHeight, model.GlobalInfo.TitleHeight);
}

TEST(ScaledSkin, TheStoredSkinsAtEachScaleHaveTheirEntriesInsideTheirPictures) {
  for (const char* name : {"Soft Azure", "Night Ember"}) {
    TsSkinModel model;
    LoadStored(model, name);
    for (int dpi : {120, 144, 192}) {
      const auto copy = BuildScaledSkin(model, dpi);
      EXPECT_EQ(copy->GlobalInfo.TitleHeight, ScaleToDpi(model.GlobalInfo.TitleHeight, dpi));
      for (size_t k = 0; k < model.ImageTable.size(); ++k) {
        const TsMaskData &a = model.ImageTable[k], &b = copy->ImageTable[k];
        const img::Bitmap32& picture = PictureOf(*copy, b);
        ASSERT_LE(b.SrcRect.Right, picture.Width()) << name << " " << a.KeyName << " " << dpi;
        ASSERT_LE(b.SrcRect.Bottom, picture.Height()) << name << " " << a.KeyName << " " << dpi;
        EXPECT_EQ(FrameWidth(b), ScaleToDpi(FrameWidth(a), dpi)) << name << " " << a.KeyName;
        EXPECT_EQ(FrameHeight(b), ScaleToDpi(FrameHeight(a), dpi)) << name << " " << a.KeyName;
        EXPECT_EQ(b.MarginLeft, ScaleToDpi(a.MarginLeft, dpi)) << name << " " << a.KeyName;
        EXPECT_EQ(b.MarginBottom, ScaleToDpi(a.MarginBottom, dpi)) << name << " " << a.KeyName;
      }
    }
  }
}

// The copy's pieces pass through plain memory: the only bitmaps it makes are the pictures it
// keeps. The skin's own pictures decode on first use, which makes bitmaps too, so they are
// decoded before the count starts.
TEST(ScaledSkin, ACopyMakesNoBitmapsButThePicturesItKeeps) {
  TsSkinModel model;
  LoadStored(model, "Soft Azure");
  std::set<const img::Bitmap32*> own;
  for (const TsMaskData& e : model.ImageTable)
    if (e.Image) own.insert(e.Image.get());
  for (int dpi : {96, 120, 144, 192}) {
    const int64_t before = img::Bitmap32::StoragesMade();
    const auto copy = BuildScaledSkin(model, dpi);
    const int64_t made = img::Bitmap32::StoragesMade() - before;
    std::set<const img::Bitmap32*> kept;
    if (!copy->MasterImage.Empty()) kept.insert(&copy->MasterImage);
    for (const TsMaskData& e : copy->ImageTable)
      if (e.Image && !own.contains(e.Image.get())) kept.insert(e.Image.get());
    EXPECT_GT(kept.size(), 1u) << dpi;
    EXPECT_EQ(made, int64_t(kept.size())) << dpi;
  }
}

// Slate, packed, with its EXBORDER entry under another name when the test wants none.
std::string Slate(bool ownBorder) {
  std::vector<TvePackedMember> members;
  for (auto& [name, data] : manager_test::SlateMembers()) members.push_back({name, data});
  for (TvePackedMember& member : members)
    if (!ownBorder && member.Name == "Options.dat")
      member.Data.replace(member.Data.find("EXBORDER="), 9, "NOBORDER=");
  return WritePackedSkin(members);
}

std::unique_ptr<TsSkinManager> Manager(bool ownBorder) {
  auto m = std::make_unique<TsSkinManager>(nullptr);
  m->BeginLoading();
  m->InternalSkins.Add(manager_test::Stored("Slate", Slate(ownBorder)));
  m->SetSkinName("Slate");
  m->EndLoading();
  return m;
}

struct SkinAtDpiTest : ::testing::Test {
  manager_test::World world;
  std::unique_ptr<TsSkinManager> manager = Manager(true);
};

TEST_F(SkinAtDpiTest, EachScaleHasOneCopyUntilTheSkinChanges) {
  TsSkinManager& m = *manager;
  ASSERT_GE(m.FindSection("BUTTON"), 0);
  EXPECT_EQ(&SkinAtDpi(m, 96), &m);
  EXPECT_EQ(&SkinAtDpi(m, 0), &m);
  const TsSkinModel* at150 = &SkinAtDpi(m, 144);
  EXPECT_NE(at150, &m);
  EXPECT_EQ(&SkinAtDpi(m, 144), at150);
  EXPECT_EQ(m.ScaledCopy(144)->Model.get(), at150);
  EXPECT_EQ(at150->GlobalInfo.TitleHeight, ScaleToDpi(m.GlobalInfo.TitleHeight, 144));
  const TsSkinModel* at200 = &SkinAtDpi(m, 192);
  EXPECT_NE(at200, at150);
  EXPECT_EQ(m.ScaledCopy(120), nullptr);

  m.ApplySkin(false);
  EXPECT_EQ(m.ScaledCopy(144), nullptr);
  EXPECT_EQ(m.ScaledCopy(192), nullptr);
  SkinAtDpi(m, 144);
  m.SetHueOffset(30);
  EXPECT_EQ(m.ScaledCopy(144), nullptr);
  SkinAtDpi(m, 144);
  m.SetExtendedBorders(true);
  EXPECT_EQ(m.ScaledCopy(144), nullptr);
  SkinAtDpi(m, 144);
  m.RemoveSkin();
  EXPECT_EQ(m.ScaledCopy(144), nullptr);
}

TEST_F(SkinAtDpiTest, ASkinsOwnBorderShadowComesFromItsScaledFrames) {
  TsSkinManager& m = *manager;
  m.SetExtendedBorders(true);
  const TsBorderShadows& at96 = m.BorderShadows();
  ASSERT_NE(at96.Active.Image, nullptr);
  EXPECT_EQ(&BorderShadowsAtDpi(m, 96), &at96);
  const TsBorderShadows& at150 = BorderShadowsAtDpi(m, 144);
  const int margin = std::max(0, 12 - ScaleToDpi(m.GlobalInfo.FormOffset, 144));
  EXPECT_EQ(at150.Margins, (TsExtentMargins{margin, margin, margin, margin}));
  EXPECT_EQ(at150.Active.MarginLeft, 12);
  EXPECT_EQ(at150.Inactive.MarginBottom, 12);
  EXPECT_EQ(at150.Active.SrcRect.Width(), ScaleToDpi(at96.Active.SrcRect.Width(), 144));
  EXPECT_EQ(at150.Active.Owner, &SkinAtDpi(m, 144));
  EXPECT_EQ(&BorderShadowsAtDpi(m, 144), &at150);
}

TEST(SkinAtDpi, TheBuiltInShadowIsScaledWithItsMargins) {
  manager_test::World world;
  const std::string picture = manager_test::SlateMembers()["XBORDER.PNG"];
  BuiltInShadowSource() = [picture] { return std::pair{picture, picture}; };
  auto manager = Manager(false);
  manager->SetExtendedBorders(true);
  const TsBorderShadows& at96 = manager->BorderShadows();
  ASSERT_NE(at96.Inactive.Image, nullptr);
  ASSERT_EQ(at96.Margins.Left, 9);
  const int slice = at96.Active.MarginLeft;
  const TsBorderShadows& at200 = BorderShadowsAtDpi(*manager, 192);
  EXPECT_EQ(at200.Margins, (TsExtentMargins{18, 18, 18, 18}));
  for (const TsMaskData* e : {&at200.Active, &at200.Inactive}) {
    EXPECT_EQ(e->MarginLeft, 2 * slice);
    EXPECT_EQ(e->MarginTop, 2 * slice);
    EXPECT_EQ(e->SrcRect,
              (TRect{0, 0, 2 * at96.Active.Image->Width(), 2 * at96.Active.Image->Height()}));
    EXPECT_EQ(e->Image->Width(), e->SrcRect.Width());
    EXPECT_EQ(e->Owner, &SkinAtDpi(*manager, 192));
  }
  BuiltInShadowSource() = nullptr;
}

}  // namespace
