// Without a window system nothing is on screen to tell: broadcasts and hooks do nothing.
#include "text/Paths.h"
#include "platform/Host.h"
#include "skin/data/sSkinWindows.h"

namespace {

class TsNoWindows final : public TsSkinWindows {
 public:
  void Broadcast(TsSkinManager&, uint16_t, TsBroadcastScope) override {}
  void SendToWindow(void*, uint16_t, TsSkinManager&) override {}
  void SendToControl(fw::TControl*, uint16_t, TsSkinManager&) override {}
  bool ControlHasMouse(fw::TControl*) override { return false; }
  void RepaintSystemWindows() override {}
  void InstallCreationHook(TsSkinManager&) override {}
  void RemoveCreationHook() override {}
  void HookApplicationWindow(TsSkinManager&) override {}
  void UnhookApplicationWindow(TsSkinManager&) override {}
  bool LayeredWindowsAvailable() override { return false; }
  std::vector<std::string> CommandLine() override { return {}; }
  void* MessageOwner() override { return nullptr; }
  std::string ApplicationTitle() override {
    return fw::ExtractFileName(platform::CurrentHost().ExecutablePath());
  }
};

}  // namespace

TsSkinWindows& TsSkinWindows::Default() {
  static TsNoWindows none;
  return none;
}
