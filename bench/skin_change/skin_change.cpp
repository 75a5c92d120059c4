// Skin changes on a running, skinned window under Wine: a form of the main window's size and
// style, with a menu bar and the skin provider, switched through every stored skin. Each change
// is timed from setting the skin's name until the frame and the client are painted again; the
// median and the slowest change are printed. Run it through cmake/wine-run:
//   cmake/wine-run --prefix build/win64/wine/bench build/win64/bench/skin_change/skin_change.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "framework/Application.h"
#include "framework/Forms.h"
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
