// Machines without Windows folders see an empty Windows-style file system.
#include "platform/FileSystemMemory.h"

namespace platform {

FileSystem& FileSystem::Default() {
  static MemoryFileSystem empty;
  return empty;
}

}  // namespace platform
