// The folder the program writes into: a copy that was installed and started in its own folder
// moves into the user's documents, any other start keeps the folder it was given.
#include <gtest/gtest.h>

#include "app/core/WorkFolder.h"
#include "platform/FileIdentityMemory.h"
#include "platform/FileSystemMemory.h"
#include "support/FakeHost.h"

namespace {

const char kProgram[] = "C:\\Program Files\\Driver Keeper";
const char kDocuments[] = "C:\\Users\\Ann\\Documents";
const char kMoved[] = "C:\\Users\\Ann\\Documents\\Driver Keeper";

struct WorkFolderTest : ::testing::Test {
  WorkFolderTest() {
    host.exePath = std::string(kProgram) + "\\DriverKeeper.exe";
    files.AddFile(host.exePath, "exe");
    files.AddFolder(kDocuments);
  }
  void Install() { files.AddFile(std::string(kProgram) + "\\uninstall.exe", "setup"); }

  testing_support::FakeHost host;
  platform::MemoryFileSystem files;
  platform::MemoryFileIdentity ids;
  platform::ScopedInstall<platform::FileSystem> useFiles{files};
  platform::ScopedInstall<platform::FileIdentity> useIds{ids};
};

TEST_F(WorkFolderTest, OnlyAnInstalledCopyStartedInItsOwnFolderMovesIntoTheDocuments) {
  struct Row {
    const char* what;
    bool installed;
    std::string startedIn, documents, expected;
  };
  const std::string shortName = "C:\\PROGRA~1\\DRIVER~1";
  ids.AddLink(shortName, kProgram);
  files.AddFolder("C:\\Work");
  files.AddFolder("C:\\Locked");
  files.SetReadOnly("C:\\Locked");
  const Row rows[] = {
      {"installed, its shortcut", true, kProgram, kDocuments, kMoved},
      {"installed, its folder by another name", true, shortName, kDocuments, kMoved},
      {"installed, its folder in other letters", true, "c:\\program files\\DRIVER KEEPER",
       kDocuments, kMoved},
      {"installed, a documents folder given with a trailing backslash", true, kProgram,
       std::string(kDocuments) + "\\", kMoved},
      {"unpacked, started in its folder", false, kProgram, kDocuments, kProgram},
      {"installed, started in another folder", true, "C:\\Work", kDocuments, "C:\\Work"},
      {"installed, no documents folder known", true, kProgram, "", kProgram},
      {"installed, documents that cannot be written", true, kProgram, "C:\\Locked", kProgram},
      {"installed, documents that do not exist", true, kProgram, "C:\\Users\\Bob\\Documents",
       kProgram},
  };
  for (const Row& row : rows) {
    files.Remove(kMoved);
    files.Remove(std::string(kProgram) + "\\uninstall.exe");
    if (row.installed) Install();
    files.currentDirectory = row.startedIn;
    files.documentsDirectory = row.documents;
    EnterWorkFolder();
    EXPECT_EQ(files.CurrentDirectory(), row.expected) << row.what;
    EXPECT_EQ(files.DirectoryExists(kMoved), row.expected == kMoved) << row.what;
  }
}

TEST_F(WorkFolderTest, AFolderMadeEarlierIsEnteredWithWhatItHolds) {
  Install();
  files.currentDirectory = kProgram;
  const std::string kept = std::string(kMoved) + "\\BackUp\\Drivers\\Disk\\disk.sys";
  files.AddFile(kept, "old backup");
  EnterWorkFolder();
  EXPECT_EQ(files.CurrentDirectory(), kMoved);
  EXPECT_EQ(files.Content(kept), "old backup");
  EXPECT_EQ(InWorkFolder("BackUp\\"), std::string(kMoved) + "\\BackUp\\");
}

TEST_F(WorkFolderTest, AFileInThePlaceOfTheFolderOrOfTheSignIsNoFolderAndNoInstall) {
  files.currentDirectory = kProgram;
  files.AddFile(kMoved, "a file of the user's");
  Install();
  EnterWorkFolder();
  EXPECT_EQ(files.CurrentDirectory(), kProgram);
  EXPECT_EQ(files.Content(kMoved), "a file of the user's");

  files.Remove(kMoved);
  files.Remove(std::string(kProgram) + "\\uninstall.exe");
  files.AddFolder(std::string(kProgram) + "\\uninstall.exe");
  EnterWorkFolder();
  EXPECT_EQ(files.CurrentDirectory(), kProgram) << "a folder of that name is not the uninstaller";
}

TEST_F(WorkFolderTest, EntriesOfTheWorkFolderAreNamedFromTheCurrentFolder) {
  files.AddFolder("D:\\Saved");
  ASSERT_TRUE(files.ChangeDirectory("D:\\Saved\\"));
  EXPECT_FALSE(files.ChangeDirectory("D:\\Gone"));
  EXPECT_EQ(files.LastErrorText(), "The system cannot find the path specified.");
  EXPECT_EQ(InWorkFolder("BackUp\\"), "D:\\Saved\\BackUp\\");
  EXPECT_EQ(InWorkFolder("Packages"), "D:\\Saved\\Packages");
  files.currentDirectory = "D:\\";
  EXPECT_EQ(InWorkFolder("BackUp\\"), "D:\\BackUp\\") << "a drive's root has its backslash once";
}

}  // namespace
