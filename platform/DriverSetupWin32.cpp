#include <windows.h>
#include <setupapi.h>

#include <string>

#include "platform/AnsiText.h"
#include "platform/DriverSetup.h"
#include "platform/SystemEntry.h"
#include "platform/Win32Error.h"

namespace platform {
namespace {

using TSetupCopyOEMInf = BOOL(WINAPI*)(PCSTR, PCSTR, DWORD, DWORD, PSTR, DWORD, PDWORD, PSTR*);
using TGetStoreLocation = BOOL(WINAPI*)(PCWSTR, const void*, PCWSTR, PWSTR, DWORD, PDWORD);
using TUpdateDriver = BOOL(WINAPI*)(HWND, LPCSTR, LPCSTR, DWORD, PBOOL);

bool IsAdministrator() {
  SID_IDENTIFIER_AUTHORITY authority = SECURITY_NT_AUTHORITY;
  PSID administrators = nullptr;
  if (!AllocateAndInitializeSid(&authority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS,
                                0, 0, 0, 0, 0, 0, &administrators))
    return false;
  BOOL member = FALSE;
  if (!CheckTokenMembership(nullptr, administrators, &member)) member = FALSE;
  FreeSid(administrators);
  return member != FALSE;
}

// The device enumeration of the setup library, looked up on first use.
struct TDeviceList {
  using TGetClassDevs = HDEVINFO(WINAPI*)(const GUID*, PCSTR, HWND, DWORD);
  using TEnumDeviceInfo = BOOL(WINAPI*)(HDEVINFO, DWORD, PSP_DEVINFO_DATA);
  using TGetProperty = BOOL(WINAPI*)(HDEVINFO, PSP_DEVINFO_DATA, DWORD, PDWORD, PBYTE, DWORD,
                                     PDWORD);
  using TDestroyList = BOOL(WINAPI*)(HDEVINFO);
  TGetClassDevs getClassDevs = SystemEntry<TGetClassDevs>("setupapi.dll", "SetupDiGetClassDevsA");
  TEnumDeviceInfo enumDeviceInfo =
      SystemEntry<TEnumDeviceInfo>("setupapi.dll", "SetupDiEnumDeviceInfo");
  TGetProperty getProperty =
      SystemEntry<TGetProperty>("setupapi.dll", "SetupDiGetDeviceRegistryPropertyA");
  TDestroyList destroyList =
      SystemEntry<TDestroyList>("setupapi.dll", "SetupDiDestroyDeviceInfoList");
  bool Usable() const { return getClassDevs && enumDeviceInfo && getProperty && destroyList; }
};

const TDeviceList& DeviceList() {
  static const TDeviceList list;
  return list;
}

// Appends the strings of a device's multi-string property.
void AddDeviceIds(HDEVINFO devices, SP_DEVINFO_DATA& device, DWORD property,
                  std::vector<std::string>& ids) {
  char buffer[4096];
  DWORD type = 0;
  if (!DeviceList().getProperty(devices, &device, property, &type, reinterpret_cast<BYTE*>(buffer),
                                sizeof buffer - 2, nullptr) ||
      type != REG_MULTI_SZ)
    return;
  buffer[sizeof buffer - 2] = buffer[sizeof buffer - 1] = '\0';
  for (const char* id = buffer; *id; id += strlen(id) + 1) ids.emplace_back(id);
}

class Win32DriverSetup final : public DriverSetup {
 public:
  std::string InstallRefusal() override {
#ifndef _WIN64
    BOOL wow64 = FALSE;
    if (IsWow64Process(GetCurrentProcess(), &wow64) && wow64)
      return "This is the 32-bit Driver Keeper on 64-bit Windows, which installs no drivers "
             "from 32-bit programs. Restore with the 64-bit Driver Keeper.";
#endif
    if (!IsAdministrator())
      return "Restoring drivers needs administrator rights. Start Driver Keeper as "
             "administrator and restore again.";
    return {};
  }

  std::string DriverStoreFolder(const std::string& infPath) override {
    static const auto locate =
        SystemEntry<TGetStoreLocation>("setupapi.dll", "SetupGetInfDriverStoreLocationW");
    wchar_t buffer[MAX_PATH];
    if (!locate ||
        !locate(WideFromAnsi(infPath).c_str(), nullptr, nullptr, buffer, MAX_PATH, nullptr))
      return {};
    std::string located = AnsiFromWide(buffer);
    size_t slash = located.rfind('\\');
    return slash == std::string::npos ? std::string() : located.substr(0, slash);
  }

  void AllowPrompts(bool allowed) override {
    using TNonInteractive = BOOL(WINAPI*)(BOOL);
    static const auto nonInteractive =
        SystemEntry<TNonInteractive>("setupapi.dll", "SetupSetNonInteractiveMode");
    if (nonInteractive) nonInteractive(!allowed);
  }

  TInfInstall InstallInf(const std::string& infPath) override {
    static const auto copyInf = SystemEntry<TSetupCopyOEMInf>("setupapi.dll", "SetupCopyOEMInfA");
    if (!copyInf) return {TInfInstall::Failed, {}, "This system cannot install INF packages."};
    char destination[MAX_PATH] = "";
    char* name = nullptr;
    if (copyInf(infPath.c_str(), nullptr, SPOST_PATH, SP_COPY_NOOVERWRITE, destination,
                sizeof destination, nullptr, &name))
      return {TInfInstall::Installed, name ? name : "", {}};
    DWORD error = GetLastError();
    // The system found the same package installed already, and names it.
    if (error == ERROR_FILE_EXISTS) return {TInfInstall::Present, name ? name : "", {}};
    return {TInfInstall::Failed, {}, SystemErrorMessage(error)};
  }

  std::vector<std::string> PresentDeviceIds() override {
    std::vector<std::string> ids;
    const TDeviceList& list = DeviceList();
    if (!list.Usable()) return ids;
    HDEVINFO devices =
        list.getClassDevs(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES | DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE) return ids;
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof device;
    for (DWORD i = 0; list.enumDeviceInfo(devices, i, &device); ++i) {
      AddDeviceIds(devices, device, SPDRP_HARDWAREID, ids);
      AddDeviceIds(devices, device, SPDRP_COMPATIBLEIDS, ids);
    }
    list.destroyList(devices);
    return ids;
  }

  TDeviceUpdate UpdateDevices(const std::string& hardwareId, const std::string& infPath) override {
    static const auto update =
        SystemEntry<TUpdateDriver>("newdev.dll", "UpdateDriverForPlugAndPlayDevicesA");
    if (!update) return {TDeviceUpdate::Failed, false, "This system cannot update device drivers."};
    BOOL reboot = FALSE;
    if (update(nullptr, hardwareId.c_str(), infPath.c_str(), 0, &reboot))
      return {TDeviceUpdate::Updated, reboot != FALSE, {}};
    DWORD error = GetLastError();
    if (error == ERROR_NO_MORE_ITEMS) return {TDeviceUpdate::Kept, false, {}};
    if (error == ERROR_NO_SUCH_DEVINST) return {TDeviceUpdate::Gone, false, {}};
    return {TDeviceUpdate::Failed, false, SystemErrorMessage(error)};
  }

  std::string DriverArchitecture() override {
    SYSTEM_INFO info;
    GetNativeSystemInfo(&info);
    switch (info.wProcessorArchitecture) {
      case PROCESSOR_ARCHITECTURE_AMD64:
        return "amd64";
      case PROCESSOR_ARCHITECTURE_ARM64:
        return "arm64";
      default:
        return "x86";
    }
  }
};

}  // namespace

DriverSetup& DriverSetup::Default() {
  static Win32DriverSetup setup;
  return setup;
}

}  // namespace platform
