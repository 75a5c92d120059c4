// The console side of the package commands: what the front-end hands on to the window program,
// and how a run the user stops ends.
#include <gtest/gtest.h>

#include <vector>

#include "DriverFakes.h"
#include "app/console/CommandArguments.h"
#include "app/drivers/PackageCommand.h"
#include "app/drivers/PackageFiles.h"
#include "app/drivers/PackageManifest.h"

namespace {

TEST(CommandArgumentsTest, WhatFollowsTheProgramsName) {
  struct Case {
    std::wstring_view commandLine, arguments;
  };
  const Case kCases[] = {
      {L"", L""},
      {L"DriverKeeper", L""},
      {L"DriverKeeper   ", L""},
      {L"DriverKeeper /verify C:\\pk", L"/verify C:\\pk"},
      {L"DriverKeeper\t\t/verify\tC:\\pk", L"/verify\tC:\\pk"},
      {L"  DriverKeeper /x", L"/x"},
      // Quotes and blanks inside the arguments are handed on as typed.
      {L"\"C:\\Program Files\\Driver Keeper\\DriverKeeper.com\"  /skin \"Night Ember\" ",
       L"/skin \"Night Ember\" "},
      // The name goes on after its closing quote up to a blank, as SplitCommandLine reads it.
      {L"\"C:\\a b\\dk\"x /y", L"/y"},
      {L"\"C:\\a b\\dk /y", L""},
      {L"dk \"\"", L"\"\""},
  };
  for (const Case& c : kCases)
    EXPECT_EQ(ArgumentsAfterProgram(c.commandLine), c.arguments)
        << testing::PrintToString(std::wstring(c.commandLine));
  // A name that fills its buffer: nothing after it is read (the sanitizer build would see it).
  std::vector<wchar_t> exact = {L'd', L'k'};
  EXPECT_EQ(ArgumentsAfterProgram(std::wstring_view(exact.data(), exact.size())), L"");
}

// Two sound packages, A and B, listed in that order.
struct TwoPackages : testing_support::FakeMachine {
  TwoPackages() {
    for (const char* name : {"A", "B"}) {
      std::string folder = std::string("D:\\Pk\\") + name + "\\";
      TPackageManifest manifest;
      manifest.device = name;
      manifest.inf = std::string(name) + ".inf";
      manifest.source = "files";
      for (const std::string& file : {manifest.inf, std::string(name) + ".sys"}) {
        files.AddFile(folder + file, "bytes of " + file);
        THashedFile hashed = HashFile(folder + file);
        manifest.files.push_back({file, hashed.sha256, hashed.size});
      }
      files.AddFile(folder + kManifestName, FormatManifest(manifest));
    }
  }
};

// A stop asked for before the run is over ends it there: the summary says so and the run fails,
// also when every package it finished succeeded.
TEST(PackageCommandCancelTest, SummaryAndExitCode) {
  struct Case {
    size_t stopAfterLines;  // the check answers yes once this many lines are out
    std::vector<std::string> lines;
    int exitCode;
  };
  const Case kCases[] = {
      {99,
       {"OK    A: verified 2 files", "OK    B: verified 2 files", "2 packages, 0 failed."},
       kExitSuccess},
      {1, {"OK    A: verified 2 files", "1 packages, 0 failed, then cancelled."}, kExitFailed},
  };
  for (const Case& c : kCases) {
    TwoPackages machine;
    std::vector<std::string> lines;
    int code = RunPackageCommand(
        ParsePackageCommand({"/verify", "D:\\Pk"}),
        [&](const std::string& line) { lines.push_back(line); },
        [&] { return lines.size() >= c.stopAfterLines; });
    EXPECT_EQ(lines, c.lines) << c.stopAfterLines;
    EXPECT_EQ(code, c.exitCode) << c.stopAfterLines;
  }
}

}  // namespace
