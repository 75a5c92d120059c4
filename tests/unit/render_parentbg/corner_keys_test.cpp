// The key pixels of entry corners: runs collected for window regions, and copies into the pixels
// a corner leaves transparent.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "Pictures.h"
#include "skin/render/sCornerKeys.h"

namespace {

using namespace parentbg_test;

constexpr img::TRGBAPixel kGrey{90, 90, 90, 0};

// Two frames of 10 x 4 over a mask band (MaskRows 1): margins left 6, top 2, right 3, bottom 2.
OneEntryModel CornerEntry() {
  OneEntryModel m(Filled(20, 8, kGrey));
  TsMaskData& e = m.entry();
  e.SrcRect = {0, 0, 20, 8};
  e.StateCount = 2;
  e.MaskRows = 1;
  e.MarginLeft = 6, e.MarginTop = 2, e.MarginRight = 3, e.MarginBottom = 2;
  return m;
}

TEST(CollectCornerKeyRectsTest, RunsOfTheTopCornersLeftRowsFirst) {
  OneEntryModel m = CornerEntry();
  img::Bitmap32& p = m.model->MasterImage;
  for (int x : {0, 1, 2, 5}) p.Pixel(x, 0) = kKey;
  p.Pixel(4, 1) = {255, 0, 255, 1};  // fuchsia that carries alpha is not transparent
  p.Pixel(8, 0) = kKey;              // right corner (frame columns 7 .. 9)
  p.Pixel(8, 1) = kKey, p.Pixel(9, 1) = kKey;
  p.Pixel(12, 0) = kKey;  // the second frame is never read
  p.Pixel(0, 2) = kKey;   // below the top corner's rows

  std::vector<TRect> list{{9, 9, 9, 9}};
  CollectCornerKeyRects(list, 30, m.entry(), false, 5);
  EXPECT_EQ(list, (std::vector<TRect>{
                      {9, 9, 9, 9}, {0, 5, 3, 6}, {5, 5, 6, 6}, {28, 5, 29, 6}, {28, 6, 30, 7}}));
}

TEST(CollectCornerKeyRectsTest, BottomCornersReadTheLastRowsOfTheImageBand) {
  OneEntryModel m = CornerEntry();
  img::Bitmap32& p = m.model->MasterImage;
  p.Pixel(1, 3) = kKey;  // last image row, left corner
  p.Pixel(7, 2) = kKey;  // right corner's first column
  p.Pixel(0, 7) = kKey;  // the mask band is never read
  std::vector<TRect> list;
  CollectCornerKeyRects(list, 10, m.entry(), true, 0);
  EXPECT_EQ(list, (std::vector<TRect>{{1, 1, 2, 2}, {7, 0, 8, 1}}));
}

TEST(CollectCornerKeyRectsTest, NothingWithoutOwnerOrWhenTheRowsLeaveThePicture) {
  OneEntryModel m = CornerEntry();
  m.model->MasterImage.Fill(kKey);
  std::vector<TRect> list;
  m.entry().SrcRect.Top = 6;  // rows 6 and 7 are the last two of the picture: still read
  CollectCornerKeyRects(list, 10, m.entry(), false, 0);
  EXPECT_EQ(list.size(), 4u);
  list.clear();
  m.entry().SrcRect.Top = 7;  // row 8 would lie past the picture
  CollectCornerKeyRects(list, 10, m.entry(), false, 0);
  m.entry().SrcRect.Top = 0;
  m.entry().StateCount = 0;
  CollectCornerKeyRects(list, 10, m.entry(), false, 0);
  m.entry().StateCount = 2;
  m.entry().Owner = nullptr;
  CollectCornerKeyRects(list, 10, m.entry(), false, 0);
  EXPECT_TRUE(list.empty());
}

// Frames of 4 x 4 with margins left 1, top 1, right 2 and bottom 2, so that a corner placed from
// the opposite margin starts elsewhere; each corner of frame 0 holds one key pixel at a different
// place, so the copied target pixel tells which corner was tested.
struct FillKeyTest : ::testing::Test {
  FillKeyTest() : m(Filled(8, 4, kGrey)) {
    TsMaskData& e = m.entry();
    e.SrcRect = {0, 0, 8, 4};
    e.StateCount = 2;
    e.MarginLeft = e.MarginTop = 1;
    e.MarginRight = e.MarginBottom = 2;
    img::Bitmap32& p = m.model->MasterImage;
    p.Pixel(0, 0) = kKey;  // top-left corner at (0, 0), offset (0, 0)
    p.Pixel(3, 0) = kKey;  // top-right at (2, 0), offset (1, 0)
    p.Pixel(0, 3) = kKey;  // bottom-left at (0, 2), offset (0, 1)
    p.Pixel(3, 3) = kKey;  // bottom-right at (2, 2), offset (1, 1)
  }
  // The one target pixel that changed, as the source position it took.
  std::vector<std::string> Fill(int kind, int index = 0, TRect srcRect = {2, 2, 0, 0},
                                TRect rect = {1, 1, 3, 3}) {
    img::Bitmap32 target = Filled(4, 4, kBlank);
    if (index == -1) target.Pixel(2, 1) = {255, 0, 255, 0x80};  // top byte ignored
    FillKeyFromSource(target, source, rect, kind, m.model.get(), index, srcRect);
    std::vector<std::string> changed;
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x)
        if (target.Pixel(x, y) != kBlank && target.Pixel(x, y).A == 9)
          changed.push_back(std::to_string(x) + "," + std::to_string(y) + "<-" +
                            std::to_string(target.Pixel(x, y).B) + "," +
                            std::to_string(target.Pixel(x, y).G));
    return changed;
  }
  OneEntryModel m;
  img::Bitmap32 source = Numbered(5, 5);
};

TEST_F(FillKeyTest, EachKindTestsItsCornerOfTheEntry) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Fill(kHitTopLeft), V{"1,1<-2,2"});
  EXPECT_EQ(Fill(kHitTopRight), V{"2,1<-3,2"});
  EXPECT_EQ(Fill(kHitBottomLeft), V{"1,2<-2,3"});
  EXPECT_EQ(Fill(kHitBottomRight), V{"2,2<-3,3"});
  EXPECT_EQ(Fill(99), V{"1,1<-2,2"});
}

TEST_F(FillKeyTest, WithoutEntryTheTargetItselfIsTestedAndTheSourceLimitsTheBlock) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Fill(kHitTopLeft, -1), V{"2,1<-3,2"});
  EXPECT_EQ(Fill(kHitTopRight, -1, {4, 2, 0, 0}), V{});  // a block one pixel wide
  EXPECT_EQ(Fill(kHitTopRight, 0, {4, 2, 0, 0}), V{});
  EXPECT_EQ(Fill(kHitTopLeft, 0, {4, 2, 0, 0}), V{"1,1<-4,2"});
  EXPECT_EQ(Fill(kHitTopLeft, 1), V{});  // no such entry
}

TEST_F(FillKeyTest, OnlyTheOverlapOfTargetSourceAndEntryIsVisited) {
  using V = std::vector<std::string>;
  // A block reaching far before the target and the source: the same pixels as the small block.
  const int distance = 1 << 20;
  EXPECT_EQ(
      Fill(kHitTopLeft, -1, {2 - distance, 2 - distance, 0, 0}, {1 - distance, 1 - distance, 3, 3}),
      V{"2,1<-3,2"});
  EXPECT_EQ(
      Fill(kHitTopLeft, 0, {2 - distance, 2 - distance, 0, 0}, {1 - distance, 1 - distance, 3, 3}),
      V{});
  // Edges near the ends of the int range neither overflow nor reach past the pictures.
  const int most = std::numeric_limits<int>::max(), least = std::numeric_limits<int>::min();
  EXPECT_EQ(Fill(kHitTopLeft, -1, {2, 2, 0, 0}, {1, 1, most, most}), V{"2,1<-3,2"});
  EXPECT_EQ(Fill(kHitTopLeft, -1, {least, least, 0, 0}, {least, least, most, most}), V{"2,1<-2,1"});
  EXPECT_EQ(Fill(kHitTopLeft, 0, {2, 2, 0, 0}, {1, 1, most, most}), V{"1,1<-2,2"});
}

}  // namespace
