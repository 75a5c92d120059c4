// How Windows reads a file name: which names it opens as devices rather than files, and which
// names it takes for the same file. Names are 8-bit text in the ANSI code page, as the rest of
// the program holds them.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The names Windows keeps for devices, by our own list: CON, PRN, AUX, NUL, CONIN$, CONOUT$,
// COM and LPT followed by a digit or a superscript one, two or three (0xB9, 0xB2, 0xB3 in the
// ANSI code page, or the same as UTF-8),
// in any letter case, with any extension, and with blanks or dots before the extension or at
// the end ("NUL .sys", "nul..txt", "AUX ."): the system drops those before it looks.
bool IsReservedDeviceName(std::string_view name);

// Whether opening a file of this name (one path component) would reach a device. Windows also
// asks the system's own rules; elsewhere only our list is known.
bool NamesDevice(const std::string& name);

// A key under which names that the file system takes for the same file are equal: Windows folds
// letter case as its file systems do (beyond ASCII, e.g. "é" and "É"); elsewhere only a-z fold.
// The key is for comparing and ordering only, not a name to show or open.
std::string FileNameKey(std::string_view name);

// Whether the file system takes both names for the same file.
bool SameFileName(std::string_view a, std::string_view b);

}  // namespace platform
