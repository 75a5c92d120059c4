#include "app/console/PackageConsole.h"

#include <exception>

void WriteOutputLine(HANDLE output, const std::string& line) {
  if (!output || output == INVALID_HANDLE_VALUE) return;
  std::string text = line + "\r\n";
  DWORD written = 0;
  WriteFile(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

int RunPackageCommandTo(HANDLE output, const TPackageCommand& command,
                        const std::function<bool()>& cancelled) {
  auto writeLine = [output](const std::string& line) { WriteOutputLine(output, line); };
  try {
    return RunPackageCommand(command, writeLine, cancelled);
  } catch (const std::exception& error) {
    writeLine(error.what());
    return kExitFailed;
  }
}
