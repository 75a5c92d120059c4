// Forms at a display scale: what a form keeps in pixels goes to the new scale and comes back
// unchanged, and a move to a monitor of another scale takes the rectangle the system suggests.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <map>
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

// The messages the windows get while a form takes a new scale, seen by a hook on this thread.
struct SentDuringRescale {
  std::map<HWND, int> moves;  // WM_WINDOWPOSCHANGED that moved or sized, per window
  int paints = 0;             // WM_NCPAINT and WM_ERASEBKGND, sent to any window
};
SentDuringRescale* counting = nullptr;

LRESULT CALLBACK CountSent(int code, WPARAM wParam, LPARAM lParam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && counting) {
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(sent->lParam);
    if (sent->message == WM_WINDOWPOSCHANGED &&
        (pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
      ++counting->moves[sent->hwnd];
    if (sent->message == WM_NCPAINT || sent->message == WM_ERASEBKGND) ++counting->paints;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

SentDuringRescale SendScaleChange(TForm& form, int from, int to) {
  RECT now;
  GetWindowRect(form.Handle(), &now);
  RECT suggested{now.left, now.top, now.left + MulDiv(now.right - now.left, to, from),
                 now.top + MulDiv(now.bottom - now.top, to, from)};
  SentDuringRescale seen;
  counting = &seen;
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CountSent, nullptr, GetCurrentThreadId());
  form.SendMessage(WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
  UnhookWindowsHookEx(hook);
  counting = nullptr;
  return seen;
}

// Each window is placed once at its final place, a window inside another included, and nothing
// is painted while the lengths change: the form is left to repaint whole, once.
TEST_F(ScaleTest, AScaleChangePlacesEachWindowOnceAndPaintsOnlyAfterwards) {
  auto* group = new TGroupBox(form.get());
  group->SetBounds(220, 40, 70, 60);
  group->SetParent(form.get());
  auto* inner = new TButton(form.get());
  inner->SetBounds(5, 15, 50, 20);
  inner->SetParent(group);
  auto* hidden = new TButton(form.get());
  hidden->SetBounds(220, 110, 60, 20);
  hidden->SetVisible(false);
  hidden->SetParent(form.get());
  form->Show();
  UpdateWindow(form->Handle());
  const struct {
    int dpi;
    RECT inner;
  } rows[] = {
      {144, {8, 23, 83, 53}},
      {120, {6, 19, 69, 44}},
      {192, {10, 30, 110, 70}},
      {96, {5, 15, 55, 35}},
  };
  int from = 96;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.dpi);
    SentDuringRescale seen = SendScaleChange(*form, from, row.dpi);
    from = row.dpi;
    EXPECT_EQ(seen.paints, 0);
    EXPECT_EQ(seen.moves[form->Handle()], 1);
    for (TWinControl* child :
         std::initializer_list<TWinControl*>{button, list, bar, group, inner, hidden}) {
      EXPECT_EQ(seen.moves[child->Handle()], 1) << child->ClassName();
      EXPECT_EQ(IsWindowVisible(child->Handle()) != FALSE, child != hidden)
          << "drawing again afterwards, a hidden window still hidden";
    }
    EXPECT_TRUE(GetUpdateRect(form->Handle(), nullptr, FALSE));
    RECT r = BoundsOf(*inner);
    EXPECT_EQ(r.left, row.inner.left);
    EXPECT_EQ(r.top, row.inner.top);
    EXPECT_EQ(r.right, row.inner.right);
    EXPECT_EQ(r.bottom, row.inner.bottom);
    EXPECT_EQ(ClientOf(*form).cx, MulDiv(300, row.dpi, 96));
    UpdateWindow(form->Handle());
  }
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
