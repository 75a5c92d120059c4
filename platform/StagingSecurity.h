// The Windows side of the staging folders' security: the descriptor they are made with and the
// check that a folder's security is as private as that. Its tests call these directly, because a
// system under test may keep no access lists on files.
#pragma once

#include <windows.h>

namespace platform {

// Owned by the administrators; a protected access list (nothing inherited from the temporary
// folder, which every process of the user can write, elevated or not) that allows everything to
// the administrators and the system alone, inherited by all that is made inside.
inline constexpr char kStagingSecurity[] = "O:BAD:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)";

// Whether a descriptor is that private: its owner the administrators or the system (which no
// process without their rights can arrange), its access list protected and every entry of it
// allowing one of them.
bool IsPrivateSecurity(PSECURITY_DESCRIPTOR descriptor);

// Whether the file system keeps the owner and access list given to a file. Wine does not: it
// turns them into Unix permissions and reports the user as the owner of every file.
bool FilesKeepAccessLists();

}  // namespace platform
