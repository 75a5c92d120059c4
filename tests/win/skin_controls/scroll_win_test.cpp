// Skinned scroll bars on a real list box: the screen shows the skin's bars, arrows, the track
// and the thumb scroll it as the platform's bars would, a held press stops when the mouse is
// captured elsewhere, and the platform's bars come back when the adapter goes.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "framework/Application.h"
#include "skin/controls/veScrollWnd.h"
#include "skins/StoredSkins.h"

namespace {

void Pump(int ms) {
  DWORD end = GetTickCount() + DWORD(ms);
  while (GetTickCount() < end) {
    fw::Application.ProcessMessages();
    Sleep(5);
  }
}

struct ScrollWinTest : ::testing::Test {
  void SetUp() override {
    manager = std::make_unique<TsSkinManager>(nullptr);
    AddStoredSkins(manager->InternalSkins);
    manager->SetSkinName("Night Ember (internal)");
    top = CreateWindowA("STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 260, nullptr,
                        nullptr, nullptr, nullptr);
    list = CreateWindowA("LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER, 10, 10, 200,
                         150, top, nullptr, nullptr, nullptr);
    for (int i = 0; i < 100; ++i) SendMessageA(list, LB_ADDSTRING, 0, LPARAM("a row of the list"));
    Pump(50);
    adapter = std::make_unique<TveScrollWnd>(list, true, "EDIT", manager.get(), nullptr);
    Pump(50);
  }
  void TearDown() override {
    adapter.reset();
    DestroyWindow(top);
    manager.reset();
  }
  int TopIndex() { return int(SendMessageA(list, LB_GETTOPINDEX, 0, 0)); }
  RECT Bar() { return adapter->BarRect(adapter->VertBar); }
  // Presses the bar at a point of the screen.
  void Press(POINT at) { SendMessageA(list, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(at.x, at.y)); }
  void Release() { SendMessageA(list, WM_LBUTTONUP, 0, 0); }
  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TveScrollWnd> adapter;
  HWND top = nullptr, list = nullptr;
};

uint32_t Pixel(HDC dc, int x, int y) {
  return GetPixel(dc, x, y) & 0xFFFFFF;
}

}  // namespace

TEST_F(ScrollWinTest, TheScreenShowsTheSkinsBarAndItScrollsTheList) {
  ASSERT_TRUE(adapter->VertBar.Visible);
  EXPECT_TRUE(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL);
  RECT bar = Bar(), window;
  GetWindowRect(list, &window);
  EXPECT_EQ(bar.right - bar.left, GetSystemMetrics(SM_CXVSCROLL));
  // What the adapter paints is what the screen shows, over the platform's own bar.
  HDC screen = GetWindowDC(list);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap =
      CreateCompatibleBitmap(screen, window.right - window.left, window.bottom - window.top);
  HGDIOBJ old = SelectObject(memory, bitmap);
  adapter->PaintScrollBars(memory);
  int x = bar.left - window.left + 3;
  for (int y : {bar.top - window.top + 3, (bar.top + bar.bottom) / 2 - window.top,
                bar.bottom - window.top - 3})
    EXPECT_EQ(Pixel(screen, x, y), Pixel(memory, x, y)) << y;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(list, screen);

  int middle = (bar.left + bar.right) / 2;
  EXPECT_EQ(SendMessageA(list, WM_NCHITTEST, 0, MAKELPARAM(middle, bar.bottom - 2)), HTVSCROLL);
  Press({middle, bar.bottom - 2});  // the down arrow
  EXPECT_EQ(GetCapture(), list);
  Release();
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(TopIndex(), 1);
  Press({middle, bar.bottom - 25});  // the track below the thumb: a page
  Release();
  EXPECT_GT(TopIndex(), 5);

  // The thumb dragged past the end of the track shows the last page.
  TsThumb thumb = ThumbGeometry(adapter->VertBar.State(), bar.top, bar.bottom - bar.top,
                                adapter->ButtonLength(adapter->VertBar), kMinThumb);
  Press({middle, thumb.Start + 2});
  POINT below{middle, bar.bottom + 200};
  ScreenToClient(list, &below);
  SendMessageA(list, WM_MOUSEMOVE, 0, MAKELPARAM(below.x, below.y));
  Release();
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(list, SB_VERT, &info);
  EXPECT_EQ(TopIndex(), info.nMax - int(info.nPage) + 1);
}

TEST_F(ScrollWinTest, AHeldPressEndsWhenTheMouseIsCapturedElsewhere) {
  RECT bar = Bar();
  Press({(bar.left + bar.right) / 2, bar.bottom - 2});
  Pump(700);  // the pause and a few repeats
  int scrolled = TopIndex();
  EXPECT_GT(scrolled, 1);
  SetCapture(top);
  ReleaseCapture();
  int stopped = TopIndex();
  Pump(300);
  EXPECT_EQ(TopIndex(), stopped);

  // Without the adapter the platform's bar is back, in the same place.
  adapter.reset();
  EXPECT_TRUE(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL);
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetScrollBarInfo(list, OBJID_VSCROLL, &info));
  EXPECT_EQ(info.rcScrollBar.right - info.rcScrollBar.left, GetSystemMetrics(SM_CXVSCROLL));
}
