// The Win32 side of the skin manager that lies below the controls' skin state: the registries
// that form and dialog skinning fill, the hooks into the parts that animate and paint forms, the
// program's shadow pictures and its name, and the system's minimise animation and composition.
#include "skin/data/sSkinWindowsWin32.h"

#include "framework/Application.h"
#include "framework/Forms.h"
#include "skin/data/sBorderShadows.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinPaths.h"
#include "text/Paths.h"

namespace {

BOOL CALLBACK CollectForm(HWND wnd, LPARAM forms) {
  if (auto* form = dynamic_cast<fw::TForm*>(fw::TWinControl::FromHandle(wnd)))
    reinterpret_cast<std::vector<fw::TForm*>*>(forms)->push_back(form);
  return TRUE;
}

std::string ResourceBytes(const char* name) {
  HRSRC found = FindResourceA(nullptr, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
  HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  return bytes ? std::string(static_cast<const char*>(bytes), SizeofResource(nullptr, found))
               : std::string();
}

// What the manager's unit does when the program starts, before the main block: the shadow
// pictures, and the engine's version when the command line asks for it.
struct TsUnitStart {
  std::string activeShadow = ResourceBytes("VESHDA");
  std::string inactiveShadow = ResourceBytes("VESHDI");
  TsUnitStart() {
    BuiltInShadowSource() = [] { return std::pair{ActiveShadowData(), InactiveShadowData()}; };
    ShowEngineVersionIfAsked(SplitCommandLine(GetCommandLineA()), ProgramName());
  }
};

const TsUnitStart& UnitStart() {
  static const TsUnitStart start;
  return start;
}
[[maybe_unused]] const TsUnitStart& startAtLoad = UnitStart();

}  // namespace

std::string ProgramName() {
  char path[MAX_PATH * 4];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string name = fw::ExtractFileName(std::string_view(path, n));
  return name.substr(0, name.rfind('.'));
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
