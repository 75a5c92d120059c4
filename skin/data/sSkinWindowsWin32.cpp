// The skin manager's window system on Win32: broadcasts over the framework's forms and their
// children, synchronous sends, the thread's window-creation hook, and the start of the program.
#include "skin/data/sSkinWindowsWin32.h"

#include "framework/Application.h"
#include "framework/Forms.h"
#include "text/Paths.h"
#include "platform/LayeredWindows.h"
#include "skin/data/sSkinAppHook.h"
#include "skin/data/sSkinCommands.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinPaths.h"
#include "skin/data/sSkinWindows.h"
#include "skin/render/sCommonData.h"
#include "skin/render/sGlow.h"
#include "skin/render/sManagerLink.h"

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

BOOL CALLBACK CollectForm(HWND wnd, LPARAM forms) {
  if (auto* form = dynamic_cast<fw::TForm*>(fw::TWinControl::FromHandle(wnd)))
    reinterpret_cast<std::vector<fw::TForm*>*>(forms)->push_back(form);
  return TRUE;
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

  // The executable's name without its extension: the title before the program sets one.
  static std::string ProgramName() {
    char path[MAX_PATH * 4];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string name = fw::ExtractFileName(std::string_view(path, n));
    return name.substr(0, name.rfind('.'));
  }
};

std::string ResourceBytes(const char* name) {
  HRSRC found = FindResourceA(nullptr, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
  HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  return bytes ? std::string(static_cast<const char*>(bytes), SizeofResource(nullptr, found))
               : std::string();
}

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
  ManagerHooks().HideAllGlows = HideAllGlows;
  Win32ManagerHooks().SkinDataHasMouse = [](LRESULT skinData) {
    return reinterpret_cast<const TsCommonData*>(skinData)->IsMouseOver;
  };
}

// What the manager's unit does when the program starts, before the main block: the shadow
// pictures, the link to the controls' skin state, and the engine's version when the command
// line asks for it.
struct TsUnitStart {
  std::string activeShadow = ResourceBytes("VESHDA");
  std::string inactiveShadow = ResourceBytes("VESHDI");
  TsUnitStart() {
    BuiltInShadowSource() = [] { return std::pair{ActiveShadowData(), InactiveShadowData()}; };
    ConnectControlSkinState();
    ShowEngineVersionIfAsked(SplitCommandLine(GetCommandLineA()), TsWin32Windows::ProgramName());
  }
};

const TsUnitStart& UnitStart() {
  static const TsUnitStart start;
  return start;
}
[[maybe_unused]] const TsUnitStart& startAtLoad = UnitStart();

}  // namespace

TsSkinWindows& TsSkinWindows::Default() {
  static TsWin32Windows windows;
  return windows;
}

std::vector<fw::TForm*>& ProviderForms() {
  static std::vector<fw::TForm*> forms;
  return forms;
}

std::vector<HWND>& SkinnedSystemWindows() {
  static std::vector<HWND> windows;
  return windows;
}

std::vector<fw::TForm*> ApplicationForms() {
  std::vector<fw::TForm*> forms;
  EnumThreadWindows(GetCurrentThreadId(), CollectForm, reinterpret_cast<LPARAM>(&forms));
  return forms;
}

TsWin32ManagerHooks& Win32ManagerHooks() {
  static TsWin32ManagerHooks hooks;
  return hooks;
}

const std::string& ActiveShadowData() {
  return UnitStart().activeShadow;
}

const std::string& InactiveShadowData() {
  return UnitStart().inactiveShadow;
}

TsMinimizeAnimationSetting& MinimizeAnimationSetting() {
  static TsMinimizeAnimationSetting setting{
      [] {
        ANIMATIONINFO info{sizeof info, 0};
        return SystemParametersInfoA(SPI_GETANIMATION, sizeof info, &info, 0) ? info.iMinAnimate
                                                                              : 0;
      },
      [](int value) {
        ANIMATIONINFO info{sizeof info, value};
        SystemParametersInfoA(SPI_SETANIMATION, sizeof info, &info, 0);
      }};
  return setting;
}

void ShowWithoutAnimation(HWND wnd, int command) {
  TsMinimizeAnimationSetting& setting = MinimizeAnimationSetting();
  int previous = setting.Get();
  if (previous) setting.Set(0);
  ShowWindow(wnd, command);
  if (previous) setting.Set(previous);
}

bool CompositionEnabled() {
  using IsEnabled = HRESULT(WINAPI*)(BOOL*);
  static const auto isEnabled = [] {
    HMODULE dwm = LoadLibraryA("dwmapi.dll");
    return dwm ? reinterpret_cast<IsEnabled>(
                     reinterpret_cast<void*>(GetProcAddress(dwm, "DwmIsCompositionEnabled")))
               : nullptr;
  }();
  BOOL enabled = FALSE;
  return isEnabled && SUCCEEDED(isEnabled(&enabled)) && enabled;
}
