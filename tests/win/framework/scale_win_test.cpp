// Forms at a display scale: what a form keeps in pixels goes to the new scale and comes back
// unchanged, and a move to a monitor of another scale takes the rectangle the system suggests.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstdint>
#include <vector>

#include "framework/ComCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "tests/win/framework/FormFixture.h"

using namespace fw;
using framework_test::FormTest;

namespace {

RECT BoundsOf(TWinControl& control) {
  RECT r;
  GetWindowRect(control.Handle(), &r);
  MapWindowPoints(nullptr, GetParent(control.Handle()), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

SIZE ClientOf(TWinControl& control) {
  RECT r;
  GetClientRect(control.Handle(), &r);
  return {r.right, r.bottom};
}

struct Scaled {
  SIZE client;
  RECT button;
  int fontHeight, buttonFont;
  std::array<int, 2> columns;
  std::array<int, 2> parts;
  int imageSize, imageCount;
};

struct ScaleTest : FormTest {
  void SetUp() override {
    FormTest::SetUp();
    list = new TListView(form.get());
    list->SetBounds(10, 40, 200, 100);
    list->AddColumn("Device", 120);
    list->AddColumn("", 0);
    images = std::make_unique<TImageList>(16, 16);
    images->AddIcon(LoadIcon(nullptr, IDI_APPLICATION));
    list->SetSmallImages(images.get());
    list->SetParent(form.get());
    bar = new TStatusBar(form.get());
    bar->AddPanel(100);
    bar->AddPanel(50);
    bar->SetParent(form.get());
    form->Handle();
  }
  void TearDown() override {
    FormTest::TearDown();
    images.reset();
  }
  Scaled Measure() {
    Scaled s{ClientOf(*form),
             BoundsOf(*button),
             form->Font().Height(),
             button->Font().Height(),
             {},
             {},
             0,
             0};
    for (int i = 0; i < 2; ++i)
      s.columns[i] = static_cast<int>(list->SendMessage(LVM_GETCOLUMNWIDTH, i));
    bar->SendMessage(SB_GETPARTS, 2, reinterpret_cast<LPARAM>(s.parts.data()));
    auto handle = reinterpret_cast<HIMAGELIST>(list->SendMessage(LVM_GETIMAGELIST, LVSIL_SMALL));
    int cy = 0;
    ImageList_GetIconSize(handle, &s.imageSize, &cy);
    s.imageCount = ImageList_GetImageCount(handle);
    return s;
  }
  TListView* list = nullptr;
  TStatusBar* bar = nullptr;
  std::unique_ptr<TImageList> images;
};

void ExpectScaled(const Scaled& s, const Scaled& expected, int dpi) {
  SCOPED_TRACE(dpi);
  EXPECT_EQ(s.client.cx, expected.client.cx);
  EXPECT_EQ(s.client.cy, expected.client.cy);
  EXPECT_EQ(s.button.left, expected.button.left);
  EXPECT_EQ(s.button.top, expected.button.top);
  EXPECT_EQ(s.button.right, expected.button.right);
  EXPECT_EQ(s.button.bottom, expected.button.bottom);
  EXPECT_EQ(s.fontHeight, expected.fontHeight);
  EXPECT_EQ(s.buttonFont, expected.buttonFont);
  EXPECT_EQ(s.columns, expected.columns);
  EXPECT_EQ(s.parts, expected.parts);
  EXPECT_EQ(s.imageSize, expected.imageSize);
  EXPECT_EQ(s.imageCount, 1);
}

TEST_F(ScaleTest, AFormTakesItsLengthsToAScaleAndBackUnchanged) {
  const struct {
    int dpi;
    Scaled expected;
  } rows[] = {
      {144, {{450, 300}, {15, 15, 135, 53}, -17, -17, {180, 0}, {150, 225}, 24, 1}},
      {120, {{375, 250}, {13, 13, 113, 44}, -14, -14, {150, 0}, {125, 188}, 20, 1}},
      {192, {{600, 400}, {20, 20, 180, 70}, -22, -22, {240, 0}, {200, 300}, 32, 1}},
      {96, {{300, 200}, {10, 10, 90, 35}, -11, -11, {120, 0}, {100, 150}, 16, 1}},
  };
  for (const auto& row : rows) {
    form->ChangeScale(row.dpi);
    EXPECT_EQ(form->Dpi(), row.dpi);
    EXPECT_EQ(list->Dpi(), row.dpi);
    ExpectScaled(Measure(), row.expected, row.dpi);
  }
}

TEST_F(ScaleTest, AControlPlacedOnAScaledFormIsBroughtToItsScale) {
  form->ChangeScale(144);
  auto* late = new TButton(form.get());
  late->SetBounds(10, 100, 60, 20);
  late->SetParent(form.get());
  EXPECT_EQ(late->Dpi(), 144);
  RECT r = BoundsOf(*late);
  EXPECT_EQ(r.left, 15);
  EXPECT_EQ(r.top, 150);
  EXPECT_EQ(r.right - r.left, 90);
  EXPECT_EQ(r.bottom - r.top, 30);
  EXPECT_EQ(late->Font().Height(), -17) << "the parent's font, not scaled twice";
}

TEST_F(ScaleTest, AMoveToAMonitorOfAnotherScaleTakesTheSuggestedPlace) {
  RECT suggested{100, 80, 100 + 640, 80 + 460};
  form->SendMessage(WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(form->Dpi(), 192);
  RECT window;
  GetWindowRect(form->Handle(), &window);
  EXPECT_EQ(window.left, 100);
  EXPECT_EQ(window.top, 80);
  Scaled s = Measure();
  EXPECT_EQ(s.client.cx, 600) << "the client keeps its own size, whatever the frame";
  EXPECT_EQ(s.client.cy, 400);
  EXPECT_EQ(s.button.right - s.button.left, 160);
  EXPECT_EQ(s.imageSize, 32);
}

// Pictures given as pixels are resampled to the nearest pixel; at 96 DPI they are as given.
TEST(ImageListScale, PicturesKeepTheirPixelsAtEachScale) {
  const std::uint8_t rgba[] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
  TImageList list(2, 2);
  ASSERT_EQ(list.AddRGBA(rgba), 0);
  auto pixels = [&list] {
    IMAGEINFO info{};
    ImageList_GetImageInfo(list.Handle(), 0, &info);
    const int w = info.rcImage.right - info.rcImage.left;
    const int h = info.rcImage.bottom - info.rcImage.top;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint32_t> out(size_t(w) * h);
    HDC dc = GetDC(nullptr);
    // The image list's bitmap holds every picture in a row; the first is at its left.
    BITMAP whole;
    GetObject(info.hbmImage, sizeof whole, &whole);
    std::vector<std::uint32_t> all(size_t(whole.bmWidth) * whole.bmHeight);
    bi.bmiHeader.biWidth = whole.bmWidth;
    bi.bmiHeader.biHeight = -whole.bmHeight;
    GetDIBits(dc, info.hbmImage, 0, whole.bmHeight, all.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        out[size_t(y) * w + x] =
            all[size_t(y + info.rcImage.top) * whole.bmWidth + x + info.rcImage.left] & 0xFFFFFF;
    return out;
  };
  constexpr std::uint32_t R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, W = 0xFFFFFF;
  EXPECT_EQ(pixels(), (std::vector<std::uint32_t>{R, G, B, W}));
  list.ScaleTo(192);
  EXPECT_EQ(list.Width(), 4);
  EXPECT_EQ(list.Height(), 4);
  EXPECT_EQ(pixels(), (std::vector<std::uint32_t>{R, R, G, G, R, R, G, G,  //
                                                  B, B, W, W, B, B, W, W}));
  list.ScaleTo(96);
  EXPECT_EQ(pixels(), (std::vector<std::uint32_t>{R, G, B, W}));
}

}  // namespace
