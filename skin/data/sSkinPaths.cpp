#include "skin/data/sSkinPaths.h"

#include <charconv>

#include "skin/data/SkinText.h"

namespace {

// The folder of a path with its trailing "\" ("C:\a\b.exe" -> "C:\a\").
std::string FolderOf(std::string_view path) {
  size_t end = path.find_last_of("\\/:");
  return end == std::string_view::npos ? std::string() : std::string(path.substr(0, end + 1));
}

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

}  // namespace

std::string ResolveSkinFolder(std::string_view skinDirectory, std::string_view exePath) {
  std::string programFolder = FolderOf(exePath);
  std::string result(skinDirectory);
  if (result.starts_with("..")) {
    std::string_view withoutSeparator(programFolder);
    if (!withoutSeparator.empty() && IsSeparator(withoutSeparator.back()))
      withoutSeparator.remove_suffix(1);
    std::string parent = FolderOf(withoutSeparator);
    // At a drive root ("C:\dk.exe") there is no parent: "C:" would make "C:Skins", a path
    // relative to the drive's current folder, so the program's own folder is used.
    if (parent.empty() || !IsSeparator(parent.back())) parent = programFolder;
    size_t cut = result.size() > 2 && IsSeparator(result[2]) ? 3 : 2;
    result = parent + result.substr(cut);
  } else if (result.starts_with(".\\") || result.starts_with("./")) {
    result = programFolder + result.substr(2);
  }
  if (result.find(':') == std::string::npos && result.find("\\\\") == std::string::npos)
    result = programFolder + result;
  return result;
}

std::string WithTrailingSeparator(std::string_view path) {
  std::string result(path);
  if (result.empty() || result.back() == '\\') return result;
  if (result.back() == '/') {
    result.back() = '\\';
    return result;
  }
  return result + (result.size() == 1 ? ":\\" : "\\");
}

std::string SkinVersionText(double version) {
  char buffer[32];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, version);
  return error == std::errc() ? std::string(buffer, end) : std::string("0");
}

bool HasSwitch(const std::vector<std::string>& args, std::string_view name) {
  for (const std::string& arg : args)
    if (skin::SameTextAscii(arg, name)) return true;
  return false;
}

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  std::vector<std::string> args;
  std::string current;
  bool quoted = false, any = false;
  for (char c : commandLine) {
    if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (any) args.push_back(current);
      current.clear();
      any = false;
    } else {
      current += c;
      any = true;
    }
  }
  if (any) args.push_back(current);
  if (!args.empty()) args.erase(args.begin());
  return args;
}

std::string OldSkinNotice(std::string_view skinName) {
  return "You are using an old version of the \"" + std::string(skinName) +
         "\" skin. Please, update a skins to latest or link with the Velvane support for "
         "upgrading of existing skin.\r\n\r\n"
         "This notification occurs in design-time only for your information and will not occur "
         "in real-time.";
}
