#include "measure/Details.h"

namespace tq {

std::string DelimiterFromField(std::string_view field) {
  if (field.empty() || field.front() == ' ') return ";";
  return std::string(1, field.front());
}

std::string DefaultPathFromField(std::string_view field) {
  std::string path(field.substr(0, 128));
  if (path.empty() || path.back() != '\\') path += '\\';
  // Cut to 64 characters without losing the backslash every file name is appended to.
  if (path.size() > 64) path = path.substr(0, 63) + '\\';
  return path;
}

}  // namespace tq
