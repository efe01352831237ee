#include "platform/title.h"

std::string TitleFromPath(std::string_view path, std::string_view separators) {
  const std::size_t separator = path.find_last_of(separators);
  std::string_view name = separator == std::string_view::npos ? path : path.substr(separator + 1);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string_view::npos) name = name.substr(0, dot);
  return std::string(name);
}
