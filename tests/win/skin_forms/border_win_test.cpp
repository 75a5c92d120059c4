// The border window of a skinned form with extended borders: owned by the form, directly behind
// it and around it, its picture pushed whole and only moved when the form moves, a new look on
// activation, inset when the form is maximised, clicks in its shadow reaching the window behind,
// a title button's press and release, a caption's double-clicks and drag and a drag of the
// frame's edge acting on the form, and the platform's frame kept where layered windows are
// missing.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "framework/Forms.h"
#include "framework/Menus.h"
#include "skin/forms/sSkinProvider.h"
#include "skins/StoredSkins.h"
#include "tests/support/LayeredRecorder.h"
#include "tests/win/skin_forms/FormTestScreen.h"
#include "tests/win/skin_forms/HandInput.h"

using namespace fw;
using namespace hand_input;

namespace {

RECT WindowRect(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return r;
}

struct BorderWinTest : ::testing::Test {
  void SetUp() override {
    manager = std::make_unique<TsSkinManager>(nullptr);
    AddStoredSkins(manager->InternalSkins);
    manager->SetExtendedBorders(true);
    manager->SetSkinName(DefaultStoredSkinName());
    form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(TFormBorderStyle::bsSizeable);
    auto* menu = new TMainMenu(form.get());
    auto* item = new TMenuItem(form.get());
    item->SetCaption("&File");
    menu->Items()->Add(item);
    form->SetMenu(menu);
    form->SetClientSize(360, 220);
    form->SetBounds(120, 110, form->Width(), form->Height());
    form->SetCaption("Border test");
    provider = new TsSkinProvider(form.get());
    provider->SetSkinManager(manager.get());
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump();
  }
  void TearDown() override {
    form.reset();
    manager.reset();
  }
  HWND Wnd() { return form->Handle(); }
  // The display restacks windows late: its changes are let in until the border window is
  // directly behind the form again (a few seconds at most, for a busy machine).
  bool BorderBehindForm() {
    for (int i = 0; i < 100 && GetWindow(Wnd(), GW_HWNDNEXT) != Border(); ++i) Pump();
    return GetWindow(Wnd(), GW_HWNDNEXT) == Border();
  }
  // A title button's centre on the screen: the window image lies inside the shadow's margins.
  POINT TitleButtonCentre(TsTitleButtonKind kind) {
    const TRect& r = provider->Layout().Buttons[kind].Bounds;
    RECT b = WindowRect(Border());
    const TsExtentMargins& e = manager->ExtentMargins();
    return {b.left + e.Left + (r.Left + r.Right) / 2, b.top + e.Top + (r.Top + r.Bottom) / 2};
  }
  HWND Border() { return provider->BorderForm() ? provider->BorderForm()->WindowIfAny() : nullptr; }
  // The picture updates the border window got so far.
  std::vector<testing_support::LayeredRecorder::Record> Pictures() {
    std::vector<testing_support::LayeredRecorder::Record> list;
    for (const auto& r : recorder.updates)
      if (r.Window == Border() && r.PerPixel) list.push_back(r);
    return list;
  }

  testing_support::LayeredRecorder recorder;
  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TForm> form;
  TsSkinProvider* provider = nullptr;
};

int borderPlacings = 0;
WNDPROC borderProc = nullptr;
LRESULT CALLBACK CountingBorderProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_WINDOWPOSCHANGING) ++borderPlacings;
  return CallWindowProcA(borderProc, wnd, msg, wParam, lParam);
}

int behindClicks = 0;
LRESULT CALLBACK BehindProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_LBUTTONDOWN) ++behindClicks;
  return DefWindowProcA(wnd, msg, wParam, lParam);
}

}  // namespace

TEST_F(BorderWinTest, TheBorderWindowLiesBehindTheFormAroundItAndFollowsIt) {
  HWND border = Border();
  ASSERT_NE(border, nullptr);
  EXPECT_EQ(GetWindow(border, GW_OWNER), Wnd());
  EXPECT_TRUE(BorderBehindForm());
  EXPECT_TRUE(IsWindowVisible(border));
  LONG ex = GetWindowLongA(border, GWL_EXSTYLE);
  EXPECT_EQ(ex & (WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW),
            WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW);

  RECT f = WindowRect(Wnd()), b = WindowRect(border);
  const TsExtentMargins& e = manager->ExtentMargins();
  EXPECT_GT(e.Left, 0);
  EXPECT_LT(b.left, f.left);
  EXPECT_LT(b.top, f.top);
  EXPECT_GT(b.right, f.right);
  EXPECT_GT(b.bottom, f.bottom);
  TPoint offset = provider->BorderForm()->Offset();
  EXPECT_EQ(b.left, f.left - offset.X);
  EXPECT_EQ(b.top, f.top - offset.Y);
  auto pictures = Pictures();
  ASSERT_FALSE(pictures.empty());
  EXPECT_EQ(pictures.back().Width, b.right - b.left);
  EXPECT_EQ(pictures.back().Height, b.bottom - b.top);
  EXPECT_EQ(pictures.back().Alpha, 255);
  EXPECT_EQ(pictures.back().Width, provider->WindowImage().Width() + e.Left + e.Right);
  // The shadow fades out: clear at the outer corner, translucent beside the frame, the frame
  // itself opaque.
  const img::Bitmap32& picture = provider->BorderForm()->Picture();
  int middle = picture.Height() / 2;
  EXPECT_EQ(picture.Pixel(0, 0).A, 0);
  EXPECT_GT(picture.Pixel(e.Left - 1, middle).A, 0);
  EXPECT_LT(picture.Pixel(e.Left - 1, middle).A, 255);
  EXPECT_EQ(picture.Pixel(e.Left + 1, middle).A, 255);

  // The form shows its menu band and client only; the border window shows the rest.
  RECT box{};
  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(Wnd(), shape), ERROR);
  GetRgnBox(shape, &box);
  RECT client{};
  GetClientRect(Wnd(), &client);
  MapWindowPoints(Wnd(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  EXPECT_EQ(box.bottom, client.bottom - f.top);
  EXPECT_EQ(box.left, client.left - f.left);
  EXPECT_LT(box.top, client.top - f.top);  // the menu band
  DeleteObject(shape);

  // A move only moves the picture.
  size_t before = Pictures().size();
  SetWindowPos(Wnd(), nullptr, f.left + 37, f.top + 21, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  EXPECT_EQ(Pictures().size(), before);
  RECT moved = WindowRect(border);
  EXPECT_EQ(moved.left, b.left + 37);
  EXPECT_EQ(moved.top, b.top + 21);
  EXPECT_TRUE(BorderBehindForm());

  // Frame paints of a form that stays where it is leave its border window alone: each would
  // otherwise place it again where it stands.
  borderPlacings = 0;
  borderProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(border, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingBorderProc)));
  for (int i = 0; i < 3; ++i)
    RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  Pump();
  SetWindowLongPtrA(border, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(borderProc));
  EXPECT_EQ(borderPlacings, 0);
  EXPECT_EQ(Pictures().size(), before);

  // Another window active: the inactive look, pushed once more.
  uint64_t active = Pictures().back().Checksum;
  TForm other(nullptr);
  other.SetBounds(700, 500, 200, 150);
  other.Show();
  SetForegroundWindow(other.Handle());
  Pump();
  ASSERT_GT(Pictures().size(), before);
  EXPECT_NE(Pictures().back().Checksum, active);

  // A translucent form has a frame and shadow as translucent as its client.
  form->SetAlphaBlendValue(150);
  form->SetAlphaBlend(true);
  SetWindowPos(Wnd(), nullptr, f.left + 40, f.top + 21, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  EXPECT_EQ(Pictures().back().Alpha, 150);
}

TEST_F(BorderWinTest, AMaximisedFormsBorderWindowShowsNoShadow) {
  ShowWindow(Wnd(), SW_MAXIMIZE);
  Pump();
  HWND border = Border();
  ASSERT_NE(border, nullptr);
  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(border, shape), ERROR);
  RECT box{};
  GetRgnBox(shape, &box);
  DeleteObject(shape);
  RECT b = WindowRect(border);
  const TsExtentMargins& e = manager->ExtentMargins();
  EXPECT_GT(box.left, e.Left);
  EXPECT_GT(box.top, e.Top);
  EXPECT_LT(box.right, b.right - b.left - e.Right);
  // What is left lies on the work area.
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(b.left + box.left, work.left);
  EXPECT_EQ(b.top + box.top, work.top);
  EXPECT_EQ(b.left + box.right, work.right);
  EXPECT_LE(b.top + box.bottom, work.bottom);
}

TEST_F(BorderWinTest, AClickInTheShadowReachesTheWindowBehind) {
  RECT b = WindowRect(Border());
  // A window behind the form, under the left shadow.
  WNDCLASSA cls{};
  cls.lpfnWndProc = BehindProc;
  cls.hInstance = GetModuleHandleA(nullptr);
  cls.lpszClassName = "BorderTestBehind";
  RegisterClassA(&cls);
  HWND behind = CreateWindowExA(0, cls.lpszClassName, "", WS_POPUP | WS_VISIBLE, b.left - 40,
                                b.top + 40, 60, 120, nullptr, nullptr, cls.hInstance, nullptr);
  SetWindowPos(behind, Border(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Pump();
  behindClicks = 0;
  POINT shadow{b.left + 2, b.top + 80};
  ASSERT_EQ(provider->HitTest(shadow), kHitShadow);
  // The mouse comes over the shadow first, as a person's does.
  PutCursor({shadow.x + 3, shadow.y});
  ASSERT_TRUE(Click(shadow));
  EXPECT_EQ(behindClicks, 1);
  DestroyWindow(behind);
  // The inner edge sizes the form.
  EXPECT_EQ(provider->HitTest({b.left + manager->ExtentMargins().Left, b.top + 80}), kHitLeft);
}

TEST_F(BorderWinTest, AClickOnADisabledFormsTitleBringsItsModalWindowForward) {
  RECT b = WindowRect(Border()), f = WindowRect(Wnd());
  POINT title{(f.left + f.right) / 2, f.top + 8};
  ASSERT_EQ(provider->HitTest(title), kHitCaption);
  HWND modal = CreateWindowExA(0, "STATIC", "modal", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                               b.right + 20, b.top, 200, 120, Wnd(), nullptr, nullptr, nullptr);
  EnableWindow(Wnd(), FALSE);
  TForm other(nullptr);
  other.SetBounds(b.right + 20, b.bottom - 100, 200, 100);
  other.Show();
  SetForegroundWindow(other.Handle());
  Pump();
  ASSERT_EQ(GetForegroundWindow(), other.Handle());

  // The frame answers as the disabled form would, and the press reaches the modal window.
  EXPECT_EQ(SendMessageA(Border(), WM_NCHITTEST, 0, MAKELPARAM(title.x, title.y)), HTERROR);
  ASSERT_TRUE(Click(title));
  EXPECT_EQ(GetForegroundWindow(), modal);
  EXPECT_TRUE(BorderBehindForm());
  // The shadow still lets the mouse through.
  POINT shadow{b.left + 2, b.top + 80};
  EXPECT_EQ(SendMessageA(Border(), WM_NCHITTEST, 0, MAKELPARAM(shadow.x, shadow.y)), HTTRANSPARENT);

  EnableWindow(Wnd(), TRUE);
  DestroyWindow(modal);
  EXPECT_EQ(SendMessageA(Border(), WM_NCHITTEST, 0, MAKELPARAM(title.x, title.y)), HTOBJECT);
}

// The scenarios below act on the frame as the program ships it: every press lands on the border
// window, which passes it to the form.

TEST_F(BorderWinTest, ADoubleClickOnTheCaptionMaximisesAndASecondOneRestores) {
  RECT f = WindowRect(Wnd());
  POINT caption{(f.left + f.right) / 2, f.top + 8};
  ASSERT_EQ(provider->HitTest(caption), kHitCaption);
  ASSERT_TRUE(Mouse(caption, {Button(true), Button(false), Button(true), Button(false)}));
  ASSERT_TRUE(IsZoomed(Wnd()));
  // The maximised caption: the first row on the screen that answers as the caption.
  RECT m = WindowRect(Wnd());
  POINT again{(m.left + m.right) / 2, -1};
  for (int y = std::max(0, int(m.top)); y < m.bottom && again.y < 0; ++y)
    if (provider->HitTest({again.x, y}) == kHitCaption) again.y = y + 3;
  ASSERT_GE(again.y, 0);
  ASSERT_EQ(provider->HitTest(again), kHitCaption);
  ASSERT_TRUE(Mouse(again, {Button(true), Button(false), Button(true), Button(false)}));
  EXPECT_FALSE(IsZoomed(Wnd()));
  EXPECT_EQ(WindowRect(Wnd()).right - WindowRect(Wnd()).left, f.right - f.left);
}

TEST_F(BorderWinTest, ATitleButtonActsWhenReleasedOverItself) {
  POINT button = TitleButtonCentre(tbMin);
  ASSERT_EQ(provider->HitTest(button), kHitMinButton);
  ASSERT_TRUE(Mouse(button, {Button(true)}));
  EXPECT_EQ(provider->ButtonStates().Pressed(), kHitMinButton);
  EXPECT_FALSE(IsIconic(Wnd()));
  ASSERT_TRUE(Mouse(button, {Button(false)}));
  for (int i = 0; i < 50 && !IsIconic(Wnd()); ++i) Pump();
  EXPECT_TRUE(IsIconic(Wnd()));
  EXPECT_EQ(provider->ButtonStates().Pressed(), 0);
}

TEST_F(BorderWinTest, ATitleButtonLetGoElsewhereDoesNothing) {
  POINT button = TitleButtonCentre(tbMin);
  ASSERT_EQ(provider->HitTest(button), kHitMinButton);
  ASSERT_TRUE(Mouse(button, {Button(true), MoveTo({button.x, button.y + 80}), Button(false)}));
  Pump();
  EXPECT_FALSE(IsIconic(Wnd()));
  EXPECT_EQ(provider->ButtonStates().Pressed(), 0);
}

TEST_F(BorderWinTest, DraggingTheCaptionMovesTheFormByTheWholeDrag) {
  RECT f = WindowRect(Wnd());
  POINT caption{(f.left + f.right) / 2, f.top + 8};
  ASSERT_EQ(provider->HitTest(caption), kHitCaption);
  ASSERT_TRUE(Mouse(caption, {Button(true), MoveTo({caption.x + 15, caption.y + 10}),
                              MoveTo({caption.x + 30, caption.y + 20}), Button(false)}));
  RECT moved = WindowRect(Wnd());
  EXPECT_EQ(moved.left - f.left, 30);
  EXPECT_EQ(moved.top - f.top, 20);
  EXPECT_EQ(moved.right - moved.left, f.right - f.left);
  TPoint offset = provider->BorderForm()->Offset();
  EXPECT_EQ(WindowRect(Border()).left, moved.left - offset.X);
  EXPECT_EQ(WindowRect(Border()).top, moved.top - offset.Y);
  EXPECT_TRUE(BorderBehindForm());
}

TEST_F(BorderWinTest, DraggingTheInnerEdgeOfTheShadowSizesTheForm) {
  RECT b = WindowRect(Border()), f = WindowRect(Wnd());
  POINT edge{b.right - manager->ExtentMargins().Right - 1, (f.top + f.bottom) / 2};
  ASSERT_EQ(provider->HitTest(edge), kHitRight);
  ASSERT_TRUE(Mouse(edge, {Button(true), MoveTo({edge.x + 20, edge.y}),
                           MoveTo({edge.x + 40, edge.y}), Button(false)}));
  RECT sized = WindowRect(Wnd());
  EXPECT_EQ(sized.left, f.left);
  EXPECT_EQ(sized.right - f.right, 40);
  EXPECT_EQ(sized.bottom - sized.top, f.bottom - f.top);
  EXPECT_EQ(WindowRect(Border()).right - b.right, 40);
}

TEST(BorderWinFallback, WithoutLayeredWindowsTheFormKeepsItsFrame) {
  testing_support::LayeredRecorder recorder;
  recorder.available = false;
  TsSkinManager manager(nullptr);
  AddStoredSkins(manager.InternalSkins);
  manager.SetExtendedBorders(true);
  manager.SetSkinName(DefaultStoredSkinName());
  EXPECT_FALSE(manager.ExtendedBorders());
  TForm form(nullptr);
  auto* provider = new TsSkinProvider(&form);
  provider->SetSkinManager(&manager);
  form.Show();
  Pump();
  EXPECT_EQ(provider->BorderForm(), nullptr);
  EXPECT_TRUE(recorder.updates.empty());
  EXPECT_EQ(provider->WindowImage().Width(), form.Width());
}

TEST_F(BorderWinTest, SwitchingExtendedBordersTakesTheBorderWindowAwayAndBringsItBack) {
  ASSERT_NE(Border(), nullptr);
  manager->SetExtendedBorders(false);
  Pump();
  EXPECT_EQ(provider->BorderForm(), nullptr);
  EXPECT_EQ(provider->WindowImage().Width(), form->Width());
  manager->SetExtendedBorders(true);
  Pump();
  ASSERT_NE(Border(), nullptr);
  EXPECT_TRUE(IsWindowVisible(Border()));
  EXPECT_TRUE(BorderBehindForm());
  RECT f = WindowRect(Wnd()), b = WindowRect(Border());
  EXPECT_LT(b.left, f.left);
  EXPECT_GT(b.bottom, f.bottom);
}
