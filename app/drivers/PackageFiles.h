// File work shared by export, verify and restore of driver packages, through the platform's file
// system: hashing a file, listing a folder tree, making a folder path, reading a small file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileNames.h"
#include "text/AsciiCase.h"

// The ASCII words of command lines and INF files compare in ASCII letter case.
using fw::UpperAscii;

// How package paths and names compare: as the file system compares names, a key for sets and
// maps, and the comparison of two names.
using platform::FileNameKey;
using platform::SameFileName;

struct THashedFile {
  bool read = false;  // false: the file could not be opened or read
  std::string sha256;
  std::uint64_t size = 0;
};
THashedFile HashFile(const std::string& path);

// The files below a folder, relative to it ("sub\name.ext"), folders first met first.
std::vector<std::string> ListFileTree(const std::string& folder);

// Creates the folder and any missing parents; false when one could not be created.
bool CreateFolderPath(const std::string& path);

// A whole file of at most maxBytes; nothing when it cannot be read or is larger. The size is
// asked first: a larger file is never read.
std::optional<std::string> ReadSmallFile(const std::string& path, size_t maxBytes);

// Folder and relative path joined with one "\".
std::string JoinPath(const std::string& folder, const std::string& relative);

// Whether a relative path passes through a link on its way down from folder: what lies behind
// one is not the folder's.
bool PassesThroughLink(const std::string& folder, const std::string& relative);

// Whether path lies in folder or below it, both made absolute, letter case ignored as the file
// system ignores it.
bool PathIsInside(const std::string& path, const std::string& folder);
