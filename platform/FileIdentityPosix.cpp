// Machines without Windows folders know files only by the file system in use.
#include "platform/FileIdentityMemory.h"

namespace platform {

FileIdentity& FileIdentity::Default() {
  static MemoryFileIdentity identity;
  return identity;
}

}  // namespace platform
