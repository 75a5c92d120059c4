// Machines without a system registry read as an empty one.
#include "platform/RegistryMemory.h"

namespace platform {

Registry& Registry::Default() {
  static MemoryRegistry empty;
  return empty;
}

}  // namespace platform
