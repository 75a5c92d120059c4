// How the windows meet a display scale above 100 %: drawn by the program at each monitor's
// scale (the default), or drawn at 100 % and stretched by the system as a picture, which some
// users prefer to a layout that grows. The choice is [Display] Scale in settings.ini (beside the
// skin's): "system" or "off".
#pragma once

#include <string_view>

enum class TDisplayScale { System, Off };

// The setting's value: "off" in any letter case, blanks around it ignored; anything else,
// missing included, keeps the program's own scaling.
TDisplayScale DisplayScaleFromText(std::string_view value);

// Reads the setting and, for "off", has the system stretch the windows this thread makes.
// Called before the first window; the result is what applies.
TDisplayScale ApplyDisplayScale();
