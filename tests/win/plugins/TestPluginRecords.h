// What the test plug-ins recorded about their calls, read back from the process's environment.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace testing_support {

// The text a test plug-in left in the variable; empty when it left none.
inline std::string Recorded(const char* variable) {
  char text[32] = "";
  GetEnvironmentVariableA(variable, text, sizeof text);
  return text;
}

inline int Counter(const char* variable) {
  return std::atoi(Recorded(variable).c_str());
}

// How a test plug-in records the owner window it was handed.
inline std::string OwnerText(const void* owner) {
  char text[32];
  std::snprintf(text, sizeof text, "%p", owner);
  return text;
}

}  // namespace testing_support
