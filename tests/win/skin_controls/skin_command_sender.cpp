// Another program on the desktop: sends or posts one skin command to a window given by its handle,
// with whatever second parameter it likes, and exits with the answer (0 after a post).
//   skin_command_sender <window> <command> <lParam> send|post
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "skin/data/sSkinCommands.h"

int main(int argc, char** argv) {
  if (argc != 5) return -1;
  auto wnd = reinterpret_cast<HWND>(std::strtoull(argv[1], nullptr, 0));
  auto command = static_cast<uint16_t>(std::strtoul(argv[2], nullptr, 0));
  auto value = static_cast<LPARAM>(std::strtoull(argv[3], nullptr, 0));
  if (std::strcmp(argv[4], "post") == 0)
    return PostMessageA(wnd, SkinCommandMsg, SkinCommandParam(command), value) ? 0 : -2;
  return static_cast<int>(SendMessageA(wnd, SkinCommandMsg, SkinCommandParam(command), value));
}
