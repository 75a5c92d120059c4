// Text of a Win32 error code, as the system words it, without the trailing line break.
#pragma once

#include <string>

namespace platform {

std::string SystemErrorMessage(unsigned long code);

}  // namespace platform
