// The skin provider on a real form: it takes the frame and gives it back, the screen shows the
// engine's painting in a skin of each family, the title buttons need a press and a release on
// them, minimise and restore paint the frame again, Alt+Space opens its own system menu with the
// skin choice, a window made again is skinned again and prints its image, and a skin editor in
// preview mode hands the form its skins, user title buttons, the title icon, the application's
// hit test, the merged sub-menu and outline moving and sizing work; with the frame left to the
// platform only the client wears the skin; the system menu's items follow the form.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "skin/data/sSkinCommands.h"
#include "skin/forms/sControlFades.h"
#include "skin/forms/sPreviewLink.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSystemMenu.h"
#include "skin/data/sSkinWindowsWin32.h"
#include "skin/render/sSection.h"
#include "skins/StoredSkins.h"
#include "tests/win/skin_forms/FormTestScreen.h"

using namespace fw;

namespace {

// What the screen shows at a point of the window (window coordinates), as 0x00RRGGBB.
uint32_t ScreenPixel(HWND wnd, int x, int y) {
  COLORREF c = ScreenColor(wnd, x, y);
  return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

uint32_t ImagePixel(const img::Bitmap32& image, int x, int y) {
  const img::TRGBAPixel& p = image.Pixel(x, y);
  return (uint32_t(p.R) << 16) | (uint32_t(p.G) << 8) | p.B;
}

struct ProviderWinTest : ::testing::Test {
  void SetUp() override {
    manager = std::make_unique<TsSkinManager>(nullptr);
    AddStoredSkins(manager->InternalSkins);
    manager->SetSkinName(DefaultStoredSkinName());
    form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(TFormBorderStyle::bsSingle);
    form->SetBorderIcons(biSystemMenu | biMinimize);
    menu = new TMainMenu(form.get());
    for (const char* caption : {"&File", "&Help"}) {
      auto* item = new TMenuItem(form.get());
      item->SetCaption(caption);
      menu->Items()->Add(item);
    }
    form->SetMenu(menu);
    form->SetClientSize(400, 240);
    form->SetBounds(60, 60, form->Width(), form->Height());
    form->SetCaption("Provider test");
    provider = new TsSkinProvider(form.get());
    provider->SetSkinManager(manager.get());
    provider->MakeSkinMenu = true;
    provider->CaptionAlignment = TsCaptionAlign::Center;
    form->OnClose = [this](TObject*, TCloseAction& action) {
      ++closeRequests;
      action = TCloseAction::caNone;
    };
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump();
  }
  void TearDown() override {
    form.reset();
    manager.reset();
  }
  HWND Wnd() { return form->Handle(); }
  POINT ScreenOf(const TRect& r) {
    RECT w;
    GetWindowRect(Wnd(), &w);
    return {w.left + (r.Left + r.Right) / 2, w.top + (r.Top + r.Bottom) / 2};
  }
  // Presses a title element at its centre, moves to to, and releases there.
  void PressMoveRelease(int code, POINT to) {
    const TRect& r = provider->Layout().Buttons[code == kHitClose ? tbClose : tbMin].Bounds;
    POINT at = ScreenOf(r);
    SendMessageA(Wnd(), WM_NCLBUTTONDOWN, code, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(provider->ButtonStates().Pressed(), code);
    // The captured mouse reports in client coordinates.
    POINT client = to;
    ScreenToClient(Wnd(), &client);
    SendMessageA(Wnd(), WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    EXPECT_EQ(provider->ButtonStates().StateOf(code), to.x == at.x && to.y == at.y ? 2 : 0);
    SendMessageA(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    Pump();
  }
  // The screen shows the window image in the title band, the frame and the menu band, and the
  // title band is the skin's title section as the engine paints it.
  void ExpectScreenShowsTheSkin(const std::string& skin) {
    SCOPED_TRACE(skin);
    RedrawWindow(Wnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    const img::Bitmap32& image = provider->WindowImage();
    ASSERT_FALSE(image.Empty());
    const TsTitleLayout& l = provider->Layout();
    TPoint client = provider->ClientOffsetInImage();
    struct Probe {
      int x, y;
    } probes[] = {{l.IconRect.Right + 3, l.TitleBottom / 2},
                  {image.Width() / 2, 1},
                  {1, image.Height() / 2},
                  {image.Width() - 2, client.Y + 20},
                  {image.Width() - 40, l.TitleBottom + 3}};
    for (const Probe& p : probes)
      EXPECT_EQ(ScreenPixel(Wnd(), p.x, p.y), ImagePixel(image, p.x, p.y)) << p.x << "," << p.y;
    int title = manager->FindSection("FORMTITLE");
    ASSERT_GE(title, 0);
    // Tests run beside other programs, which may take the focus: the title may show either look.
    int x = l.IconRect.Right + 3, y = l.TitleBottom / 2;  // between the icon and the caption
    uint32_t looks[2];
    for (int state : {0, 1}) {
      img::Bitmap32 band(image.Width(), l.TitleBottom);
      PaintSection(manager.get(), title, "FORMTITLE", MakeBgSource(&band, 0, 0), -1, -1, band,
                   {0, 0}, {0, 0, band.Width(), band.Height()}, state);
      looks[state] = ImagePixel(band, x, y);
    }
    uint32_t shown = ImagePixel(image, x, y);
    EXPECT_TRUE(shown == looks[0] || shown == looks[1]) << shown;
  }

  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TForm> form;
  TMainMenu* menu = nullptr;
  TsSkinProvider* provider = nullptr;
  int closeRequests = 0;
};

}  // namespace

TEST_F(ProviderWinTest, TakesTheFrameInEveryFamilyAndGivesItBack) {
  EXPECT_EQ(ProviderOf(form.get()), provider);
  EXPECT_FALSE(GetWindowLongA(Wnd(), GWL_STYLE) & WS_SYSMENU);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(GetWindowRgn(Wnd(), region), ERROR);
  // A second provider on the same form stays empty and leaves the first one in charge.
  auto* second = new TsSkinProvider(form.get());
  EXPECT_TRUE(second->Empty());
  EXPECT_EQ(ProviderOf(form.get()), provider);
  // A new caption is painted by the skin, and the platform's caption never shows.
  SetWindowTextA(Wnd(), "Renamed");
  EXPECT_TRUE(IsWindowVisible(Wnd()));
  ExpectScreenShowsTheSkin("renamed");
  for (const char* skin :
       {"Soft Azure", "Night Ember", "Glass Ruby", "Parchment", "Contrast Yellow"}) {
    manager->SetSkinName(std::string(skin) + " (internal)");
    ExpectScreenShowsTheSkin(skin);
  }
  manager->SetActive(false);
  Pump();
  EXPECT_TRUE(GetWindowLongA(Wnd(), GWL_STYLE) & WS_SYSMENU);
  EXPECT_EQ(GetWindowRgn(Wnd(), region), ERROR);
  EXPECT_TRUE(provider->WindowImage().Empty());
  DeleteObject(region);
}

TEST_F(ProviderWinTest, TheFormsOwnBorderLiesBetweenTheSkinsFrameAndTheClient) {
  form->SetBorderWidth(6);
  RedrawWindow(Wnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  Pump();
  RECT window;
  GetWindowRect(Wnd(), &window);
  POINT client{0, 0};
  ClientToScreen(Wnd(), &client);
  TPoint offset = provider->ClientOffsetInImage();
  EXPECT_EQ(offset, (TPoint{client.x - window.left, client.y - window.top}));
  // The band is the skin's frame on the screen too, on every side of the client.
  const img::Bitmap32& image = provider->WindowImage();
  RECT inner;
  GetClientRect(Wnd(), &inner);
  for (POINT p :
       {POINT{offset.X - 3, offset.Y + 20}, POINT{offset.X + inner.right + 2, offset.Y + 20},
        POINT{offset.X + 30, offset.Y + inner.bottom + 2}, POINT{offset.X + 30, offset.Y - 2}})
    EXPECT_EQ(ScreenPixel(Wnd(), p.x, p.y), ImagePixel(image, p.x, p.y)) << p.x << "," << p.y;
}

TEST_F(ProviderWinTest, ReleasedUnderAnotherHandlerStaysAPassThrough) {
  int seen = 0;
  TWndMethod provided = form->WindowProc;
  form->WindowProc = [&seen, provided](TMessage& m) {
    if (m.Msg == WM_SETTEXT) ++seen;
    provided(m);
  };
  delete provider;
  EXPECT_TRUE(GetWindowLongA(Wnd(), GWL_STYLE) & WS_SYSMENU);
  SetWindowTextA(Wnd(), "After");
  EXPECT_EQ(seen, 1);
  char text[32] = {};
  GetWindowTextA(Wnd(), text, sizeof text);
  EXPECT_STREQ(text, "After");
  EXPECT_EQ(ProviderOf(form.get()), nullptr);
}

TEST_F(ProviderWinTest, CloseButtonNeedsPressAndReleaseOnIt) {
  RECT w;
  GetWindowRect(Wnd(), &w);
  POINT caption{w.left + 100, w.top + 8};
  PressMoveRelease(kHitClose, caption);
  EXPECT_EQ(closeRequests, 0);
  EXPECT_FALSE(provider->ButtonStates().ButtonPressed());
  EXPECT_EQ(GetCapture(), nullptr);
  PressMoveRelease(kHitClose, ScreenOf(provider->Layout().Buttons[tbClose].Bounds));
  EXPECT_EQ(closeRequests, 1);
}

TEST_F(ProviderWinTest, MinimiseButtonMinimisesAndRestorePaintsTheFrameAgain) {
  PressMoveRelease(kHitMinButton, ScreenOf(provider->Layout().Buttons[tbMin].Bounds));
  EXPECT_TRUE(IsIconic(Wnd()));
  ShowWindow(Wnd(), SW_RESTORE);
  Pump();
  EXPECT_FALSE(IsIconic(Wnd()));
  ExpectScreenShowsTheSkin("after restore");
}

namespace {

bool popupSeen = false;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
  if (HWND popup = FindWindowA("#32768", nullptr); popup && IsWindowVisible(popup)) {
    popupSeen = true;
    EndMenu();
    KillTimer(nullptr, id);
  }
}

TMenuItem* FindItem(TMenuItem* root, const std::string& name) {
  for (int i = 0; i < root->Count(); ++i) {
    if (root->Items(i)->Name() == name) return root->Items(i);
    if (TMenuItem* found = FindItem(root->Items(i), name)) return found;
  }
  return nullptr;
}

}  // namespace

TEST_F(ProviderWinTest, AltSpaceOpensTheSystemMenuAndItsSkinChoiceApplies) {
  std::string chosen;
  provider->OnSkinSelected = [&](const std::string& name) { chosen = name; };
  popupSeen = false;
  UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseMenu);
  SendMessageA(Wnd(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
  KillTimer(nullptr, timer);
  EXPECT_TRUE(popupSeen);
  TsSystemMenu* sys = provider->SystemMenu();
  ASSERT_NE(sys, nullptr);
  TMenuItem* skins = FindItem(sys->Items(), "SkinSelectItem");
  ASSERT_NE(skins, nullptr);
  EXPECT_EQ(skins->Caption(), "Available skins");
  EXPECT_EQ(skins->Count(), manager->InternalSkins.Count());
  // Radio items in columns of 20, the current skin checked.
  int checked = 0;
  for (int i = 0; i < skins->Count(); ++i) {
    TMenuItem* item = skins->Items(i);
    EXPECT_TRUE(item->RadioItem());
    EXPECT_EQ(item->Break() == TMenuBreak::mbBreak, i == 20 || i == 40) << i;
    if (item->Checked()) {
      ++checked;
      EXPECT_EQ(SkinNameFromCaption(item->Caption()), manager->SkinName());
    }
  }
  EXPECT_EQ(checked, 1);
  TMenuItem* third = FindItem(skins, "SkinSelectItem2");
  ASSERT_NE(third, nullptr);
  third->Click();
  EXPECT_EQ(manager->SkinName(), SkinNameFromCaption(third->Caption()));
  EXPECT_EQ(chosen, manager->SkinName());
  ExpectScreenShowsTheSkin(chosen);
}

TEST_F(ProviderWinTest, MessagesReachTheProvidersHandlersInTheirOrder) {
  POINT close = ScreenOf(provider->Layout().Buttons[tbClose].Bounds);
  LPARAM at = MAKELPARAM(close.x, close.y);
  auto hotAfterMove = [&] {
    SendMessageA(Wnd(), WM_NCMOUSEMOVE, kHitClose, at);
    int hot = provider->ButtonStates().Hot();
    SendMessageA(Wnd(), WM_NCMOUSELEAVE, 0, 0);
    return hot;
  };
  // Skinned, the frame takes the title's mouse, and ahead of the form's state Alt+Space opens
  // the provider's own system menu rather than the platform's.
  EXPECT_EQ(hotAfterMove(), kHitClose);
  popupSeen = false;
  UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseMenu);
  SendMessageA(Wnd(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
  KillTimer(nullptr, timer);
  EXPECT_TRUE(popupSeen);
  EXPECT_NE(provider->SystemMenu(), nullptr);
  // The frame's stage is skipped while the platform draws the frame.
  provider->SetDrawNonClientArea(false);
  EXPECT_EQ(hotAfterMove(), 0);
  // The probes are the form's state's, answered whatever the frame does.
  EXPECT_EQ(SendMessageA(Wnd(), 0xBC4D, 0x41A2, 0), 0);
  provider->SetDrawNonClientArea(true);
  // Without the skin the form has everything but the skin commands, which come first.
  manager->SetActive(false);
  EXPECT_EQ(hotAfterMove(), 0);
  EXPECT_EQ(SendMessageA(Wnd(), SkinCommandMsg, SkinCommandParam(CmdGetProvider), 0),
            reinterpret_cast<LRESULT>(provider));
  EXPECT_EQ(SendMessageA(Wnd(), SkinCommandMsg, SkinCommandParam(CmdIsSkinned), 0), 1);
  manager->SetActive(true);
  Pump();
  EXPECT_EQ(hotAfterMove(), kHitClose);
}

TEST_F(ProviderWinTest, ScreenSnapMovesOnlyOnAMoveNeverOnASizing) {
  provider->ScreenSnap = true;
  RECT area;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  RECT r;
  GetWindowRect(Wnd(), &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  auto place = [&](int x, int cx, UINT flags) {
    SetWindowPos(Wnd(), nullptr, x, area.top + 100, cx, h, SWP_NOZORDER | SWP_NOACTIVATE | flags);
    GetWindowRect(Wnd(), &r);
  };
  // A move near the left edge snaps; how far past the edge it lands is the frame's shadow.
  place(area.left + 3, w, SWP_NOSIZE);
  ASSERT_LE(r.left, area.left);
  const int extra = area.left - r.left;
  // A move that restates the size is still a move.
  place(area.right - w - extra - 3, w, 0);
  EXPECT_EQ(r.right, area.right + extra);
  // Dragging the right edge near the work area's edge keeps the left edge where it is.
  place(area.left + 100, area.right - area.left - 100 - extra - 3, 0);
  EXPECT_EQ(r.left, area.left + 100);
  EXPECT_EQ(r.right, area.right - extra - 3);
}

TEST_F(ProviderWinTest, LogOffWaitsForFadesOnlyABoundedTime) {
  RunningControlFades = 1;  // a fade that never ends
  DWORD start = GetTickCount();
  SendMessageA(Wnd(), WM_QUERYENDSESSION, 0, 0);
  DWORD waited = GetTickCount() - start;
  RunningControlFades = 0;
  EXPECT_GE(waited, 1900u);
  EXPECT_LT(waited, 5000u);
}

TEST_F(ProviderWinTest, WindowMadeAgainIsSkinnedAgainAndPrintsItsImage) {
  form->RecreateWnd();
  Pump();
  EXPECT_FALSE(GetWindowLongA(Wnd(), GWL_STYLE) & WS_SYSMENU);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(GetWindowRgn(Wnd(), region), ERROR);
  DeleteObject(region);
  // The close button is laid out from the new window's system menu.
  EXPECT_GT(provider->Layout().Buttons[tbClose].Bounds.Width(), 0);
  ExpectScreenShowsTheSkin("made again");
  // The form's own painting lands in the window image at the client's place.
  form->OnPaint = [this](TObject*) {
    RECT spot{20, 20, 40, 40};
    FillRect(form->Canvas().Handle(), &spot, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  };
  provider->InvalidateFrame(true);
  Pump();

  const img::Bitmap32& image = provider->WindowImage();
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, image.Width(), image.Height());
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageA(Wnd(), WM_PRINT, reinterpret_cast<WPARAM>(dc),
               PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
  TPoint client = provider->ClientOffsetInImage();
  EXPECT_EQ(ImagePixel(image, client.X + 30, client.Y + 30), 0u);
  for (TPoint p : {TPoint{image.Width() / 2, 2}, TPoint{client.X + 30, client.Y + 30},
                   TPoint{client.X + 60, client.Y + 60}}) {
    COLORREF c = GetPixel(dc, p.X, p.Y);
    EXPECT_EQ((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c),
              ImagePixel(image, p.X, p.Y))
        << p.X << "," << p.Y;
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

namespace {

HWND registered = nullptr;
LRESULT CALLBACK EditorProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kPreviewEditorMsg && wParam == kPreviewRegister) {
    registered = reinterpret_cast<HWND>(lParam);
    return 1;
  }
  return DefWindowProcA(wnd, msg, wParam, lParam);
}

}  // namespace

TEST_F(ProviderWinTest, SkinEditorRegistersTheMainFormAndHandsItSkins) {
  WNDCLASSA cls{};
  cls.lpfnWndProc = EditorProc;
  cls.lpszClassName = "PreviewEditorTest";
  RegisterClassA(&cls);
  HWND editor = CreateWindowA("PreviewEditorTest", "Velvanes Editor", WS_OVERLAPPED, 0, 0, 10, 10,
                              nullptr, nullptr, nullptr, nullptr);
  TForm* previousMain = Application.MainForm();
  Application.SetMainForm(form.get());
  PreviewMode = true;
  form->Hide();
  form->Show();
  EXPECT_EQ(registered, Wnd());
  EXPECT_EQ(SendMessageA(Wnd(), kPreviewEditorMsg, kPreviewProbe, 0), 1);

  // The block the editor copies: marker, skin name, skin folder, the skin's options text.
  const std::string options =
      "[GLOBALINFO]\r\nVERSION=8\r\n[FORM]\r\nCOLOR=0x203040\r\n[FORMTITLE]\r\nCOLOR=0x4080C0";
  std::vector<char> block(kPreviewBlockSize, 0);
  uint32_t marker = kPreviewMarker;
  memcpy(block.data(), &marker, 4);
  memcpy(block.data() + kPreviewNameOffset, "Edited", 6);
  memcpy(block.data() + kPreviewOptionsOffset, options.data(), options.size());
  COPYDATASTRUCT data{0, DWORD(block.size()), block.data()};
  EXPECT_EQ(SendMessageA(Wnd(), WM_COPYDATA, kPreviewDataKind, reinterpret_cast<LPARAM>(&data)), 1);
  EXPECT_EQ(manager->SkinName(), "Edited");
  ExpectScreenShowsTheSkin("edited");
  // Another first parameter is not the editor's.
  EXPECT_EQ(SendMessageA(Wnd(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 0);

  PreviewMode = false;
  Application.SetMainForm(previousMain);
  DestroyWindow(editor);
}

TEST_F(ProviderWinTest, UserTitleButtonShowsItsGlyphAndHintAndRaisesItsEvents) {
  img::Bitmap32 glyph(9, 9);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x) glyph.Pixel(x, y) = {0, 0, 255, 255};  // red
  glyph.Pixel(0, 8) = {0, 255, 0, 255};                                // the transparent colour
  TsTitleButton& pin = provider->TitleButtons.Add();
  pin.Hint = "Keep on top";
  pin.SetGlyph(glyph);
  std::vector<std::string> events;
  pin.OnMouseDown = [&](TsTitleButton&, TMouseButton, unsigned, int, int) {
    events.push_back("down");
  };
  pin.OnMouseUp = [&](TsTitleButton&, TMouseButton, unsigned, int, int) { events.push_back("up"); };
  Pump();
  ASSERT_EQ(provider->Layout().UserButtons.size(), 1u);
  const TRect& r = provider->Layout().UserButtons[0].Bounds;
  EXPECT_EQ(ScreenPixel(Wnd(), (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2), 0xFF0000u);

  POINT at = ScreenOf(r);
  SendMessageA(Wnd(), WM_NCMOUSEMOVE, kHitUserButton, MAKELPARAM(at.x, at.y));
  HWND hint = FindWindowA("veTitleHint", nullptr);
  ASSERT_NE(hint, nullptr);
  EXPECT_TRUE(IsWindowVisible(hint));
  SendMessageA(Wnd(), WM_NCLBUTTONDOWN, kHitUserButton, MAKELPARAM(at.x, at.y));
  EXPECT_EQ(FindWindowA("veTitleHint", nullptr), nullptr);
  POINT client = at;
  ScreenToClient(Wnd(), &client);
  SetCursorPos(at.x, at.y);
  SendMessageA(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
  EXPECT_EQ(events, (std::vector<std::string>{"down", "up"}));
  pin.SetVisible(false);
  Pump();
  EXPECT_TRUE(provider->Layout().UserButtons.empty());
}

TEST_F(ProviderWinTest, SystemMenuMergesTheApplicationsSubMenu) {
  auto* tools = new TPopupMenu(form.get());
  auto* item = new TMenuItem(form.get());
  item->SetName("Refresh");
  item->SetCaption("&Refresh");
  item->SetChecked(true);
  int clicks = 0;
  item->OnClick = [&](TObject*) { ++clicks; };
  tools->Items()->Add(item);
  provider->SysSubMenu = {"Tools", tools, TveMenuItemPos::ipBottom};
  popupSeen = false;
  UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseMenu);
  SendMessageA(Wnd(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
  KillTimer(nullptr, timer);
  EXPECT_TRUE(popupSeen);
  TMenuItem* items = provider->SystemMenu()->Items();
  int n = items->Count();
  ASSERT_GE(n, 3);
  EXPECT_NE(items->Items(n - 3)->Caption().find("Close"), std::string::npos);
  EXPECT_EQ(items->Items(n - 2)->Name(), "ve_BtmDiv");
  TMenuItem* merged = items->Items(n - 1);
  EXPECT_EQ(merged->Name(), "ve_SubMenu");
  EXPECT_EQ(merged->Caption(), "Tools");
  ASSERT_EQ(merged->Count(), 1);
  EXPECT_EQ(merged->Items(0)->Name(), "RefreshCopy");
  EXPECT_TRUE(merged->Items(0)->Checked());
  merged->Items(0)->Click();
  EXPECT_EQ(clicks, 1);
  // The popup going away leaves the merged sub-menu out.
  delete tools;
  EXPECT_EQ(provider->SysSubMenu.PopupMenu, nullptr);
}

TEST_F(ProviderWinTest, TitleIconGlyphAndTheApplicationsOwnHitTest) {
  img::Bitmap32 glyph(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) glyph.Pixel(x, y) = {255, 0, 0, 255};  // blue
  glyph.Pixel(0, 0) = {255, 0, 255, 255};                              // fuchsia: not painted
  provider->TitleIcon.Glyph = glyph;
  provider->TitleIcon.Width = provider->TitleIcon.Height = 12;
  provider->InvalidateFrame(true);
  Pump();
  const TRect& icon = provider->Layout().IconRect;
  EXPECT_EQ(icon.Width(), 12);
  EXPECT_EQ(ScreenPixel(Wnd(), icon.Left + 8, icon.Top + 8), 0x0000FFu);
  EXPECT_NE(ScreenPixel(Wnd(), icon.Left, icon.Top), 0x0000FFu);

  POINT close = ScreenOf(provider->Layout().Buttons[tbClose].Bounds);
  LPARAM at = MAKELPARAM(close.x, close.y);
  EXPECT_EQ(SendMessageA(Wnd(), WM_NCHITTEST, 0, at), kHitClose);
  provider->OnExtHitTest = [](TMessage&, LRESULT& result) { result = HTCAPTION; };
  EXPECT_EQ(SendMessageA(Wnd(), WM_NCHITTEST, 0, at), HTCAPTION);
}

TEST_F(ProviderWinTest, OutlineMovingAndSizingApplyOnRelease) {
  // Under desktop composition the platform's own moving is kept.
  if (CompositionEnabled()) GTEST_SKIP() << "desktop composition is on";
  form->SetBorderStyle(TFormBorderStyle::bsSizeable);
  form->RecreateWnd();
  provider->ResizeMode = TsResizeMode::rmBorder;
  Pump();
  auto drag = [this](WPARAM command, int dx, int dy) {
    RECT w;
    GetWindowRect(Wnd(), &w);
    POINT at{w.left + 200, w.top + 10};
    SendMessageA(Wnd(), WM_SYSCOMMAND, command, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(GetCapture(), Wnd());
    POINT to{at.x + dx, at.y + dy};
    ScreenToClient(Wnd(), &to);
    SendMessageA(Wnd(), WM_MOUSEMOVE, 0, MAKELPARAM(to.x, to.y));
    RECT during;
    GetWindowRect(Wnd(), &during);
    EXPECT_TRUE(EqualRect(&during, &w));  // only the outline moves
    SendMessageA(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    EXPECT_EQ(GetCapture(), nullptr);
    RECT after;
    GetWindowRect(Wnd(), &after);
    return std::pair{w, after};
  };
  auto [before, moved] = drag(SC_MOVE | HTCAPTION, -30, 25);
  EXPECT_EQ(moved.left, before.left - 30);
  EXPECT_EQ(moved.top, before.top + 25);
  EXPECT_EQ(moved.right - moved.left, before.right - before.left);
  auto [start, sized] = drag(SC_SIZE | WMSZ_BOTTOMRIGHT, 40, 30);
  EXPECT_EQ(sized.left, start.left);
  EXPECT_EQ(sized.right, start.right + 40);
  EXPECT_EQ(sized.bottom, start.bottom + 30);
}

TEST_F(ProviderWinTest, TheMenuBarsOwnDrawingHandlersOfTheApplicationStayOnAndOff) {
  TMenuItem* file = menu->Items()->Items(0);
  TMenuItem* help = menu->Items()->Items(1);
  ASSERT_TRUE(file->OnMeasureItem && file->OnAdvancedDrawItem);  // the painter's
  int measured = 0, drawn = 0;
  help->OnMeasureItem = [&measured](TMenuItem*, HDC, int&, int&) { ++measured; };
  help->OnAdvancedDrawItem = [&drawn](TMenuItem*, HDC, const RECT&, UINT) { ++drawn; };
  for (bool on : {false, true, false}) {
    SCOPED_TRACE(on);
    provider->SetDrawNonClientArea(on);
    EXPECT_EQ(bool(file->OnMeasureItem), on);
    EXPECT_EQ(bool(file->OnAdvancedDrawItem), on);
    // The application's item is still measured and drawn by it.
    int w = 0, h = 0;
    const int measuredBefore = measured, drawnBefore = drawn;
    ASSERT_TRUE(help->OnMeasureItem && help->OnAdvancedDrawItem);
    help->OnMeasureItem(help, nullptr, w, h);
    help->OnAdvancedDrawItem(help, nullptr, RECT{}, 0);
    EXPECT_EQ(measured, measuredBefore + 1);
    EXPECT_EQ(drawn, drawnBefore + 1);
    EXPECT_TRUE(menu->OwnerDraw());
  }
}

TEST_F(ProviderWinTest, WithTheFrameLeftToThePlatformOnlyTheClientWearsTheSkin) {
  // A point of the client area, in window coordinates.
  auto inClient = [this] {
    RECT w;
    GetWindowRect(Wnd(), &w);
    POINT p{380, 220};
    ClientToScreen(Wnd(), &p);
    return POINT{p.x - w.left, p.y - w.top};
  };
  POINT c = inClient();
  const COLORREF skinned = ScreenColor(Wnd(), c.x, c.y);
  ASSERT_NE(skinned, GetSysColor(COLOR_BTNFACE));
  provider->SetDrawNonClientArea(false);
  Pump();
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(Wnd(), region), ERROR);
  EXPECT_TRUE(GetWindowLongA(Wnd(), GWL_STYLE) & WS_SYSMENU);
  // The platform answers where the mouse is and paints the frame.
  RECT w;
  GetWindowRect(Wnd(), &w);
  for (POINT at : {POINT{w.left + 30, w.top + 10}, POINT{w.right - 12, w.top + 12},
                   POINT{w.left + 1, (w.top + w.bottom) / 2}}) {
    LPARAM l = MAKELPARAM(at.x, at.y);
    EXPECT_EQ(SendMessageA(Wnd(), WM_NCHITTEST, 0, l), DefWindowProcA(Wnd(), WM_NCHITTEST, 0, l));
  }
  EXPECT_EQ(ScreenColor(Wnd(), 0, (w.bottom - w.top) / 2), GetSysColor(COLOR_3DLIGHT));
  // The client keeps the skin's colour.
  c = inClient();
  EXPECT_EQ(ScreenColor(Wnd(), c.x, c.y), skinned);

  provider->SetDrawNonClientArea(true);
  Pump();
  EXPECT_NE(GetWindowRgn(Wnd(), region), ERROR);
  EXPECT_FALSE(GetWindowLongA(Wnd(), GWL_STYLE) & WS_SYSMENU);
  ExpectScreenShowsTheSkin("frame on again");
  DeleteObject(region);
}

// The items of the form's own system menu, shown and enabled by its border style, border icons
// and state. Not the main form: minimised, it cannot be minimised again.
TEST(SystemMenuRulesTest, ItemsFollowTheFormsStyleIconsAndState) {
  TsSkinManager manager(nullptr);
  AddStoredSkins(manager.InternalSkins);
  manager.SetSkinName(DefaultStoredSkinName());
  using B = TFormBorderStyle;
  constexpr unsigned all = biSystemMenu | biMinimize | biMaximize;
  enum Shown { Normal, Maximised, Minimised };
  // Each item as '-' hidden, 'o' shown but disabled, 'X' shown and enabled, in the order
  // restore, move, size, minimise, maximise, close.
  struct Row {
    B style;
    unsigned icons;
    Shown shown;
    const char* items;
  } rows[] = {
      {B::bsSizeable, all, Normal, "oXXXXX"},
      {B::bsSizeable, all, Maximised, "XoXXXX"},
      {B::bsSizeable, all, Minimised, "XXooXX"},
      {B::bsSingle, biSystemMenu | biMinimize, Normal, "oXoX-X"},
      {B::bsSingle, biSystemMenu | biMaximize, Normal, "oXo-XX"},
      {B::bsDialog, all, Normal, "-X---X"},
      {B::bsSizeable, biMinimize | biMaximize, Normal, "-XX---"},
  };
  const UINT commands[] = {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE};
  for (const Row& row : rows) {
    TForm form(nullptr);
    form.SetBorderStyle(row.style);
    form.SetBorderIcons(row.icons);
    form.SetBounds(80, 80, 300, 200);
    auto* provider = new TsSkinProvider(&form);
    provider->SetSkinManager(&manager);
    form.Show();
    ShowWindow(form.Handle(), row.shown == Maximised   ? SW_MAXIMIZE
                              : row.shown == Minimised ? SW_MINIMIZE
                                                       : SW_SHOWNORMAL);
    Pump();
    TsSystemMenu* menu = provider->SystemMenu();
    ASSERT_NE(menu, nullptr);
    menu->UpdateItems();
    std::string seen;
    for (UINT command : commands) {
      TMenuItem* item = nullptr;
      for (int i = 0; i < menu->Items()->Count() && !item; ++i)
        if (menu->Items()->Items(i)->Tag() == std::intptr_t(command))
          item = menu->Items()->Items(i);
      ASSERT_NE(item, nullptr) << command;
      seen += !item->Visible() ? '-' : item->Enabled() ? 'X' : 'o';
    }
    EXPECT_EQ(seen, row.items) << int(row.style) << " icons " << row.icons << " shown "
                               << row.shown;
  }
}
