// Stands in for DriverKeeper.exe beside a copy of DriverKeeper.com, a window program as that one
// is: once the event named by DK_STANDIN_GO is set, it writes the command line it was started
// with to the file named by DK_STANDIN_RECORD and ends.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char name[MAX_PATH] = "", record[MAX_PATH] = "";
  GetEnvironmentVariableA("DK_STANDIN_GO", name, sizeof name);
  GetEnvironmentVariableA("DK_STANDIN_RECORD", record, sizeof record);
  HANDLE go = OpenEventA(SYNCHRONIZE, FALSE, name);
  if (go) WaitForSingleObject(go, 60000);
  const char* commandLine = GetCommandLineA();
  HANDLE file = CreateFileA(record, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, commandLine, lstrlenA(commandLine), &written, nullptr);
  CloseHandle(file);
  return 0;
}
