#include "app/drivers/PackageManifest.h"

#include <algorithm>
#include <array>
#include <set>

#include "app/drivers/PackageFiles.h"
#include "platform/FileNames.h"
#include "text/IniText.h"
#include "text/TextLines.h"

namespace {

// Longest relative path taken, so that folder and path stay within the system's path limit.
const size_t kMaxRelativePath = 200;

std::string UnsafePart(std::string_view part) {
  if (part.empty()) return "has an empty folder name";
  if (part == "." || part == "..") return "leads out of the package folder";
  for (unsigned char c : part)
    if (c < 32 || std::string_view("<>:\"/|?*").find(static_cast<char>(c)) != std::string::npos)
      return "holds a character file names cannot have";
  // Before the rule on the name's end, which would hide that "AUX ." is a device.
  if (platform::NamesDevice(std::string(part))) return "names a device";
  if (part.back() == '.' || part.back() == ' ') return "has a name ending in a dot or a blank";
  return {};
}

// Values are single lines; line breaks and other control characters become blanks.
std::string OneLine(std::string_view value) {
  std::string line(fw::TrimControl(value));
  for (char& c : line)
    if (static_cast<unsigned char>(c) < 32) c = ' ';
  return line;
}

bool IsHexDigest(std::string_view text) {
  return text.size() == 64 && std::all_of(text.begin(), text.end(), [](char c) {
           return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
         });
}

// A size in decimal digits, no sign, no larger than a package file may be.
bool ParseSize(std::string_view text, std::uint64_t& size) {
  if (text.empty() || text.size() > 15) return false;
  size = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    size = size * 10 + static_cast<unsigned>(c - '0');
  }
  return size <= kPackageFileMaxSize;
}

const char* const kPackageKeys[] = {"Device", "Class", "ClassGuid",   "Provider", "Version",
                                    "Date",   "Inf",   "OriginalInf", "Source"};
const int kOriginalInfKey = 7;

// The [Package] values in the order of kPackageKeys.
template <class Manifest>
auto PackageFields(Manifest& m) {
  return std::array{&m.device, &m.className, &m.classGuid,   &m.provider, &m.version,
                    &m.date,   &m.inf,       &m.originalInf, &m.source};
}

}  // namespace

std::string UnsafeRelativePath(std::string_view path) {
  if (path.empty()) return "is empty";
  if (path.size() > kMaxRelativePath) return "is too long";
  if (path.front() == '\\' || path.find(':') != std::string_view::npos)
    return "is not relative to the package folder";
  if (path.find('/') != std::string_view::npos) return "holds a \"/\"";
  // An INF's paths expand %...% (a directory id such as %24% is a system folder): a package file
  // named with a "%" could be taken for one.
  if (path.find('%') != std::string_view::npos) return "holds a \"%\"";
  // The manifest is INI text: a key cannot hold "=" or begin with what starts a comment or a
  // section, and its blanks at either end would be lost.
  if (path.find('=') != std::string_view::npos || path.front() == ';' || path.front() == '[' ||
      path.front() == ' ')
    return "cannot be written in the manifest";
  size_t start = 0;
  while (true) {
    size_t end = path.find('\\', start);
    std::string why = UnsafePart(path.substr(start, end - start));
    if (!why.empty()) return why;
    if (end == std::string_view::npos) return {};
    start = end + 1;
  }
}

std::string FormatManifest(const TPackageManifest& manifest) {
  std::string text = "[Package]\r\n";
  auto fields = PackageFields(manifest);
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i == kOriginalInfKey && fields[i]->empty()) continue;  // only when known
    text += std::string(kPackageKeys[i]) + "=" + OneLine(*fields[i]) + "\r\n";
  }
  text += "\r\n[Files]\r\n";
  for (const TPackageFile& file : manifest.files)
    text += file.path + "=" + file.sha256 + "," + std::to_string(file.size) + "\r\n";
  if (!manifest.missing.empty()) {
    text += "\r\n[Missing]\r\n";
    for (const TPackageMissing& missing : manifest.missing)
      text += OneLine(missing.path) + "=" + OneLine(missing.reason) + "\r\n";
  }
  return text;
}

TManifestRead ParseManifest(std::string_view text) {
  TManifestRead read;
  if (text.size() > kManifestMaxBytes) {
    read.error = "the manifest is too large";
    return read;
  }
  // Notepad starts the UTF-8 it saves with a byte order mark.
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  fw::IniText ini(fw::SplitLines(text), fw::NameCase::Insensitive);
  if (!ini.FindSection("Package") || !ini.FindSection("Files")) {
    read.error = "the manifest has no [Package] or no [Files] section";
    return read;
  }
  TPackageManifest& m = read.manifest;
  auto fields = PackageFields(m);
  for (size_t i = 0; i < fields.size(); ++i)
    *fields[i] = ini.ReadString("Package", kPackageKeys[i], "");
  std::string infWhy = UnsafeFileName(m.InstallInf());
  if (!infWhy.empty()) {
    read.error = "the INF name \"" + m.InstallInf() + "\" " + infWhy;
    return read;
  }
  std::set<std::string> seen;
  for (const auto& [path, value] : ini.FindSection("Files")->entries) {
    std::string why = UnsafeRelativePath(path);
    if (why.empty() && !seen.insert(FileNameKey(path)).second) why = "is listed twice";
    TPackageFile file{path, value.substr(0, value.find(',')), 0};
    if (why.empty() && (value.find(',') == std::string::npos || !IsHexDigest(file.sha256)))
      why = "has no valid SHA-256";
    if (why.empty() && !ParseSize(value.substr(value.find(',') + 1), file.size))
      why = "has no valid size";
    if (!why.empty()) {
      read.error = "the file \"" + path + "\" " + why;
      return read;
    }
    m.files.push_back(file);
  }
  if (const fw::IniText::Section* missing = ini.FindSection("Missing"))
    for (const auto& [path, reason] : missing->entries) m.missing.push_back({path, reason});
  return read;
}

std::string UnsafeFileName(const std::string& name) {
  std::string why = UnsafeRelativePath(name);
  if (why.empty() && name.find('\\') != std::string::npos) why = "names a sub-folder";
  return why;
}
