// Without Windows, only our own list of device names is known, and names fold in ASCII.
#include "platform/FileNames.h"
#include "text/AsciiCase.h"

namespace platform {

bool NamesDevice(const std::string& name) {
  return IsReservedDeviceName(name);
}

std::string FileNameKey(std::string_view name) {
  return fw::UpperAscii(name);
}

bool SameFileName(std::string_view a, std::string_view b) {
  return FileNameKey(a) == FileNameKey(b);
}

}  // namespace platform
