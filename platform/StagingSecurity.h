// The Windows side of the staging folders: the security they are made with, the check that a
// folder is one of them, and staging over another root. Its tests call these directly, because a
// system under test may keep no access lists on files.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "platform/Staging.h"

namespace platform {

// Owned by the administrators; a protected access list (nothing inherited from the folder above)
// that allows everything to the administrators and the system alone, inherited by all that is
// made inside. The root of the staging folders is made with it too.
inline constexpr char kStagingSecurity[] = "O:BAD:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)";

// Whether a descriptor is that private: its owner the administrators or the system (which no
// process without their rights can arrange), its access list protected and every entry of it
// allowing one of them.
bool IsPrivateSecurity(PSECURITY_DESCRIPTOR descriptor);

// Why a folder with these attributes and this security may not hold staging folders, or be one:
// "is a link", "is not a folder", "may be changed by others than the administrators"; empty for
// a private folder. descriptor is null where the file system keeps no access lists.
std::string PrivateFolderRefusal(DWORD attributes, PSECURITY_DESCRIPTOR descriptor);

// Whether the file system keeps the owner and access list given to a file. Wine does not: it
// turns them into Unix permissions and reports the user as the owner of every file.
bool FilesKeepAccessLists();

// Staging folders below another root than the program's own, for tests.
std::unique_ptr<Staging> NewStaging(const std::string& root);

}  // namespace platform
