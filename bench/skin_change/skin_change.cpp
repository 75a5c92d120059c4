// Skin changes on a running, skinned window under Wine: a form of the main window's size and
// style, with a menu bar, the skin provider and the main window's adopted controls (the driver
// list with 30 rows, the status bar, the group box with its six labels), switched through every
// stored skin. Each change
// is timed from setting the skin's name until the frame and the client are painted again; the
// median and the slowest change are printed. Run it through cmake/wine-run:
//   cmake/wine-run --prefix build/win64/wine/bench build/win64/bench/skin_change/skin_change.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/ComCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "skin/forms/sSkinProvider.h"
#include "skins/StoredSkins.h"

using namespace fw;

namespace {

double Millis(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return double(to.QuadPart - from.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

}  // namespace

int main() {
  TsSkinManager manager(nullptr);
  AddStoredSkins(manager.InternalSkins);
  manager.SetThirdParty(TveThirdKind::ListViews, "TListView\r\n");
  manager.SetThirdParty(TveThirdKind::StatusBar, "TStatusBar\r\n");
  manager.SetThirdParty(TveThirdKind::GroupBoxes, "TGroupBox\r\n");
  manager.SetSkinName(DefaultStoredSkinName());
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

  std::vector<double> times;
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < manager.InternalSkins.Count(); ++i) {
      LARGE_INTEGER start, end;
      QueryPerformanceCounter(&start);
      manager.SetSkinName(manager.InternalSkins.Items(i).Name);
      RedrawWindow(form->Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
      Application.ProcessMessages();
      QueryPerformanceCounter(&end);
      times.push_back(Millis(start, end));
    }
  }
  std::sort(times.begin(), times.end());
  std::printf("skin changes: %zu, median %.1f ms, slowest %.1f ms\n", times.size(),
              times[times.size() / 2], times.back());
  return 0;
}
