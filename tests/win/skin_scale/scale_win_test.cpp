// The main window at a display scale of 150 and 200 %. Wine reads the scale (LogPixels of the
// user's desktop settings) once when a process starts, so the test runs itself again for each
// scale with the value set, and gives the old value back afterwards. The runs are per-monitor
// aware, as the program is. DK_SHOTS=<folder> saves the window and a menu in a light and a dark
// skin at each scale.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "framework/MenuPaint.h"
#include "imaging/PngWriter.h"
#include "platform/Dpi.h"
#include "platform/GdiScopes.h"
#include "platform/SystemEntry.h"
#include "skin/controls/sMenuLayout.h"
#include "skin/controls/sSkinableMenus.h"
#include "skin/data/MaskGeometry.h"
#include "skin/render/sScaledSkin.h"
#include "skin/forms/sSkinProvider.h"
#include "skins/StoredSkins.h"
#include "tests/support/LayeredRecorder.h"
#include "tests/support/ScreenShot.h"
#include "tests/win/windows/MainWindowFixture.h"

using namespace fw;

namespace {

using testing_support::MainWindowTest;

constexpr char kDesktopKey[] = "Control Panel\\Desktop";

int TestDpi() {
  const char* dpi = std::getenv("DK_TEST_DPI");
  return dpi ? std::atoi(dpi) : platform::kDesignDpi;
}

void Pump() {
  for (int i = 0; i < 10; ++i) {
    Application.ProcessMessages();
    Sleep(10);
  }
}

void Shot(HWND wnd, const std::string& name) {
  const char* folder = std::getenv("DK_SHOTS");
  if (!folder) return;
  img::SavePng(
      std::string(folder) + "\\" + name + "_" + std::to_string(TestDpi() * 100 / 96) + ".png",
      testing_support::ScreenShot(wnd));
}

TEST_F(MainWindowTest, TheTitleBarGrowsWithTheDisplayScale) {
  const int dpi = TestDpi();
  ASSERT_EQ(platform::WindowDpi(nullptr), dpi) << "the system did not take the display scale";
  form = std::make_unique<TfrmMain>(nullptr);
  form->Show();
  Pump();
  ASSERT_EQ(platform::WindowDpi(form->Handle()), dpi);
  TsSkinManager& manager = *form->sSkinManager;
  const int skinTitle = manager.GlobalInfo.TitleHeight;
  EXPECT_EQ(form->sSkinProvider->Layout().TitleBottom, platform::ScaleToDpi(skinTitle, dpi));
  EXPECT_EQ(&form->sSkinProvider->Skin(), &SkinAtDpi(manager, dpi));
}

// The side of the list's check boxes as the list shows them.
int CheckImageSide(TListView& list) {
  auto images =
      reinterpret_cast<HIMAGELIST>(SendMessageA(list.Handle(), LVM_GETIMAGELIST, LVSIL_STATE, 0));
  int w = 0, h = 0;
  if (images) ImageList_GetIconSize(images, &w, &h);
  return w;
}

// The side of the skin's unchecked box at a scale.
int SkinCheckSide(TsSkinManager& manager, int dpi) {
  const TsSkinModel& skin = SkinAtDpi(manager, dpi);
  return FrameWidth(skin.ImageTable[size_t(skin.QuickIndexes.GlobalImages[7])]);
}

// A 96-DPI length and its length at the test's scale: the scale's ratio, give or take the
// rounding of the parts it is made of.
void ExpectScaled(int scaled, int design, int dpi, const char* what) {
  EXPECT_NEAR(scaled, design * dpi / 96.0, 2.0) << what << " at 96 DPI: " << design;
}

// The skinned button's frame, the list's check boxes and a menu item are drawn from the skin's
// copy at the window's scale, so they grow with the text and the layout.
TEST_F(MainWindowTest, ButtonsCheckBoxesAndMenuItemsGrowWithTheScale) {
  const int dpi = TestDpi();
  form = std::make_unique<TfrmMain>(nullptr);
  form->Show();
  Pump();
  TsSkinManager& manager = *form->sSkinManager;
  TsCtrlSkinData& button = form->BtnBackUp->SkinData();
  ASSERT_TRUE(manager.IsValidImageIndex(button.BorderMaskIndex));
  const TsMaskData& frame = button.PaintSkin()->ImageTable[size_t(button.BorderMaskIndex)];
  ExpectScaled(FrameWidth(frame), FrameWidth(manager.ImageTable[size_t(button.BorderMaskIndex)]),
               dpi, "the button's frame");
  ExpectScaled(FrameHeight(frame), FrameHeight(manager.ImageTable[size_t(button.BorderMaskIndex)]),
               dpi, "the button's frame");
  EXPECT_EQ(CheckImageSide(*form->lv), SkinCheckSide(manager, dpi));
  ExpectScaled(CheckImageSide(*form->lv), SkinCheckSide(manager, platform::kDesignDpi), dpi,
               "the list's check box");

  // The item's height against the height the same item has at 96 DPI: the menu font's line at
  // 96 DPI beside a 16-pixel glyph.
  platform::WindowDC dc(form->Handle());
  int width = 0, height = 0;
  {
    platform::Selection font(dc, MenuFont(false, dpi));
    SkinableMenus().MeasureItem(form->menuSearchDriver, dc, width, height);
  }
  HDC screen = GetDC(nullptr);
  SIZE line{};
  {
    platform::Selection font(screen, MenuFont(false, platform::kDesignDpi));
    GetTextExtentPoint32A(screen, "Wg", 2, &line);
  }
  ReleaseDC(nullptr, screen);
  SIZE glyph{16, 16};
  if (TImageList* images = form->MainMenu->Images())
    glyph = {images->Width() * 96 / dpi, images->Height() * 96 / dpi};
  ExpectScaled(height, PopupItemHeight(TsMenuItemKind::Normal, line.cy, glyph.cy, TsMenuSpacing{}),
               dpi, "the menu item's height");
}

// A move to a monitor of another scale: the form takes the new scale, its border window gets one
// new picture, and the list's check boxes are made again from the skin's copy at that scale.
TEST_F(MainWindowTest, AScaleChangeRebuildsTheListsCheckBoxes) {
  form = std::make_unique<TfrmMain>(nullptr);
  form->Show();
  Pump();
  TsSkinManager& manager = *form->sSkinManager;
  for (int dpi : {120, 192, TestDpi()}) {
    SCOPED_TRACE(dpi);
    RECT suggested;
    GetWindowRect(form->Handle(), &suggested);
    {
      testing_support::LayeredRecorder layered;
      form->SendMessage(WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
      EXPECT_EQ(layered.updates.size(), 1u) << "the border window's picture is made once";
    }
    Pump();
    ASSERT_EQ(form->lv->Dpi(), dpi);
    EXPECT_EQ(CheckImageSide(*form->lv), SkinCheckSide(manager, dpi));
    EXPECT_EQ(form->BtnBackUp->SkinData().PaintSkin(), &SkinAtDpi(manager, dpi));
  }
}

// A platform button of a check box style under a class name the skin adopts as a check box.
class TPlatformCheckBox : public TWinControl {
 public:
  TPlatformCheckBox(TComponent* owner, DWORD style) : TWinControl(owner), style_(style) {}
  std::string ClassName() const override { return "TCheckBox"; }

 protected:
  void CreateParams(TCreateParams& params) override {
    TWinControl::CreateParams(params);
    params.WinClassName = "BUTTON";
    params.Style |= style_;
  }

 private:
  DWORD style_;
};

// The smallest rectangle holding every pixel that differs between two pictures of one size.
SIZE ChangedArea(const img::Bitmap32& a, const img::Bitmap32& b) {
  RECT r{a.Width(), a.Height(), -1, -1};
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const img::TRGBAPixel &p = a.Pixel(x, y), &q = b.Pixel(x, y);
      if (p.R == q.R && p.G == q.G && p.B == q.B) continue;
      r = {std::min<LONG>(r.left, x), std::min<LONG>(r.top, y), std::max<LONG>(r.right, x),
           std::max<LONG>(r.bottom, y)};
    }
  return r.right < 0 ? SIZE{0, 0} : SIZE{r.right - r.left + 1, r.bottom - r.top + 1};
}

// What a check box's glyph changes when its state changes, at the window's scale.
SIZE GlyphChange(HWND box, WPARAM from, WPARAM to) {
  SendMessageA(box, BM_SETCHECK, from, 0);
  Pump();
  const img::Bitmap32 before = testing_support::ScreenShot(box);
  SendMessageA(box, BM_SETCHECK, to, 0);
  Pump();
  return ChangedArea(before, testing_support::ScreenShot(box));
}

// The check box adapter paints its glyphs from the skin's copy at its window's scale: what a
// change of state repaints is the scale's ratio larger, give or take the filter's reach, than
// what it repaints once the window is moved to a monitor at 96 DPI.
TEST(CheckBoxScaleTest, TheGlyphsAreTheSkinsAtTheWindowsScale) {
  const int dpi = TestDpi();
  SetCursorPos(0, 0);
  TsSkinManager manager(nullptr);
  AddStoredSkins(manager.InternalSkins);
  manager.SetThirdParty(TveThirdKind::CheckBoxes, "TCheckBox\r\n");
  manager.SetSkinName(DefaultStoredSkinName());
  TForm form(nullptr);
  form.SetClientSize(200, 120);
  auto* provider = new TsSkinProvider(&form);
  provider->SetSkinManager(&manager);
  const struct {
    DWORD style;
    WPARAM from, to;
    const char* what;
  } rows[] = {
      {BS_AUTOCHECKBOX, BST_UNCHECKED, BST_CHECKED, "box checked"},
      {BS_AUTO3STATE, BST_UNCHECKED, BST_INDETERMINATE, "box grayed"},
      {BS_AUTORADIOBUTTON, BST_UNCHECKED, BST_CHECKED, "radio checked"},
  };
  std::vector<TPlatformCheckBox*> boxes;
  for (const auto& row : rows) {
    auto* box = new TPlatformCheckBox(&form, row.style);
    box->SetBounds(10 + 60 * int(boxes.size()), 10, 40, 30);
    box->SetParent(&form);
    boxes.push_back(box);
  }
  form.Show();
  Pump();
  std::vector<SIZE> scaled;
  for (size_t i = 0; i < boxes.size(); ++i)
    scaled.push_back(GlyphChange(boxes[i]->Handle(), rows[i].from, rows[i].to));
  RECT suggested;
  GetWindowRect(form.Handle(), &suggested);
  form.SendMessage(WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
  Pump();
  for (size_t i = 0; i < boxes.size(); ++i) {
    SCOPED_TRACE(rows[i].what);
    const SIZE design = GlyphChange(boxes[i]->Handle(), rows[i].from, rows[i].to);
    ASSERT_GT(design.cx, 0);
    // The resampling filter reaches past a changed edge by up to three pixels on each side; a
    // glyph left at its 96-DPI size changes exactly what it changes at 96 DPI.
    for (const auto& [at, atDesign] :
         {std::pair{scaled[i].cx, design.cx}, {scaled[i].cy, design.cy}}) {
      EXPECT_GE(at, atDesign * dpi / 96.0 - 2) << "at 96 DPI: " << atDesign;
      EXPECT_LE(at, atDesign * dpi / 96.0 + 6) << "at 96 DPI: " << atDesign;
    }
  }
}

// The window that shows a form's frame: its border window when it has one (a layered window it
// owns), else the form itself.
HWND FrameWindow(HWND form) {
  struct Search {
    HWND form, found;
  } search{form, form};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND wnd, LPARAM data) {
        auto* s = reinterpret_cast<Search*>(data);
        if (GetWindow(wnd, GW_OWNER) != s->form || !IsWindowVisible(wnd) ||
            !(GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_LAYERED))
          return TRUE;
        s->found = wnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string menuShot;

// A timer of the menu's own loop: the menu's picture, and the menu closed.
void CALLBACK TakeMenuShot(HWND, UINT, UINT_PTR, DWORD) {
  if (HWND menu = FindWindowA("#32768", nullptr)) Shot(menu, menuShot);
  EndMenu();
}

TEST_F(MainWindowTest, TheWindowAndAMenuInALightAndADarkSkin) {
  if (!std::getenv("DK_SHOTS")) GTEST_SKIP() << "DK_SHOTS names no folder for the pictures";
  form = std::make_unique<TfrmMain>(nullptr);
  form->Show();
  for (const char* skin : {"Soft Azure", "Night Ember"}) {
    form->sSkinManager->SetSkinName(std::string(skin) + " (internal)");
    Pump();
    std::string name = skin;
    for (char& c : name)
      if (c == ' ') c = '_';
    Shot(FrameWindow(form->Handle()), "main_" + name);
    // The first menu of the bar, opened below the window's top-left corner.
    menuShot = "menu_" + name;
    RECT r;
    GetWindowRect(form->Handle(), &r);
    UINT_PTR timer = SetTimer(nullptr, 0, 300, TakeMenuShot);
    TrackPopupMenu(GetSubMenu(GetMenu(form->Handle()), 0), TPM_LEFTALIGN | TPM_TOPALIGN,
                   r.left + 40, r.top + 80, 0, form->Handle(), nullptr);
    KillTimer(nullptr, timer);
    Pump();
  }
}

// The desktop's LogPixels, or 0 when it is not set.
DWORD ReadLogPixels() {
  DWORD value = 0, size = sizeof value;
  if (RegGetValueA(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", RRF_RT_REG_DWORD, nullptr, &value,
                   &size) != ERROR_SUCCESS)
    return 0;
  return value;
}

void WriteLogPixels(DWORD value) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return;
  if (value == 0)
    RegDeleteValueA(key, "LogPixels");
  else
    RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof value);
  RegCloseKey(key);
}

// This program again, with its own arguments, at a display scale; its exit code.
DWORD RunAtScale(int dpi) {
  SetEnvironmentVariableA("DK_TEST_DPI", std::to_string(dpi).c_str());
  std::string command = GetCommandLineA();
  STARTUPINFOA start{};
  start.cb = sizeof start;
  PROCESS_INFORMATION process{};
  DWORD code = 1;
  if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start,
                     &process)) {
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  SetEnvironmentVariableA("DK_TEST_DPI", nullptr);
  return code;
}

void BecomePerMonitorAware() {
  using SetContext = BOOL(WINAPI*)(HANDLE);
  if (const auto set =
          platform::SystemEntry<SetContext>("user32.dll", "SetProcessDpiAwarenessContext"))
    set(reinterpret_cast<HANDLE>(-4));  // per monitor, version 2
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("DK_TEST_DPI")) {
    BecomePerMonitorAware();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
  }
  const DWORD saved = ReadLogPixels();
  DWORD failed = 0;
  for (int dpi : {144, 192}) {
    WriteLogPixels(DWORD(dpi));
    const DWORD code = RunAtScale(dpi);
    if (code != 0) std::fprintf(stderr, "the run at %d DPI failed (%lu)\n", dpi, code);
    failed |= code;
  }
  WriteLogPixels(saved);
  return failed == 0 ? 0 : 1;
}
