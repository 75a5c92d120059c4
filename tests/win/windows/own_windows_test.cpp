// The windows the program makes wear its skin: the About window, the Driver packages window of the
// plug-in that ships with it (its progress bar too) and the folder picker that window opens, the
// shipped plug-ins' message boxes and the list exporter's save dialog; a window of another
// program's plug-in keeps the platform's look. DK_SHOTS=<folder> saves each of them in a dark and
// a light skin as PNG files.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/plugins/untPlugin.h"
#include "app/windows/About.h"
#include "imaging/PngWriter.h"
#include "packaging/plugins/DriverPackagesControls.h"
#include "skin/controls/veMainWnd.h"
#include "skin/controls/veProgressWnd.h"
#include "skin/data/sSkinCommands.h"
#include "skin/forms/veDialogWnd.h"
#include "tests/support/ScreenShot.h"
#include "tests/win/windows/MainWindowFixture.h"

using namespace fw;

namespace {

using testing_support::MainWindowTest;

void Pump() {
  for (int i = 0; i < 5; ++i) {
    Application.ProcessMessages();
    Sleep(10);
  }
}

void Shot(HWND wnd, const std::string& name) {
  const char* folder = std::getenv("DK_SHOTS");
  if (!folder) return;
  img::SavePng(std::string(folder) + "\\" + name + ".png", testing_support::ScreenShot(wnd));
}

std::string FileName(std::string skin) {
  for (char& c : skin)
    if (c == ' ') c = '_';
  return skin;
}

// The dialog a window opened over itself (owned by it), when one shows.
HWND DialogOver(HWND owner) {
  struct Search {
    HWND owner, found;
  } search{owner, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND wnd, LPARAM data) {
        auto* s = reinterpret_cast<Search*>(data);
        char cls[16] = "";
        GetClassNameA(wnd, cls, sizeof cls);
        if (lstrcmpA(cls, "#32770") != 0 || GetWindow(wnd, GW_OWNER) != s->owner ||
            !IsWindowVisible(wnd))
          return TRUE;
        s->found = wnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TveDialogWnd* DialogAdapterOf(HWND wnd) {
  return dynamic_cast<TveDialogWnd*>(TveMainWnd::AdapterFromHandle(wnd));
}

// Steps run one after another from a timer of whichever modal loop runs; a step returns false
// to be tried again at the next tick. After ten seconds the rest is dropped and the windows
// closed.
std::vector<std::function<bool()>> steps;
size_t nextStep = 0;
int ticksLeft = 0;

void CALLBACK RunSteps(HWND, UINT, UINT_PTR timer, DWORD) {
  if (nextStep < steps.size() && steps[nextStep]()) ++nextStep;
  if (nextStep == steps.size() || --ticksLeft == 0) {
    KillTimer(nullptr, timer);
    if (nextStep < steps.size()) ADD_FAILURE() << "step " << nextStep << " never came true";
    for (const char* title : {"Driver packages", "Driver List Exporter"})
      if (HWND window = FindWindowA(nullptr, title)) {
        if (HWND dialog = DialogOver(window)) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        PostMessageA(window, WM_CLOSE, 0, 0);
      }
  }
}

// The platform's plain window class a plug-in of another program might use.
LRESULT CALLBACK PlainProc(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  return DefWindowProcA(wnd, msg, w, l);
}

// The list exporter's Export button.
constexpr int kExportButton = 101;

// Runs the steps from a timer while run shows its window.
void RunWithSteps(std::vector<std::function<bool()>> list, const std::function<void()>& run) {
  steps = std::move(list);
  nextStep = 0;
  ticksLeft = 200;
  SetTimer(nullptr, 0, 50, RunSteps);
  run();
  EXPECT_EQ(nextStep, steps.size());
  steps.clear();
}

// A step that finds a dialog of the program by its title, checks that it wears the skin, takes
// its picture and closes it.
std::function<bool()> SkinnedDialogStep(const char* title, const std::string& shot) {
  return [title, shot] {
    HWND dialog = FindWindowA("#32770", title);
    if (!dialog || !IsWindowVisible(dialog)) return false;
    TveDialogWnd* adapter = DialogAdapterOf(dialog);
    EXPECT_TRUE(adapter && adapter->FrameSkinned()) << title;
    Shot(dialog, shot);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return true;
  };
}

HWND OpenPlainWindow(bool markedOwn) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = PlainProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "DkOtherPluginWindow";
  RegisterClassA(&wc);
  HWND wnd = CreateWindowExA(WS_EX_DLGMODALFRAME, wc.lpszClassName, "Other",
                             WS_POPUP | WS_CAPTION | WS_SYSMENU, 100, 100, 240, 120, nullptr,
                             nullptr, wc.hInstance, nullptr);
  if (markedOwn) SetPropA(wnd, kOwnWindowProp, reinterpret_cast<HANDLE>(1));
  ShowWindow(wnd, SW_SHOWNORMAL);
  SetForegroundWindow(wnd);
  Pump();
  return wnd;
}

TEST_F(MainWindowTest, TheProgramsOwnWindowsWearTheSkinAndOtherProgramsWindowsKeepTheirLook) {
  form = std::make_unique<TfrmMain>(nullptr);
  form->Show();
  Pump();
  auto editLook = [this]() -> const TsGenState& {
    TsSkinManager& skin = *form->sSkinManager;
    return skin.SectionTable[size_t(skin.FindSection("EDIT"))].States[0];
  };
  for (const char* skin : {"Night Ember", "Soft Azure"}) {
    SCOPED_TRACE(skin);
    form->sSkinManager->SetSkinName(std::string(skin) + " (internal)");
    Pump();
    {
      TFormAbout about(form.get());
      about.Show();
      Pump();
      TsSkinProvider* provider = ProviderOf(&about);
      ASSERT_NE(provider, nullptr);
      EXPECT_TRUE(provider->Skinned());
      // Where nothing stands, the client shows the skin's picture of the window.
      const TPoint client = provider->ClientOffsetInImage();
      const img::Bitmap32& image = provider->WindowImage();
      ASSERT_FALSE(image.Empty());
      HDC dc = GetWindowDC(about.Handle());
      const img::TRGBAPixel& p = image.Pixel(client.X + 200, client.Y + 50);
      // The display may round a channel of a gradient by one.
      const COLORREF shown = GetPixel(dc, client.X + 200, client.Y + 50);
      EXPECT_NEAR(GetRValue(shown), p.R, 1);
      EXPECT_NEAR(GetGValue(shown), p.G, 1);
      EXPECT_NEAR(GetBValue(shown), p.B, 1);
      ReleaseDC(about.Handle(), dc);
      Shot(about.Handle(), "about-" + FileName(skin));
    }

    HWND packages = nullptr;
    RunWithSteps(
        {[&] {
           packages = FindWindowA(nullptr, "Driver packages");
           if (!packages || !IsWindowVisible(packages)) return false;
           TveDialogWnd* dialog = DialogAdapterOf(packages);
           EXPECT_TRUE(dialog && dialog->FrameSkinned());
           EXPECT_NE(TveMainWnd::AdapterFromHandle(GetDlgItem(packages, driver_packages::kList)),
                     nullptr);
           EXPECT_NE(TveMainWnd::AdapterFromHandle(GetDlgItem(packages, driver_packages::kClose)),
                     nullptr);
           // Its list and its fields in the skin's colours, not the platform's window white.
           const TsGenState& edit = editLook();
           EXPECT_EQ(COLORREF(SendMessageA(GetDlgItem(packages, driver_packages::kList),
                                           LVM_GETBKCOLOR, 0, 0)),
                     COLORREF(edit.Color));
           HDC probe = CreateCompatibleDC(nullptr);
           for (int id : {driver_packages::kFolder, driver_packages::kResults}) {
             SendMessageA(packages,
                          id == driver_packages::kFolder ? WM_CTLCOLOREDIT : WM_CTLCOLORLISTBOX,
                          reinterpret_cast<WPARAM>(probe),
                          reinterpret_cast<LPARAM>(GetDlgItem(packages, id)));
             EXPECT_EQ(GetBkColor(probe), COLORREF(edit.Color)) << id;
             EXPECT_EQ(GetTextColor(probe), COLORREF(edit.FontColor)) << id;
           }
           DeleteDC(probe);
           // The progress bar's empty track shows the skin's picture, not the platform's white.
           HWND progress = GetDlgItem(packages, driver_packages::kProgress);
           auto* bar = dynamic_cast<TveProgressWnd*>(TveMainWnd::AdapterFromHandle(progress));
           EXPECT_NE(bar, nullptr);
           if (bar && bar->SkinData->CacheBitmap) {
             RECT r;
             GetClientRect(progress, &r);
             const img::TRGBAPixel& p =
                 bar->SkinData->CacheBitmap->Pixel(r.right / 2, r.bottom / 2);
             HDC dc = GetDC(progress);
             EXPECT_EQ(GetPixel(dc, r.right / 2, r.bottom / 2), RGB(p.R, p.G, p.B));
             EXPECT_NE(GetPixel(dc, r.right / 2, r.bottom / 2), RGB(255, 255, 255));
             ReleaseDC(progress, dc);
           }
           Shot(packages, "packages-" + FileName(skin));
           PostMessageA(packages, WM_COMMAND, MAKEWPARAM(driver_packages::kBrowse, BN_CLICKED),
                        reinterpret_cast<LPARAM>(GetDlgItem(packages, driver_packages::kBrowse)));
           return true;
         },
         [&] {
           HWND picker = DialogOver(packages);
           if (!picker) return false;
           TveDialogWnd* dialog = DialogAdapterOf(picker);
           EXPECT_TRUE(dialog && dialog->FrameSkinned());
           Shot(picker, "packages-picker-" + FileName(skin));
           return true;
         }},
        [] { ShowPluginForm(DK_PACKAGES_PLUGIN); });

    // The shipped plug-ins' message boxes, and the list exporter's save dialog.
    RunWithSteps({SkinnedDialogStep("About Driver packages", "packages-about-" + FileName(skin))},
                 [] { ShowPluginAbout(DK_PACKAGES_PLUGIN); });
    RunWithSteps({[] {
                    HWND exporter = FindWindowA(nullptr, "Driver List Exporter");
                    if (!exporter || !IsWindowVisible(exporter)) return false;
                    PostMessageA(exporter, WM_COMMAND, kExportButton, 0);
                    return true;
                  },
                  SkinnedDialogStep("Export driver list", "export-save-" + FileName(skin)),
                  [] {
                    HWND exporter = FindWindowA(nullptr, "Driver List Exporter");
                    if (exporter) PostMessageA(exporter, WM_CLOSE, 0, 0);
                    return true;
                  }},
                 [] { ShowPluginForm(DK_EXPORT_PLUGIN); });
  }

  // A window of another program's plug-in keeps the platform's look; marked as the program's
  // own, the same window wears the skin.
  for (bool own : {false, true}) {
    HWND wnd = OpenPlainWindow(own);
    EXPECT_EQ(DialogAdapterOf(wnd) != nullptr, own);
    RemovePropA(wnd, kOwnWindowProp);
    DestroyWindow(wnd);
    Pump();
  }
}

}  // namespace
