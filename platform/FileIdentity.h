// What the system knows of a path beyond its text: which file or folder it really is, whichever
// name reaches it (a junction, a drive made with subst, an administrative share, a device path),
// and which names it opens as devices rather than as files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Seam.h"

namespace platform {

// A file or folder as the file system knows it: one volume, one file on it.
struct TFileId {
  std::uint32_t volume = 0;  // the volume's serial number
  std::uint64_t file = 0;    // the file's index on that volume
  bool operator==(const TFileId&) const = default;
};

class FileIdentity : public Replaceable<FileIdentity> {
 public:
  static FileIdentity& Default();

  // The identity of an existing file or folder, links followed; nothing when it cannot be opened.
  virtual std::optional<TFileId> IdOf(const std::string& path) = 0;
  // The path of an existing file or folder with links, substituted drives and device forms
  // resolved, as a drive path ("C:\Windows") or a share path ("\\server\share\x"); empty when
  // the path cannot be opened.
  virtual std::string FinalPath(const std::string& path) = 0;
  // Whether the system opens name, one component of a path, as a device (NUL, COM9) rather than
  // as a file.
  virtual bool IsDeviceName(const std::string& name) = 0;
};

// The names every version of Windows may take for a device: CON, PRN, AUX, NUL, CONIN$,
// CONOUT$, COM0-9 and LPT0-9 with the superscript digits 1-3 too (as Windows-1252 or UTF-8
// bytes), whatever follows a dot, and with blanks before the dot.
bool IsReservedDeviceName(std::string_view name);

}  // namespace platform
