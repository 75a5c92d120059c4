// Skin changes on a running, skinned window under Wine: a form of the main window's size and
// style, with a menu bar, the skin provider and the main window's adopted controls (the driver
// list with 30 rows, the status bar, the group box with its six labels), switched through every
// stored skin, twice without a border window and twice with one, as the main window has it. Each
// change is timed from setting the skin's name until the frame and the client are painted again,
// and split into the work before the skin-change fade's clock started, the fade (until its last
// frame was shown) and the work after it (the form painting its new look and the border window's
// new picture). Each fade frame is compared with its tick: a frame shown more than 8 ms after it is
// late. Printed: the median and slowest of the whole, of each of its three parts and of the latest
// frame, and each skin that missed an aim (whole change above 130 ms, or a frame late by more than
// 8 ms). Beside the times, counts that the machine's load does not change: the pictures the skins
// decoded (at start-up and per change) and their bytes, the process's CPU time, and the paint
// messages the windows got per change, the list's paints of its rows and the border window's
// pictures composed per change. The change ends when nothing of the window is left to paint;
// the bench paints what is still invalid and adds nothing. Run it through cmake/wine-run:
//   cmake/wine-run --prefix build/win64/wine/bench build/win64/bench/skin_change/skin_change.exe
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/ComCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "skin/data/SkinImage.h"
#include "skin/forms/sAnimWindow.h"
#include "skin/forms/sBorderForm.h"
#include "skin/forms/sSkinProvider.h"
#include "skins/StoredSkins.h"

using namespace fw;

namespace {

constexpr double kWholeAim = 130, kLateAim = 8;

double Millis(LONGLONG from, LONGLONG to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return double(to - from) * 1000.0 / double(frequency.QuadPart);
}

LONGLONG Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

// One change: the whole, the work before the fade's first frame, the fade, its latest frame.
struct Change {
  double whole = 0, work = 0, fade = 0, after = 0, latest = 0;
  int frames = 0;
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double Slowest(const std::vector<double>& values) {
  return *std::max_element(values.begin(), values.end());
}

void Print(const char* what, const std::vector<double>& values, const char* unit = "ms") {
  std::printf("  %-28s median %7.1f %s, most %7.1f %s\n", what, Median(values), unit,
              Slowest(values), unit);
}

// User and kernel time of this process, in milliseconds.
double CpuMillis() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& t) {
    return double(ULONGLONG(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 10000.0;
  };
  return ms(kernel) + ms(user);
}

// WM_PAINT and WM_NCPAINT messages the thread's windows got, sent or dispatched, and the times
// the list painted its rows (each paint tells its parent it begins).
int paints = 0, framePaints = 0, listPaints = 0;
HWND listWnd = nullptr;

void CountPaint(UINT message) {
  if (message == WM_PAINT) ++paints;
  if (message == WM_NCPAINT) ++framePaints;
}

void CountListPaint(const CWPSTRUCT& m) {
  if (m.message != WM_NOTIFY || !m.lParam) return;
  const auto* draw = reinterpret_cast<const NMCUSTOMDRAW*>(m.lParam);
  if (draw->hdr.hwndFrom == listWnd && draw->hdr.code == UINT(NM_CUSTOMDRAW) &&
      draw->dwDrawStage == CDDS_PREPAINT)
    ++listPaints;
}

LRESULT CALLBACK SentHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
    CountPaint(m->message);
    CountListPaint(*m);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK DispatchedHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE)
    CountPaint(reinterpret_cast<const MSG*>(lParam)->message);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The pictures the border window composed so far; none without one.
unsigned BorderComposed(TsSkinProvider& provider) {
  return provider.BorderForm() ? provider.BorderForm()->Composed() : 0;
}

// Makes the window, switches it through every stored skin twice and prints the figures.
void RunChanges(TsSkinManager& manager, bool borderWindow) {
  manager.SetExtendedBorders(borderWindow);
  manager.SetSkinName(DefaultStoredSkinName());
  const TsDecodeCounts startDecodes = SkinDecodeCounts();
  auto form = std::make_unique<TForm>(nullptr);
  form->SetBorderStyle(TFormBorderStyle::bsSingle);
  form->SetBorderIcons(biSystemMenu | biMinimize);
  auto* menu = new TMainMenu(form.get());
  for (const char* caption : {"Scan Driver", "Backup", "Help"}) {
    auto* item = new TMenuItem(form.get());
    item->SetCaption(caption);
    menu->Items()->Add(item);
  }
  form->SetMenu(menu);
  form->SetClientSize(722, 454);
  form->SetCaption("Driver Keeper");
  auto* list = new TListView(form.get());
  list->SetBounds(5, 8, 708, 242);
  list->SetCheckboxes(true);
  list->AddColumn("Device", 320);
  list->AddColumn("Type", 220);
  list->AddColumn("Action", 100);
  list->SetParent(form.get());
  for (int i = 0; i < 30; ++i) list->Add("Device " + std::to_string(i)).SetSubItem(0, "Type");
  auto* bar = new TStatusBar(form.get());
  bar->SetBounds(0, 434, 722, 20);
  bar->AddPanel(440);
  bar->AddPanel(50);
  bar->SetParent(form.get());
  auto* box = new TGroupBox(form.get());
  box->SetBounds(5, 260, 588, 166);
  box->SetCaption("More information about selected device");
  box->SetParent(form.get());
  for (int i = 0; i < 6; ++i) {
    auto* label = new TLabel(form.get());
    label->SetBounds(16, 24 + 23 * i, 0, 13);
    label->SetCaption("...");
    label->SetParent(box);
  }
  auto* provider = new TsSkinProvider(form.get());
  provider->SetSkinManager(&manager);
  provider->CaptionAlignment = TsCaptionAlign::Center;
  form->Show();
  Application.ProcessMessages();
  std::printf("%s\nstart-up: %lld pictures decoded, %.1f KB\n",
              borderWindow ? "with a border window:" : "without a border window:",
              (long long)(SkinDecodeCounts().Images - startDecodes.Images),
              double(SkinDecodeCounts().Bytes - startDecodes.Bytes) / 1024);
  const DWORD thread = GetCurrentThreadId();
  HHOOK sentHook = SetWindowsHookExA(WH_CALLWNDPROC, SentHook, nullptr, thread);
  HHOOK dispatchedHook = SetWindowsHookExA(WH_GETMESSAGE, DispatchedHook, nullptr, thread);

  LONGLONG fadeStart = 0;
  Change change;
  SetFrameObserver([&](const TsFrameTiming& frame) {
    if (frame.Index == 0) fadeStart = frame.ClockStart;
    change.latest = std::max(change.latest, frame.ShownMs - frame.DueMs);
    change.fade = frame.ShownMs;
    ++change.frames;
  });
  std::vector<double> whole, work, fade, after, latest, decoded, decodedKb, cpu, painted, framed,
      listPainted, composed;
  listWnd = list->Handle();
  std::vector<std::string> missed;
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < manager.InternalSkins.Count(); ++i) {
      const std::string& name = manager.InternalSkins.Items(i).Name;
      change = {};
      fadeStart = 0;
      const TsDecodeCounts decodes = SkinDecodeCounts();
      const double cpuStart = CpuMillis();
      paints = framePaints = listPaints = 0;
      const unsigned composedStart = BorderComposed(*provider);
      LONGLONG start = Now();
      manager.SetSkinName(name);
      Application.ProcessMessages();
      RedrawWindow(form->Handle(), nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
      LONGLONG end = Now();
      cpu.push_back(CpuMillis() - cpuStart);
      decoded.push_back(double(SkinDecodeCounts().Images - decodes.Images));
      decodedKb.push_back(double(SkinDecodeCounts().Bytes - decodes.Bytes) / 1024);
      painted.push_back(paints);
      framed.push_back(framePaints);
      listPainted.push_back(listPaints);
      composed.push_back(double(BorderComposed(*provider) - composedStart));
      change.whole = Millis(start, end);
      // Without a fade (none began) the whole change is work.
      change.work = fadeStart ? Millis(start, fadeStart) : change.whole;
      change.after = change.whole - change.work - change.fade;
      whole.push_back(change.whole);
      work.push_back(change.work);
      fade.push_back(change.fade);
      after.push_back(change.after);
      latest.push_back(change.latest);
      if (change.whole > kWholeAim || change.latest > kLateAim) {
        char line[256];
        std::snprintf(line, sizeof line,
                      "  %-24s whole %6.1f ms, work %5.1f ms, fade %6.1f ms (%d frames), "
                      "after %5.1f ms, latest frame %+5.1f ms",
                      name.c_str(), change.whole, change.work, change.fade, change.frames,
                      change.after, change.latest);
        missed.push_back(line);
      }
    }
  }
  SetFrameObserver(nullptr);
  UnhookWindowsHookEx(sentHook);
  UnhookWindowsHookEx(dispatchedHook);
  std::printf("skin changes: %zu\n", whole.size());
  Print("whole change:", whole);
  Print("work before the fade:", work);
  Print("fade, to its last frame:", fade);
  Print("work after the fade:", after);
  Print("latest frame after its tick:", latest);
  Print("pictures decoded:", decoded, "  ");
  Print("bytes decoded:", decodedKb, "KB");
  Print("CPU time of the process:", cpu);
  Print("WM_PAINT messages:", painted, "  ");
  Print("WM_NCPAINT messages:", framed, "  ");
  Print("list's paints of its rows:", listPainted, "  ");
  if (borderWindow) Print("border pictures composed:", composed, "  ");
  std::printf("changes over %.0f ms or with a frame late by more than %.0f ms: %zu\n", kWholeAim,
              kLateAim, missed.size());
  for (const std::string& line : missed) std::printf("%s\n", line.c_str());
}

}  // namespace

int main() {
  TsSkinManager manager(nullptr);
  AddStoredSkins(manager.InternalSkins);
  manager.SetThirdParty(TveThirdKind::ListViews, "TListView\r\n");
  manager.SetThirdParty(TveThirdKind::StatusBar, "TStatusBar\r\n");
  manager.SetThirdParty(TveThirdKind::GroupBoxes, "TGroupBox\r\n");
  for (bool borderWindow : {false, true}) RunChanges(manager, borderWindow);
  return 0;
}
