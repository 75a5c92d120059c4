// What the system knows of a path beyond its text: which file or folder it really is, whichever
// name reaches it (a junction, a drive made with subst, an administrative share, a device path).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

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
};

}  // namespace platform
