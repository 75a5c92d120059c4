#include "text/Paths.h"

namespace fw {
namespace {
size_t LastSeparator(std::string_view path) {
  return path.find_last_of("\\/:");
}
}  // namespace

std::string ExtractFileDir(std::string_view path) {
  size_t sep = LastSeparator(path);
  if (sep == std::string_view::npos) return {};
  if (path[sep] == ':' || (sep == 2 && path[1] == ':')) return std::string(path.substr(0, sep + 1));
  return std::string(path.substr(0, sep));
}

std::string ExtractFileName(std::string_view path) {
  size_t sep = LastSeparator(path);
  return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

}  // namespace fw
