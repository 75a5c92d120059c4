#include "platform/AnsiText.h"

#include <windows.h>

namespace platform {

std::wstring WideFromAnsi(std::string_view text) {
  int length = static_cast<int>(text.size());
  std::wstring wide(MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

std::string AnsiFromWide(std::wstring_view text, bool* lost) {
  int length = static_cast<int>(text.size());
  BOOL defaulted = FALSE;
  std::string ansi(
      WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, &defaulted), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), static_cast<int>(ansi.size()),
                      nullptr, &defaulted);
  if (lost) *lost = defaulted != FALSE;
  return ansi;
}

}  // namespace platform
