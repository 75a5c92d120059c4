// The border window's arithmetic: the margins a skin gives it, where it lies around the form,
// which part of it answers the mouse, its shape, and its picture around the window image.
#include <gtest/gtest.h>

#include "skin/data/sSkinModel.h"
#include "skin/forms/sBorderGeometry.h"
#include "skin/forms/sBorderPicture.h"

namespace {

// A 9-pixel shadow around a skin frame of 6 with a 30-pixel title, on a platform frame of 4 and
// caption of 23: the form of 400 x 300 gets a border window of 422 x 331.
TsBorderFrame Frame(int align = 0) {
  TsBorderFrame b;
  b.Extent = {9, 9, 9, 9};
  b.NativeFrame = 4;
  b.NativeCaption = 23;
  b.SkinBorder = 6;
  b.SkinTitle = 30;
  b.AlignOffset = align;
  return b;
}

TsBorderHit Hit(int align = 0) {
  TsBorderHit h;
  h.Frame = Frame(align);
  TPoint size = BorderSize(h.Frame, 400, 300);
  h.Width = size.X;
  h.Height = size.Y;
  h.Sizeable = true;
  h.TitleBottom = 9 + 30;
  h.MenuBottom = h.TitleBottom + 19;
  h.IconRect = {9 + 6 + 3, 16, 9 + 6 + 3 + 16, 32};
  return h;
}

}  // namespace

TEST(BorderGeometry, MarginsComeFromTheSkinsExtendedBorderOrTheBuiltInShadow) {
  TsSkinModel skin;
  skin.GlobalInfo.FormOffset = 3;
  EXPECT_EQ(ComputeBorderShadows(skin, false).Margins, (TsExtentMargins{}));
  EXPECT_EQ(ComputeBorderShadows(skin, true).Margins, (TsExtentMargins{9, 9, 9, 9}));

  TsMaskData exborder;
  exborder.StateCount = 2;
  exborder.SrcRect = {0, 0, 2 * 40, 40};
  exborder.MarginLeft = 12, exborder.MarginTop = 14, exborder.MarginRight = 11;
  exborder.MarginBottom = 2;  // less than FORMOFFSET: no margin rather than a negative one
  exborder.Image = std::make_shared<img::Bitmap32>(80, 40);
  exborder.Image->Fill({10, 20, 30, 128});
  skin.ImageTable.push_back(exborder);
  skin.QuickIndexes.GlobalImages[9] = 0;
  skin.GlobalInfo.SkinVersion = 8;
  TsBorderShadows s = ComputeBorderShadows(skin, true);
  EXPECT_EQ(s.Margins, (TsExtentMargins{9, 11, 8, 0}));
  ASSERT_TRUE(s.Active.Image && s.Inactive.Image);
  EXPECT_EQ(s.Active.Image->Width(), 40);
  // Loaded premultiplied already: the same pixels, not darkened twice.
  EXPECT_EQ(s.Active.Image->Pixel(0, 0), (img::TRGBAPixel{10, 20, 30, 128}));
  skin.GlobalInfo.SkinVersion = 7.2;
  EXPECT_EQ(ComputeBorderShadows(skin, true).Active.Image->Pixel(0, 0).R, 15);
  skin.GlobalInfo.BorderMode = 1;
  EXPECT_EQ(ComputeBorderShadows(skin, true).Margins, (TsExtentMargins{3, 3, 3, 3}));
}

TEST(BorderGeometry, TheBorderWindowEnclosesTheFormWithTheSkinsFrameAndTheShadow) {
  TsBorderFrame b = Frame();
  EXPECT_EQ(BorderOffset(b), (TPoint{2 + 9, 3 + 9}));  // 30 - 23 - 4 above the form
  EXPECT_EQ(SkinnedSize(b, 400, 300), (TPoint{404, 305}));
  EXPECT_EQ(BorderSize(b, 400, 300), (TPoint{422, 323}));
  b.NativeCaption = 0;  // no caption: the skin's frame is as wide above as on the sides
  EXPECT_EQ(BorderOffset(b), (TPoint{11, 11}));

  // The skinned window keeps the form's client where it is on the screen.
  TsFormShape form;
  form.Width = 400, form.Height = 300, form.ClientWidth = 392, form.ClientHeight = 250;
  form.MenuLineHeight = 18, form.MenuLineCount = 1;
  TsBorderFrame f = Frame();
  TsFormShape skinned = SkinnedShape(form, f);
  TsSystemMetrics metrics = SkinnedMetrics(TsSystemMetrics{}, f);
  TPoint client = ClientOffset(skinned, metrics);
  TPoint platform = ClientOffset(form, TsSystemMetrics{});
  EXPECT_EQ(client.X - SkinnedOffset(f).X, platform.X);
  EXPECT_EQ(client.Y - SkinnedOffset(f).Y, platform.Y);
  EXPECT_EQ(CaptionHeight(skinned, metrics), 30);
}

TEST(BorderGeometry, HitZonesLieAtTheShadowsInnerEdge) {
  struct Case {
    int align;
    TPoint p;
    int code;
  } cases[] = {
      {0, {2, 150}, kHitShadow},    // 2 pixels inside the outer edge: no sizing
      {0, {8, 150}, kHitShadow},    // the shadow's last pixel
      {0, {9, 150}, kHitLeft},      // the inner edge
      {0, {12, 150}, kHitLeft},     // the native frame's width
      {0, {13, 150}, kHitBorder},   // the rest of the skin's frame
      {0, {412, 150}, kHitRight},   // 422 - 9 - 4 + ... the right zone
      {0, {413, 150}, kHitShadow},  // past it
      {0, {200, 9}, kHitTop},       // four rows at the top
      {0, {200, 13}, kHitCaption},  // then the caption
      {0, {9, 9}, kHitTopLeft},     // corners combine
      {0, {412, 310}, kHitBottomRight},
      {0, {20, 20}, kHitSysMenu},   // the icon
      {0, {200, 45}, kHitMenu},     // below the title: the menu band
      {0, {200, 100}, kHitBorder},  // the client is the form's, never asked here
      {0, {200, 320}, kHitShadow},
      {0, {200, 3}, kHitShadow},  // the shadow above the title is no caption
      {3, {6, 150}, kHitLeft},    // ALIGNOFFSET reaches into the shadow
      {3, {5, 150}, kHitShadow},
      {3, {9, 150}, kHitLeft},  // 422 x 323: the zones move out by 3 on every side
      {3, {10, 150}, kHitBorder},
      {3, {411, 150}, kHitBorder},
      {3, {412, 150}, kHitRight},
      {3, {415, 150}, kHitRight},
      {3, {416, 150}, kHitShadow},
      {3, {200, 6}, kHitTop},
      {3, {200, 9}, kHitTop},
      {3, {200, 10}, kHitCaption},
      {3, {200, 312}, kHitBorder},
      {3, {200, 313}, kHitBottom},
      {3, {415, 316}, kHitBottomRight},
      {3, {200, 317}, kHitShadow},
  };
  for (const Case& c : cases)
    EXPECT_EQ(BorderHitTest(Hit(c.align), c.p), c.code) << c.p.X << "," << c.p.Y << " a" << c.align;
  TsBorderHit fixed = Hit();
  fixed.Sizeable = false;
  EXPECT_EQ(BorderHitTest(fixed, {9, 150}), kHitBorder);
  fixed.Grip = {390, 290, 404, 304};
  EXPECT_EQ(BorderHitTest(fixed, {395, 295}), kHitBottomRight);
}

TEST(BorderGeometry, TheShapeLeavesOutTheClientAndTheShadowOfAMaximisedForm) {
  TsBorderFrame b = Frame();
  TPoint size = BorderSize(b, 400, 300);
  TRect outer = MaximizedBorderRect(b, size.X, size.Y);
  EXPECT_EQ(outer, (TRect{4 + 2 + 9, 9 + 4, 422 - 15, 323 - 15}));
  // A client larger than the maximised rectangle adds nothing outside it.
  TsRegion region = BorderRegion(outer, {10, 60, 420, 320});
  EXPECT_FALSE(region.Contains(12, 100));
  EXPECT_FALSE(region.Contains(410, 100));
  EXPECT_TRUE(region.Contains(20, 20));
  EXPECT_FALSE(region.Contains(20, 100));
  // A one-pixel hole cut twice at the same place stays a hole.
  region.Subtract({20, 20, 21, 21});
  region.Subtract({20, 20, 21, 21});
  EXPECT_FALSE(region.Contains(20, 20));
  EXPECT_TRUE(region.Contains(21, 20));
}

TEST(BorderGeometry, ADoubleClickOnAnEdgeStretchesTheFormOverTheWorkArea) {
  TsBorderFrame b = Frame();
  TRect form = {100, 100, 500, 400}, work = {0, 0, 1024, 738};
  EXPECT_EQ(StretchedBounds(b, form, work, kHitLeft), (TRect{2, 100, 1022, 400}));
  EXPECT_EQ(StretchedBounds(b, form, work, kHitBottom), (TRect{100, 3, 500, 736}));
  EXPECT_EQ(StretchedBounds(b, form, work, kHitCaption), form);
}

TEST(BorderGeometry, ThePictureIsTheShadowWithTheOpaqueImageInsideAndCornersLeftToTheShadow) {
  img::Bitmap32 image(10, 8);
  image.Fill({50, 60, 70, 0});
  TsMaskData shadow;
  shadow.Image = std::make_shared<img::Bitmap32>(5, 5);
  shadow.Image->Fill({0, 0, 0, 100});
  shadow.SrcRect = {0, 0, 5, 5};
  shadow.StateCount = 1;
  shadow.MarginLeft = shadow.MarginTop = shadow.MarginRight = shadow.MarginBottom = 2;
  TsSkinModel owner;
  shadow.Owner = &owner;
  img::Bitmap32 picture;
  ComposeBorderPicture(picture, image, shadow, {2, 3, 2, 3}, {{0, 0, 2, 1}});
  ASSERT_EQ(picture.Width(), 14);
  ASSERT_EQ(picture.Height(), 14);
  EXPECT_EQ(picture.Pixel(0, 0).A, 100);
  EXPECT_EQ(picture.Pixel(13, 13).A, 100);
  EXPECT_NE(picture.Pixel(2, 3).A, 255);  // a transparent corner pixel of the skin
  EXPECT_EQ(picture.Pixel(4, 3), (img::TRGBAPixel{50, 60, 70, 255}));
  EXPECT_EQ(picture.Pixel(11, 10), (img::TRGBAPixel{50, 60, 70, 255}));

  // The extended border as the whole frame: the image shows only in its title band (2 rows) and
  // its content (columns 3..6 of rows 2..5); its own frame gives way to the border's.
  ComposeBorderPicture(picture, image, shadow, {2, 3, 2, 3}, {}, {{0, 0, 10, 2}, {3, 2, 7, 6}});
  const img::TRGBAPixel shown{50, 60, 70, 255};
  EXPECT_EQ(picture.Pixel(2, 3), shown);   // the title band's first pixel
  EXPECT_EQ(picture.Pixel(11, 4), shown);  // its last
  EXPECT_NE(picture.Pixel(2, 5), shown);   // the left frame below it
  EXPECT_NE(picture.Pixel(4, 5), shown);   // just left of the content
  EXPECT_EQ(picture.Pixel(5, 5), shown);   // the content's first pixel
  EXPECT_EQ(picture.Pixel(8, 8), shown);   // its last
  EXPECT_NE(picture.Pixel(9, 8), shown);   // right of it
  EXPECT_NE(picture.Pixel(8, 9), shown);   // below it
  EXPECT_EQ(picture.Pixel(0, 0).A, 100);
}
