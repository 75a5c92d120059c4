// The test plug-ins, one library per variant (DK_PLUGIN_VARIANT):
//   1 names itself and records its calls, 2 writes an empty name over stale bytes,
//   3 exports none of the entry points, 4 writes nothing into the name buffer,
//   5 is a second plug-in like 1, with its own name and its own records.
// Calls are recorded in environment variables of the process, which outlive the library.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

void Count(const char* variable) {
  char text[32] = "0";
  GetEnvironmentVariableA(variable, text, sizeof text);
  SetEnvironmentVariableA(variable, std::to_string(std::atoi(text) + 1).c_str());
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) Count("DK_TEST_PLUGIN_LOADS");
  if (reason == DLL_PROCESS_DETACH) Count("DK_TEST_PLUGIN_UNLOADS");
  return TRUE;
}

#if DK_PLUGIN_VARIANT == 1 || DK_PLUGIN_VARIANT == 5
#if DK_PLUGIN_VARIANT == 1
#define DK_PLUGIN_NAME "Test Plugin One"
#define DK_RECORD(variable) variable
#else
#define DK_PLUGIN_NAME "Test Plugin Two"
#define DK_RECORD(variable) variable "_TWO"
#endif
__declspec(dllexport) void WINAPI PluginName(unsigned char* buffer) {
  buffer[0] = sizeof DK_PLUGIN_NAME - 1;
  std::memcpy(buffer + 1, DK_PLUGIN_NAME, sizeof DK_PLUGIN_NAME - 1);
}
__declspec(dllexport) void WINAPI PluginAbout(HWND owner) {
  char text[32];
  std::snprintf(text, sizeof text, "%p", static_cast<void*>(owner));
  SetEnvironmentVariableA(DK_RECORD("DK_TEST_ABOUT_OWNER"), text);
}
__declspec(dllexport) void WINAPI PluginFormShow() {
  Count(DK_RECORD("DK_TEST_FORM_SHOWS"));
}
#elif DK_PLUGIN_VARIANT == 2
__declspec(dllexport) void WINAPI PluginName(unsigned char* buffer) {
  std::memcpy(buffer, "\0stale name", 11);
}
#elif DK_PLUGIN_VARIANT == 3
__declspec(dllexport) void WINAPI Unrelated() {}
#elif DK_PLUGIN_VARIANT == 4
__declspec(dllexport) void WINAPI PluginName(unsigned char*) {}
#endif
}
