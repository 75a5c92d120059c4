// Device-context scopes: what a scope selects, takes or makes goes back when it ends, and a paint
// scope paints into the context a message brings, else between BeginPaint and EndPaint.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/GdiScopes.h"

namespace {

HWND MakeWindow() {
  HWND wnd = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_BORDER | WS_CAPTION, 100, 100, 200, 120,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowWindow(wnd, SW_SHOWNA);
  return wnd;
}

TEST(GdiScopesTest, SelectionsAndObjectsGoBackWhenTheScopeEnds) {
  platform::MemoryDC dc(nullptr);
  ASSERT_NE(HDC(dc), nullptr);
  HGDIOBJ before = GetCurrentObject(dc, OBJ_FONT);
  HFONT made = nullptr;
  {
    platform::Owned<HFONT> font(
        CreateFontA(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma"));
    made = font;
    platform::Selection selected(dc, font);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), HGDIOBJ(made));
    // Another object for the rest of the scope; the first one's predecessor still comes back.
    selected.Select(GetStockObject(ANSI_VAR_FONT));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(ANSI_VAR_FONT));
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), before);
  EXPECT_EQ(GetObjectType(made), 0u);  // deleted once it was no longer selected
}

TEST(GdiScopesTest, AWindowsContextIsItsClientsOrTheWholeWindowsAndAGivenOneStaysTheGivers) {
  HWND wnd = MakeWindow();
  RECT window;
  GetWindowRect(wnd, &window);
  POINT client{0, 0};
  ClientToScreen(wnd, &client);
  ASSERT_NE(client.y, window.top);
  struct Row {
    bool whole;
    POINT origin;
  } rows[] = {{false, client}, {true, {window.left, window.top}}};
  for (const Row& r : rows) {
    platform::WindowDC dc(wnd, r.whole);
    POINT origin{};
    GetDCOrgEx(dc, &origin);
    EXPECT_EQ(origin.x, r.origin.x) << r.whole;
    EXPECT_EQ(origin.y, r.origin.y) << r.whole;
  }
  platform::MemoryDC memory(nullptr);
  {
    platform::WindowDC given(wnd, true, memory);
    EXPECT_EQ(HDC(given), HDC(memory));
  }
  EXPECT_EQ(GetObjectType(HDC(memory)), DWORD(OBJ_MEMDC));
  DestroyWindow(wnd);
}

TEST(GdiScopesTest, APaintScopeUsesTheContextTheMessageBringsElseBeginsThePaint) {
  HWND wnd = MakeWindow();
  UpdateWindow(wnd);
  InvalidateRect(wnd, nullptr, FALSE);
  platform::MemoryDC memory(nullptr);
  {
    platform::PaintScope paint(wnd, reinterpret_cast<WPARAM>(HDC(memory)));
    EXPECT_EQ(paint.dc(), HDC(memory));
  }
  // A handed-over context paints a picture: the window still waits for its own paint.
  EXPECT_TRUE(GetUpdateRect(wnd, nullptr, FALSE));
  {
    platform::PaintScope paint(wnd, 0);
    EXPECT_NE(paint.dc(), nullptr);
    EXPECT_FALSE(IsRectEmpty(&paint.Asked()));
  }
  EXPECT_FALSE(GetUpdateRect(wnd, nullptr, FALSE));
  DestroyWindow(wnd);
}

}  // namespace
