// Skinned scroll bars on a real list box: the screen shows the skin's bars, arrows, the track
// and the thumb scroll it as the platform's bars would, a held press stops when the mouse is
// captured elsewhere, and the platform's bars come back when the adapter goes.
#include <gtest/gtest.h>
#include <windows.h>

#include <initializer_list>
#include <memory>
#include <vector>

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

// Rows of the screen's column x (window coordinates) that differ from the adapter's own picture
// of its bars.
std::vector<int> RowsUnlikeThePicture(HWND list, TveScrollWnd& adapter, int x,
                                      std::initializer_list<int> rows) {
  RECT window;
  GetWindowRect(list, &window);
  HDC screen = GetWindowDC(list);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap =
      CreateCompatibleBitmap(screen, window.right - window.left, window.bottom - window.top);
  HGDIOBJ old = SelectObject(memory, bitmap);
  adapter.PaintScrollBars(memory);
  std::vector<int> unlike;
  for (int y : rows)
    if (Pixel(screen, x, y) != Pixel(memory, x, y)) unlike.push_back(y);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(list, screen);
  return unlike;
}

}  // namespace

TEST_F(ScrollWinTest, TheScreenShowsTheSkinsBarAndItScrollsTheList) {
  ASSERT_TRUE(adapter->VertBar.Visible);
  EXPECT_TRUE(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL);
  RECT bar = Bar(), window;
  GetWindowRect(list, &window);
  EXPECT_EQ(bar.right - bar.left, GetSystemMetrics(SM_CXVSCROLL));
  // What the adapter paints is what the screen shows, over the platform's own bar.
  EXPECT_EQ(RowsUnlikeThePicture(list, *adapter, bar.left - window.left + 3,
                                 {bar.top - window.top + 3, (bar.top + bar.bottom) / 2 - window.top,
                                  bar.bottom - window.top - 3}),
            std::vector<int>{});

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

namespace {

// The scroll codes the list receives, in order.
std::vector<int> scrollCodes;
WNDPROC listProc = nullptr;
LRESULT CALLBACK RecordScrolls(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_VSCROLL) scrollCodes.push_back(LOWORD(wParam));
  return CallWindowProcA(listProc, wnd, msg, wParam, lParam);
}

}  // namespace

TEST_F(ScrollWinTest, WhileTheThumbIsDraggedTheScreenShowsTheSkinsBar) {
  RECT bar = Bar(), window;
  GetWindowRect(list, &window);
  int middle = (bar.left + bar.right) / 2;
  TsThumb thumb = ThumbGeometry(adapter->VertBar.State(), bar.top, bar.bottom - bar.top,
                                adapter->ButtonLength(adapter->VertBar), kMinThumb);
  Press({middle, thumb.Start + 2});
  // One move down the track: the list scrolls, and the platform draws its own bar as it does.
  POINT to{middle, thumb.Start + 2 + 40};
  ScreenToClient(list, &to);
  SendMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
  ASSERT_GT(TopIndex(), 0);
  TsThumb moved = ThumbGeometry(adapter->VertBar.State(), bar.top, bar.bottom - bar.top,
                                adapter->ButtonLength(adapter->VertBar), kMinThumb);
  // The arrows and the track where the thumb was (the held thumb itself looks pressed).
  int x = bar.left - window.left + 3;
  int arrowRow = bar.top - window.top + 3, trackRow = thumb.Start + 2 - window.top;
  int belowRow = moved.Start + moved.Length + 3 - window.top, lastRow = bar.bottom - window.top - 3;
  EXPECT_EQ(RowsUnlikeThePicture(list, *adapter, x, {arrowRow, trackRow, belowRow, lastRow}),
            std::vector<int>{});

  // Letting go tells the final place, then the end; a drag that loses the mouse tells only the
  // end.
  listProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordScrolls)));
  scrollCodes.clear();
  Release();
  EXPECT_EQ(scrollCodes, (std::vector<int>{SB_THUMBPOSITION, SB_ENDSCROLL}));
  thumb = ThumbGeometry(adapter->VertBar.State(), bar.top, bar.bottom - bar.top,
                        adapter->ButtonLength(adapter->VertBar), kMinThumb);
  Press({middle, thumb.Start + 2});
  scrollCodes.clear();
  SetCapture(top);
  ReleaseCapture();
  EXPECT_EQ(scrollCodes, (std::vector<int>{SB_ENDSCROLL}));
  SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listProc));
}

namespace {

WPARAM lastSysCommand = 0;
LRESULT CALLBACK SizedParentProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_SIZE) {
    lastSysCommand = wParam;  // the platform's sizing loop would wait for the mouse
    return 0;
  }
  return DefWindowProcA(wnd, msg, wParam, lParam);
}

}  // namespace

TEST_F(ScrollWinTest, TheCornerBetweenTheBarsShowsTheParentAndSizesItFromItsOwnCorner) {
  WNDCLASSA cls{};
  cls.lpfnWndProc = SizedParentProc;
  cls.hInstance = GetModuleHandleA(nullptr);
  cls.lpszClassName = "ScrollCornerParent";
  RegisterClassA(&cls);
  HWND parent = CreateWindowA(cls.lpszClassName, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 360, 40, 300,
                              260, nullptr, nullptr, cls.hInstance, nullptr);
  RECT client;
  GetClientRect(parent, &client);
  HWND both = CreateWindowA("LISTBOX", "",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT,
                            0, 0, client.right, client.bottom, parent, nullptr, nullptr, nullptr);
  for (int i = 0; i < 100; ++i) SendMessageA(both, LB_ADDSTRING, 0, LPARAM("a row"));
  SendMessageA(both, LB_SETHORIZONTALEXTENT, 1000, 0);
  Pump(50);
  auto corner = std::make_unique<TveScrollWnd>(both, true, "EDIT", manager.get(), nullptr);
  Pump(50);
  ASSERT_TRUE(corner->HorzBar.Visible && corner->VertBar.Visible);
  RECT h = corner->BarRect(corner->HorzBar), v = corner->BarRect(corner->VertBar), window;
  GetWindowRect(both, &window);
  POINT middle{(v.left + v.right) / 2, (h.top + h.bottom) / 2};
  auto hit = [&] { return SendMessageA(both, WM_NCHITTEST, 0, MAKELPARAM(middle.x, middle.y)); };
  // (Asserted: a press the list took as its own would start the platform's sizing loop.)
  ASSERT_EQ(hit(), HTBOTTOMRIGHT);

  // Behind the square lies the parent, which answers with no picture: the skin's own colour.
  HDC screen = GetWindowDC(both);
  uint32_t background = uint32_t(manager->Palette[0]) & 0xFFFFFF;
  EXPECT_EQ(Pixel(screen, v.left - window.left, h.top - window.top), background);
  int grip = 0;
  for (int y = h.top; y < h.bottom; ++y)
    for (int x = v.left; x < v.right; ++x)
      grip += Pixel(screen, x - window.left, y - window.top) != background;
  ReleaseDC(both, screen);
  EXPECT_GT(grip, 4);

  // A press there sizes the parent from its bottom-right corner, not the list.
  lastSysCommand = 0;
  SendMessageA(both, WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, MAKELPARAM(middle.x, middle.y));
  EXPECT_EQ(lastSysCommand, WPARAM(SC_SIZE | WMSZ_BOTTOMRIGHT));

  // One pixel short of the parent's corner, the square is only a square.
  SetWindowPos(both, nullptr, 0, 0, client.right - 1, client.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump(50);
  middle.x -= 1;
  EXPECT_EQ(hit(), HTNOWHERE);
  corner.reset();
  DestroyWindow(parent);
}
