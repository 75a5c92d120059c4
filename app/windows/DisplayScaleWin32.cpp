#include <windows.h>

#include "app/windows/DisplayScale.h"
#include "app/windows/SkinChoice.h"
#include "platform/Dpi.h"

TDisplayScale ApplyDisplayScale() {
  const std::string file = SkinSettingsFile();
  char value[16] = {};
  if (!file.empty())
    GetPrivateProfileStringA("Display", "Scale", "", value, sizeof value, file.c_str());
  if (DisplayScaleFromText(value) == TDisplayScale::System) return TDisplayScale::System;
  // The manifest declares the process aware of each monitor's scale; only a thread can be
  // told otherwise. Systems without that keep the program's own scaling.
  return platform::LetSystemStretchThread() ? TDisplayScale::Off : TDisplayScale::System;
}
