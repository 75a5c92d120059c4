// The skin manager's window system on Win32, above the controls' skin state that it reaches:
// broadcasts over the framework's forms and their children, synchronous sends, the thread's
// window-creation hook, and the link from the controls' skin state to the managers.
#include <windows.h>

#include "framework/Application.h"
#include "framework/Forms.h"
#include "platform/LayeredWindows.h"
#include "skin/data/sSkinAppHook.h"
#include "skin/data/sSkinCommands.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinPaths.h"
#include "skin/data/sSkinWindows.h"
#include "skin/data/sSkinWindowsWin32.h"
#include "skin/render/sCommonData.h"
#include "skin/render/sCtrlUtils.h"
#include "skin/render/sGlow.h"
#include "skin/render/sManagerLink.h"
#include "skin/render/sScaledSkin.h"

namespace {

struct TsCommand {
  WPARAM wParam;
  LPARAM lParam;
};

LRESULT Send(HWND wnd, TsCommand c) {
  return SendMessageA(wnd, SkinCommandMsg, c.wParam, c.lParam);
}

void SendToFormTree(fw::TForm& form, TsCommand c) {
  HWND wnd = form.Handle();
  Send(wnd, c);
  BroadcastToChildren(form, SkinCommandMsg, c.wParam, c.lParam);
  if (HWND client = FindWindowExA(wnd, nullptr, "MDICLIENT", nullptr)) Send(client, c);
}

bool IsMdiChild(HWND wnd) {
  return GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_MDICHILD;
}

void SendToApplicationForms(TsCommand c) {
  for (fw::TForm* form : ApplicationForms()) {
    if (form->Destroying() || form->Loading() || IsMdiChild(form->Handle())) continue;
    // A form that answers for itself is a provider's form; it is reached through them.
    if (IsSkinnedWindow(form->Handle())) continue;
    SendToFormTree(*form, c);
  }
}

HHOOK creationHook = nullptr;

LRESULT CALLBACK CreationHookProc(int code, WPARAM wParam, LPARAM lParam) {
  // The next hook first: its answer is ours, whatever the skinning does with the window.
  LRESULT result = CallNextHookEx(creationHook, code, wParam, lParam);
  const TsWin32ManagerHooks& hooks = Win32ManagerHooks();
  auto wnd = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_CREATEWND && hooks.WindowCreating)
    hooks.WindowCreating(wnd, reinterpret_cast<CBT_CREATEWNDA*>(lParam));
  else if (code == HCBT_ACTIVATE && hooks.WindowActivating)
    hooks.WindowActivating(wnd);
  else if (code == HCBT_DESTROYWND && hooks.WindowDestroying)
    hooks.WindowDestroying(wnd);
  return result;
}

class TsWin32Windows final : public TsSkinWindows {
 public:
  void Broadcast(TsSkinManager& manager, uint16_t command, TsBroadcastScope scope) override {
    TsCommand c{SkinCommandParam(command), reinterpret_cast<LPARAM>(&manager)};
    SendToApplicationForms(c);
    if (scope == TsBroadcastScope::ApplicationForms) return;
    for (fw::TForm* form : std::vector<fw::TForm*>(ProviderForms()))
      if (!form->Destroying()) SendToFormTree(*form, c);
    for (HWND wnd : std::vector<HWND>(SkinnedSystemWindows()))
      if (IsWindowVisible(wnd)) Send(wnd, c);
  }

  void SendToWindow(void* window, uint16_t command, TsSkinManager& manager) override {
    Send(static_cast<HWND>(window),
         {SkinCommandParam(command), reinterpret_cast<LPARAM>(&manager)});
  }

  void SendToControl(fw::TControl* control, uint16_t command, TsSkinManager& manager) override {
    control->Perform(SkinCommandMsg, SkinCommandParam(command), reinterpret_cast<LPARAM>(&manager));
  }

  bool ControlHasMouse(fw::TControl* control) override {
    const auto& hasMouse = Win32ManagerHooks().SkinDataHasMouse;
    LRESULT skinData = control->Perform(SkinCommandMsg, SkinCommandParam(CmdGetSkinData), 0);
    return skinData && hasMouse && hasMouse(skinData);
  }

  void RepaintSystemWindows() override {
    for (HWND wnd : std::vector<HWND>(SkinnedSystemWindows()))
      if (IsWindowVisible(wnd))
        RedrawWindow(wnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }

  void InstallCreationHook(TsSkinManager&) override {
    if (!creationHook)
      creationHook = SetWindowsHookExA(WH_CBT, CreationHookProc, nullptr, GetCurrentThreadId());
  }

  void RemoveCreationHook() override {
    if (creationHook) UnhookWindowsHookEx(creationHook);
    creationHook = nullptr;
    if (const auto& removed = Win32ManagerHooks().CreationHookRemoved) removed();
    SkinnedSystemWindows().clear();
  }

  void HookApplicationWindow(TsSkinManager& manager) override { ::HookApplicationWindow(manager); }
  void UnhookApplicationWindow(TsSkinManager& manager) override {
    ::UnhookApplicationWindow(manager);
  }

  bool LayeredWindowsAvailable() override {
    return platform::LayeredWindows::Current().Available();
  }

  std::vector<std::string> CommandLine() override { return SplitCommandLine(GetCommandLineA()); }

  void* MessageOwner() override { return fw::Application.Handle(); }

  std::string ApplicationTitle() override {
    return fw::Application.Title().empty() ? ProgramName() : fw::Application.Title();
  }
};

TsSkinManager* ManagerOf(const TsSkinModel& model) {
  for (TsSkinManager* manager : SkinManagers())
    if (static_cast<const TsSkinModel*>(manager) == &model) return manager;
  return nullptr;
}

// A command's second parameter names a manager by the manager's own address; a model that
// belongs to no manager is carried as itself.
const TsSkinModel* CommandModel(LPARAM value) {
  for (TsSkinManager* manager : SkinManagers())
    if (reinterpret_cast<LPARAM>(manager) == value) return manager;
  return reinterpret_cast<const TsSkinModel*>(value);
}

LPARAM CommandValue(const TsSkinModel& model) {
  TsSkinManager* manager = ManagerOf(model);
  return manager ? reinterpret_cast<LPARAM>(manager) : reinterpret_cast<LPARAM>(&model);
}

void MakeHot(const TsSkinModel& model, fw::TControl* control) {
  TsSkinManager* manager = ManagerOf(model);
  if (!manager || !control) return;
  if (!control->IsWindowed()) {
    manager->SetHotControl(control);
    return;
  }
  auto* windowed = static_cast<fw::TWinControl*>(control);
  if (windowed->HandleAllocated()) manager->SetHotWindow(windowed->Handle());
}

// The controls' skin state reaches the managers through its link, and the manager asks a
// control's skin state whether the mouse is still over it.
void ConnectControlSkinState() {
  TsManagerLink& link = ManagerLink();
  link.CommandModel = CommandModel;
  link.CommandValue = CommandValue;
  link.Active = [](const TsSkinModel& model) {
    TsSkinManager* manager = ManagerOf(model);
    return !manager || manager->Active();
  };
  link.Destroying = [](const TsSkinModel& model) {
    TsSkinManager* manager = ManagerOf(model);
    return manager && manager->Destroying();
  };
  link.Hovered = MakeHot;
  link.SkinLoaded = [] { SkinChanging = false; };
  link.AllowGlowing = [](const TsSkinModel& model) {
    TsSkinManager* manager = ManagerOf(model);
    return manager && manager->Effects.AllowGlowing();
  };
  link.ButtonEffects = [](const TsSkinModel& model) {
    TsSkinManager* manager = ManagerOf(model);
    if (!manager || !manager->AnimEffects.Buttons.Active) return 0u;
    return manager->AnimEffects.Buttons.Events;
  };
  link.AtDpi = [](const TsSkinModel& model, int dpi) -> const TsSkinModel& {
    TsSkinManager* manager = ManagerOf(model);
    return manager ? SkinAtDpi(*manager, dpi) : model;
  };
  ManagerHooks().HideAllGlows = HideAllGlows;
  fw::ThreadPrivateMessages() = [](UINT msg, WPARAM wParam, LPARAM lParam) {
    return msg == SkinCommandMsg && lParam && CarriesLocalPointer(HIWORD(wParam));
  };
  Win32ManagerHooks().SkinDataHasMouse = [](LRESULT skinData) {
    return reinterpret_cast<const TsCommonData*>(skinData)->IsMouseOver;
  };
}

// Before the main block: the controls' skin state reaches the managers from the start.
[[maybe_unused]] const bool connectedAtLoad = (ConnectControlSkinState(), true);

}  // namespace

TsSkinWindows& TsSkinWindows::Default() {
  static TsWin32Windows windows;
  return windows;
}
