#include "app/core/WorkFolder.h"

#include <optional>

#include "app/core/UtilFuncs.h"
#include "platform/FileIdentity.h"
#include "platform/FileSystem.h"
#include "platform/Host.h"
#include "text/Paths.h"

void EnterWorkFolder() {
  platform::FileSystem& files = platform::FileSystem::Current();
  std::string programFolder = fw::ExtractFileDir(platform::CurrentHost().ExecutablePath());
  if (!platform::FileExists(AddTrailingBackslash(programFolder) + kInstalledSign)) return;
  // The same folder by whatever name it was reached: a short name, another letter case.
  platform::FileIdentity& identity = platform::FileIdentity::Current();
  std::optional<platform::TFileId> current = identity.IdOf(files.CurrentDirectory());
  if (!current || current != identity.IdOf(programFolder)) return;
  std::string documents = files.DocumentsDirectory();
  if (documents.empty()) return;
  std::string folder = AddTrailingBackslash(documents) + kDocumentsFolderName;
  if (!files.DirectoryExists(folder) && !files.CreateFolder(folder)) return;
  files.ChangeDirectory(folder);
}

std::string InWorkFolder(std::string_view entry) {
  return AddTrailingBackslash(platform::FileSystem::Current().CurrentDirectory()) +
         std::string(entry);
}
