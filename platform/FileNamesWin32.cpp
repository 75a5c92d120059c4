#include <windows.h>

#include "platform/AnsiText.h"
#include "platform/FileNames.h"
#include "platform/SystemEntry.h"

namespace platform {
namespace {

// The system's own answers: the loader's device-name test, and the full path it makes of the
// name, which for a device is "\\.\NAME" whatever folder it is in.
bool SystemNamesDevice(const std::wstring& name) {
  using TIsDosDeviceName = ULONG(NTAPI*)(PCWSTR);
  static const auto isDosDeviceName =
      SystemEntry<TIsDosDeviceName>("ntdll.dll", "RtlIsDosDeviceName_U");
  if (isDosDeviceName && isDosDeviceName(name.c_str()) != 0) return true;
  wchar_t full[MAX_PATH];
  DWORD length = GetFullPathNameW(name.c_str(), MAX_PATH, full, nullptr);
  return length >= 4 && length < MAX_PATH && std::wstring_view(full, 4) == L"\\\\.\\";
}

}  // namespace

bool NamesDevice(const std::string& name) {
  return IsReservedDeviceName(name) || (!name.empty() && SystemNamesDevice(WideFromAnsi(name)));
}

// The invariant locale's upper case is the one the file systems' case table holds;
// CompareStringOrdinal ignoring case compares by it too.
std::string FileNameKey(std::string_view name) {
  std::wstring wide = WideFromAnsi(name), upper(wide.size(), L'\0');
  int length = static_cast<int>(wide.size());
  if (length > 0)
    LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.data(), length, upper.data(), length,
                  nullptr, nullptr, 0);
  std::string key(
      WideCharToMultiByte(CP_UTF8, 0, upper.data(), length, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_UTF8, 0, upper.data(), length, key.data(), static_cast<int>(key.size()),
                      nullptr, nullptr);
  return key;
}

bool SameFileName(std::string_view a, std::string_view b) {
  std::wstring wideA = WideFromAnsi(a), wideB = WideFromAnsi(b);
  return CompareStringOrdinal(wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                              static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace platform
