// Skinned pop-up menus on a real form: the form's pop-up menu is owner-drawn by the menu painter
// while the skin is on (an item with its own drawing keeps it), the menu window gets its adapter
// when it is created and shows the painter's picture of it (frame, plate, region), a menu
// changed while open is painted at the window's size, and the adapters are freed once the next menu
// opens, never while a message of theirs runs.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>

#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "skin/controls/sSkinableMenus.h"
#include "skin/controls/veMnuWnd.h"
#include "skin/forms/sSkinProvider.h"
#include "skins/StoredSkins.h"
#include "tests/win/skin_forms/FormTestScreen.h"

using namespace fw;

namespace {

// What a timer saw while a menu was open.
struct OpenMenu {
  HWND window = nullptr;
  bool adapted = false, layered = true, regioned = false;
  SIZE size{}, picture{};
  COLORREF frame = 0, frameInPicture = 1;
};

std::function<void()> whileOpen;

void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (whileOpen) whileOpen();
  EndMenu();
}

OpenMenu Look() {
  OpenMenu seen;
  seen.window = FindWindowA("#32768", nullptr);
  if (!seen.window) return seen;
  RedrawWindow(seen.window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
  seen.adapted = TveMainWnd::AdapterFromHandle(seen.window) != nullptr;
  seen.layered = GetWindowLongA(seen.window, GWL_EXSTYLE) & WS_EX_LAYERED;
  RECT r;
  GetWindowRect(seen.window, &r);
  seen.size = {r.right - r.left, r.bottom - r.top};
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  seen.regioned = GetWindowRgn(seen.window, region) != ERROR;
  DeleteObject(region);
  if (const img::Bitmap32* p = SkinableMenus().PopupPicture(seen.window)) {
    seen.picture = {p->Width(), p->Height()};
    int x = seen.size.cx - 2, y = seen.size.cy / 2;
    const img::TRGBAPixel& px = p->Pixel(x, y);
    seen.frameInPicture = RGB(px.R, px.G, px.B);
    seen.frame = ScreenColor(seen.window, x, y);
  }
  return seen;
}

struct MenuWinTest : ::testing::Test {
  void SetUp() override {
    manager = std::make_unique<TsSkinManager>(nullptr);
    AddStoredSkins(manager->InternalSkins);
    manager->SetSkinName(DefaultStoredSkinName());
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(60, 60, 400, 300);
    menu = new TPopupMenu(form.get());
    for (const char* caption : {"&Open", "-", "-Heading-", "Checked", "Disabled"}) {
      auto* item = new TMenuItem(form.get());
      item->SetCaption(caption);
      menu->Items()->Add(item);
    }
    menu->Items()->Items(3)->SetChecked(true);
    menu->Items()->Items(4)->SetEnabled(false);
    own = menu->Items()->Items(0);
    own->OnAdvancedDrawItem = [](TMenuItem*, HDC, const RECT&, UINT) {};
    provider = new TsSkinProvider(form.get());
    provider->SetSkinManager(manager.get());
    form->Show();
    Pump();
  }
  void TearDown() override {
    whileOpen = nullptr;
    form.reset();
    manager.reset();
  }
  // Opens the menu and looks at it from a timer. Programs run beside the tests may take the
  // focus and close a menu early: then it is opened again.
  OpenMenu PopupAndLook(std::function<void()> during = nullptr) {
    OpenMenu seen;
    whileOpen = [&] {
      if (during) during();
      seen = Look();
    };
    for (int attempt = 0; attempt < 3 && !seen.window; ++attempt) {
      SetForegroundWindow(form->Handle());
      SetTimer(nullptr, 0, 150, OnTimer);
      menu->Popup(100, 100, form->Handle());
      Pump();
    }
    return seen;
  }

  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TForm> form;
  TPopupMenu* menu = nullptr;
  TMenuItem* own = nullptr;
  TsSkinProvider* provider = nullptr;
};

TEST_F(MenuWinTest, APopupMenuIsPaintedFromTheSkinAndItsAdaptersGoAfterIt) {
  ASSERT_TRUE(manager->Active());
  EXPECT_TRUE(menu->OwnerDraw());
  EXPECT_TRUE(menu->Items()->Items(3)->OnAdvancedDrawItem);
  OpenMenu seen = PopupAndLook();
  ASSERT_TRUE(seen.window);
  EXPECT_TRUE(seen.adapted);
  EXPECT_FALSE(seen.layered);  // shown once its frame was painted
  EXPECT_TRUE(seen.regioned);
  EXPECT_EQ(seen.picture.cx, seen.size.cx);
  EXPECT_EQ(seen.picture.cy, seen.size.cy);
  EXPECT_EQ(seen.frame, seen.frameInPicture);
  // The closed menu's adapter is gone once the messages that closed it have returned.
  EXPECT_EQ(MenuWindowCount(), 0u);
  // An entry added since is taken over by the painter when its menu opens.
  auto* added = new TMenuItem(form.get());
  added->SetCaption("Added");
  menu->Items()->Add(added);
  PopupAndLook();
  EXPECT_EQ(MenuWindowCount(), 0u);
  EXPECT_TRUE(added->OnAdvancedDrawItem);

  // An entry changed while the menu is open: the platform keeps the window's size, and the
  // picture is the window's, not the one the entries would ask for.
  OpenMenu changed = PopupAndLook([this] {
    menu->Items()->Items(3)->SetCaption("A much longer entry, changed while the menu is open");
  });
  EXPECT_EQ(changed.picture.cx, changed.size.cx);
  EXPECT_EQ(changed.picture.cy, changed.size.cy);
  EXPECT_EQ(changed.frame, changed.frameInPicture);

  // Every stored skin paints its menus.
  for (int i = 0; i < manager->InternalSkins.Count(); ++i) {
    const std::string skin = manager->InternalSkins.Items(i).Name + " (internal)";
    SCOPED_TRACE(skin);
    manager->SetSkinName(skin);
    OpenMenu look = PopupAndLook();
    EXPECT_TRUE(look.adapted);
    EXPECT_EQ(look.picture.cx, look.size.cx);
    EXPECT_EQ(look.frame, look.frameInPicture);
  }

  // Without the skin the painter lets go of its items; the application's own drawing stays.
  manager->SetActive(false);
  Pump();
  EXPECT_FALSE(menu->Items()->Items(3)->OnAdvancedDrawItem);
  EXPECT_TRUE(own->OnAdvancedDrawItem);
  OpenMenu plain = PopupAndLook();
  EXPECT_FALSE(plain.adapted);
}

}  // namespace
