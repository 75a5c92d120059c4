// Which files of its package an INF installs, read as the system's installer reads them for one
// processor architecture: the catalog from [Version], the files the install sections of its
// models copy, and where in the package each one lies by [SourceDisksFiles] and
// [SourceDisksNames] (the architecture's decorated sections first). Restore uses it to refuse a
// package whose INF would take files from outside it; export uses it to lay a package out the way
// its INF expects.
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum class TInfArch { X86, Amd64, Arm64 };

// The architecture of a decoration name ("x86", "amd64", "arm64", any letter case); x86 for any
// other name, as the system's own processor names go.
TInfArch ArchNamed(std::string_view name);
// The architecture of the system's drivers, which the installer reads an INF for.
TInfArch DriverArch();

struct TInfProblem {
  std::string path;    // the file or path as the INF writes it
  std::string reason;  // "leads out of the package", ...; empty when there is no problem
  std::string Text() const { return path + " " + reason; }
};

struct TInfSourceFile {
  std::string name;     // the file's name as the INF lists it
  std::string path;     // its place in the package ("amd64\name.sys"); empty when it has none
  bool copied = false;  // whether installing copies it (the INF may list files it never uses)
  // Why the installer could not take it from the package: its path leads out of it (and path is
  // empty), or its disk is not listed (and path is the one it has without the disk's folder).
  TInfProblem problem;
};

struct TInfSources {
  // The catalog the INF names for the architecture, as a path in the package; empty when none,
  // or when its path is unusable (catalogProblem says why; it is among the problems too).
  std::string catalog;
  TInfProblem catalogProblem;
  // Every file [SourceDisksFiles] lists for the architecture and every INF that CopyINF names,
  // each once.
  std::vector<TInfSourceFile> files;
  // INFs named by Include=: the system's own, whose files are the system's to supply.
  std::vector<std::string> includes;
  // The places in the package of the INFs CopyINF names, which are installed with this one.
  std::vector<std::string> copyInfs;
  // What installing would take from outside the package or from a place the INF does not say:
  // the catalog's, the included INFs', every listed file's and the copied files' problems.
  std::vector<TInfProblem> problems;
};

// Reads an INF's bytes (UTF-16 with its byte-order mark, UTF-8 or ANSI).
//
// The install sections are those of every models section the architecture may use (on x86 also
// the undecorated one), each in its most specific decorated form (.NT<arch>, .NT, none) with its
// .CoInstallers part, and DefaultInstall and ClassInstall32; all OS-version variants are taken,
// because the version the package will meet is not known. Needs= names a section of an included
// system INF; when the INF has a section of that name itself, the system reads that one, so it is
// read here too. A file copied that the INF's own [SourceDisksFiles] does not list is a problem,
// unless the INF includes system INFs: then it is one of their files, named without a path. A
// path still holding a "%" after the strings are replaced is one the system expands (a directory
// id such as %24%), a file from a cabinet is not in the package, and a LayoutFile takes files
// from the system's own media: each is a problem.
//
// The strings are those of the INF's first string table.
TInfSources ReadInfSources(const std::string& infBytes, TInfArch arch);
// The same, once for each of the INF's string tables (see TInfText::StringTables).
std::vector<TInfSources> ReadInfVariants(const std::string& infBytes, TInfArch arch);
