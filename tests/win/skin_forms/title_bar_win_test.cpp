// Title bar items on a real skinned form: laid out in the band the title leaves free and painted
// into the window image, hit-tested, lit by the mouse, clicked by a press and a release on them,
// a tab press releasing the other tab of its group, a drop-down item opening its menu and being
// clicked when the menu closes, and a property change laying the title out again; events of items
// and user buttons that free the form.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "framework/Forms.h"
#include "framework/Menus.h"
#include "imaging/PngWriter.h"
#include "skin/forms/sSkinProvider.h"
#include "skins/StoredSkins.h"
#include "tests/win/skin_forms/FormTestScreen.h"

using namespace fw;

namespace {

struct TitleBarWinTest : ::testing::Test {
  void SetUp() override {
    manager = std::make_unique<TsSkinManager>(nullptr);
    AddStoredSkins(manager->InternalSkins);
    manager->SetSkinName("Soft Dawn (internal)");
    form = std::make_unique<TForm>(nullptr);
    form->SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
    form->SetClientSize(560, 120);
    form->SetBounds(40, 40, form->Width(), form->Height());
    form->SetCaption("Items");
    menu = new TPopupMenu(form.get());
    for (const char* caption : {"Open", "Save"}) {
      auto* entry = new TMenuItem(form.get());
      entry->SetCaption(caption);
      menu->Items()->Add(entry);
    }
    provider = new TsSkinProvider(form.get());
    provider->SetSkinManager(manager.get());
    bar = new TsTitleBar(form.get());
    provider->SetTitleBar(bar);
    auto add = [this](TveBtnStyle style, const char* caption, TveItemAlign align) {
      TveTitleBarItem& item = bar->Items.Add();
      item.SetStyle(style);
      item.SetCaption(caption);
      item.SetAlign(align);
      item.OnClick = [this](TveTitleBarItem& sender) { clicks += std::to_string(sender.Index()); };
      return &item;
    };
    file = add(TveBtnStyle::bsMenu, "File", TveItemAlign::tbaLeft);
    file->SetDropdownMenu(menu);
    first = add(TveBtnStyle::bsTab, "First", TveItemAlign::tbaLeft);
    first->SetDown(true);
    second = add(TveBtnStyle::bsTab, "Second", TveItemAlign::tbaLeft);
    go = add(TveBtnStyle::bsButton, "Go", TveItemAlign::tbaRight);
    go->Hint = "Run it";
    go->ShowHint = true;
    go->OnMouseEnter = [this](TveTitleBarItem&) { ++enters; };
    go->OnMouseLeave = [this](TveTitleBarItem&) { ++leaves; };
    off = add(TveBtnStyle::bsButton, "Off", TveItemAlign::tbaRight);
    off->SetEnabled(false);
    form->Show();
    Pump();
  }
  void TearDown() override {
    form.reset();
    manager.reset();
  }
  HWND Wnd() { return form->Handle(); }
  POINT ScreenOf(const TveTitleBarItem* item) {
    RECT w;
    GetWindowRect(Wnd(), &w);
    return {w.left + (item->Rect.Left + item->Rect.Right) / 2,
            w.top + (item->Rect.Top + item->Rect.Bottom) / 2};
  }
  LRESULT HitAt(POINT p) { return SendMessageA(Wnd(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)); }
  // A press on the item and a release at to (the captured mouse reports client coordinates).
  void Click(TveTitleBarItem* item, POINT to) {
    POINT at = ScreenOf(item);
    SendMessageA(Wnd(), WM_NCLBUTTONDOWN, WPARAM(HitAt(at)), MAKELPARAM(at.x, at.y));
    ScreenToClient(Wnd(), &to);
    SendMessageA(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    Pump();
  }
  // What the screen shows of the window, saved when DK_SHOT_DIR names a folder.
  void Shot(const std::string& name) {
    const char* dir = std::getenv("DK_SHOT_DIR");
    if (!dir) return;
    RECT w;
    GetWindowRect(Wnd(), &w);
    img::Bitmap32 picture(w.right - w.left, w.bottom - w.top);
    HDC dc = GetWindowDC(Wnd());
    BitBlt(picture.DC(), 0, 0, picture.Width(), picture.Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(Wnd(), dc);
    GdiFlush();
    for (int y = 0; y < picture.Height(); ++y)
      for (int x = 0; x < picture.Width(); ++x) picture.Pixel(x, y).A = 255;
    img::SavePng(std::string(dir) + "/" + name + ".png", picture);
  }

  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TForm> form;
  TPopupMenu* menu = nullptr;
  TsSkinProvider* provider = nullptr;
  TsTitleBar* bar = nullptr;
  TveTitleBarItem *file = nullptr, *first = nullptr, *second = nullptr, *go = nullptr,
                  *off = nullptr;
  std::string clicks;
  int enters = 0, leaves = 0;
};

// The menu-button plate's colour a state shows at the left edge of an item: the stored picture's
// upper or lower fill.
bool ShowsMenuPlate(const img::Bitmap32& image, const TRect& r, int state) {
  const img::Bitmap32& picture = MenuButtonPicture();
  int fw = picture.Width() / 3;
  const img::TRGBAPixel& shown = image.Pixel(r.Left + 1, r.Top + 6);
  return shown == picture.Pixel(state * fw + 1, 5) || shown == picture.Pixel(state * fw + 1, 12);
}

}  // namespace

TEST(TitleBarComponent, NeedsAFormAndLeavesSilently) {
  TComponent owner(nullptr);
  try {
    TsTitleBar bar(&owner);
    FAIL() << "made without a form";
  } catch (const EAbort& abort) {
    EXPECT_STREQ(abort.what(), "TsTitleBar component may be used with forms only!");
  }
  EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST_F(TitleBarWinTest, ItemsArePlacedPaintedHitAndClicked) {
  // A skin without a section for menu buttons: they get the built-in plate.
  manager->SectionTable[size_t(manager->FindSection("TB_MENUBTN"))].SectionName = "UNUSED";
  provider->InvalidateFrame(true);
  Pump();
  Shot("titlebar-light");
  const img::Bitmap32& image = provider->WindowImage();
  ASSERT_FALSE(image.Empty());
  const TsTitleLayout& layout = provider->Layout();
  // Left items from the icon on, edge to edge; right items end 6 before the buttons.
  EXPECT_EQ(file->Rect.Left, layout.IconRect.Right + 6);
  EXPECT_EQ(first->Rect.Left, file->Rect.Right);
  EXPECT_EQ(second->Rect.Left, first->Rect.Right);
  EXPECT_EQ(off->Rect.Right, layout.ButtonsLeft - 6);
  EXPECT_EQ(go->Rect.Right, off->Rect.Left);
  EXPECT_EQ(file->Rect.Top, bar->Geometry.Bar.Top);          // hangs from the title's top
  EXPECT_EQ(second->Rect.Bottom, bar->Geometry.Bar.Bottom);  // stands on its bottom
  EXPECT_EQ(bar->CaptionRect.Left, second->Rect.Right + 8);
  // The menu button has no section in our skins: the built-in plate, white text on it.
  EXPECT_EQ(file->SkinData.SectionIndex, -1);
  EXPECT_TRUE(ShowsMenuPlate(image, file->Rect, 0));
  EXPECT_EQ(second->SkinData.SectionName, "TABTOP");  // the skin has no TB_TAB
  EXPECT_EQ(go->SkinData.SectionName, "TB_BTN");

  EXPECT_EQ(HitAt(ScreenOf(file)), kHitTitleItem + 0);
  EXPECT_EQ(HitAt(ScreenOf(second)), kHitTitleItem + 2);
  EXPECT_EQ(HitAt(ScreenOf(first)), HTCLIENT);  // a tab already down
  EXPECT_EQ(HitAt(ScreenOf(off)), HTCLIENT);    // disabled

  // Hover lights the item and leaving it lets it go.
  POINT over = ScreenOf(go);
  SendMessageA(Wnd(), WM_NCMOUSEMOVE, kHitTitleItem + 3, MAKELPARAM(over.x, over.y));
  EXPECT_EQ(go->HoverState, 1);
  EXPECT_EQ(enters, 1);
  SendMessageA(Wnd(), WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(over.x, over.y + 200));
  EXPECT_EQ(go->HoverState, 0);
  EXPECT_EQ(leaves, 1);

  // A press released elsewhere clicks nothing and leaves the item ready for the next press.
  Click(go, {over.x, over.y + 200});
  EXPECT_EQ(clicks, "");
  EXPECT_FALSE(go->Pressed);
  Click(go, over);
  EXPECT_EQ(clicks, "3");

  // A tab is clicked by the press and releases the other tab of its group.
  Click(second, ScreenOf(second));
  EXPECT_EQ(clicks, "32");
  EXPECT_TRUE(second->Down());
  EXPECT_FALSE(first->Down());

  // The drop-down item shows its menu, pressed while it is open, and is clicked once it closed.
  static TveTitleBarItem* dropped = nullptr;
  static const img::Bitmap32* shown = nullptr;
  static bool openLook = false;
  dropped = file;
  shown = &provider->WindowImage();
  UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
    if (!dropped || !dropped->MenuDropped()) return;
    openLook = ShowsMenuPlate(*shown, dropped->Rect, 2);
    dropped = nullptr;
    EndMenu();
  });
  POINT at = ScreenOf(file);
  SendMessageA(Wnd(), WM_NCLBUTTONDOWN, kHitTitleItem + 0, MAKELPARAM(at.x, at.y));
  KillTimer(nullptr, timer);
  EXPECT_TRUE(openLook);
  EXPECT_FALSE(file->MenuDropped());
  EXPECT_EQ(file->HoverState, 0);
  EXPECT_EQ(clicks, "320");

  // A longer caption widens its tab and moves what follows it.
  int before = second->Rect.Left;
  first->SetCaption("The first tab");
  Pump();
  EXPECT_GT(second->Rect.Left, before);
  EXPECT_EQ(second->Rect.Left, first->Rect.Right);

  manager->SetSkinName("Night Ember (internal)");
  Pump();
  Shot("titlebar-dark");
  EXPECT_EQ(file->SkinData.SectionName, "TB_MENUBTN");
}

TEST_F(TitleBarWinTest, EventsThatFreeTheFormLeaveNothingTouchedAfterThem) {
  // The test program poisons what is freed: reading the provider after the form went stops it.
  enum class Event { ItemDown, ItemUp, ItemClick, ItemEnter, ButtonDown, ButtonUp };
  for (Event event : {Event::ItemDown, Event::ItemUp, Event::ItemClick, Event::ItemEnter,
                      Event::ButtonDown, Event::ButtonUp}) {
    SCOPED_TRACE(int(event));
    if (!form) SetUp();
    TsTitleButton& user = provider->TitleButtons.Add();
    img::Bitmap32 glyph(12, 12);
    user.SetGlyph(glyph);
    auto freeForm = [this] { form.reset(); };
    auto freeOnMouse = [freeForm](auto&, TMouseButton, unsigned, int, int) { freeForm(); };
    auto freeOnItem = [freeForm](TveTitleBarItem&) { freeForm(); };
    switch (event) {
      case Event::ItemDown:
        go->OnMouseDown = freeOnMouse;
        break;
      case Event::ItemUp:
        go->OnMouseUp = freeOnMouse;
        break;
      case Event::ItemClick:
        go->OnClick = freeOnItem;
        break;
      case Event::ItemEnter:
        go->OnMouseEnter = freeOnItem;
        break;
      case Event::ButtonDown:
        user.OnMouseDown = freeOnMouse;
        break;
      case Event::ButtonUp:
        user.OnMouseUp = freeOnMouse;
        break;
    }
    Pump();
    HWND wnd = Wnd();
    POINT at = ScreenOf(go);
    if (event == Event::ButtonDown || event == Event::ButtonUp) {
      const TRect& b = provider->Layout().UserButtons.at(0).Bounds;
      RECT w;
      GetWindowRect(wnd, &w);
      at = {w.left + (b.Left + b.Right) / 2, w.top + (b.Top + b.Bottom) / 2};
    }
    LRESULT code = SendMessageA(wnd, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(code, event >= Event::ButtonDown ? kHitUserButton : kHitTitleItem + 3);
    SendMessageA(wnd, WM_NCMOUSEMOVE, WPARAM(code), MAKELPARAM(at.x, at.y));
    if (form) SendMessageA(wnd, WM_NCLBUTTONDOWN, WPARAM(code), MAKELPARAM(at.x, at.y));
    POINT client = at;
    ScreenToClient(wnd, &client);
    if (form) SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    EXPECT_FALSE(form);
    EXPECT_FALSE(IsWindow(wnd));
    Pump();
  }
}
