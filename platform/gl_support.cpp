#include "platform/gl_support.h"

#include <cstring>

namespace {

// Reads the leading "major.minor" of a version string; false when it has none.
bool ParseVersion(const char* text, int& major, int& minor) {
  auto readNumber = [&text](int& value) {
    if (*text < '0' || *text > '9') return false;
    value = 0;
    while (*text >= '0' && *text <= '9') {
      if (value < 10000) value = value * 10 + (*text - '0');
      ++text;
    }
    return true;
  };
  if (!readNumber(major) || *text != '.') return false;
  ++text;
  return readNumber(minor);
}

}  // namespace

bool ListsExtension(const char* extensions, const char* name) {
  if (extensions == nullptr || name == nullptr || *name == '\0') return false;
  const std::size_t length = std::strlen(name);
  for (const char* at = std::strstr(extensions, name); at != nullptr; at = std::strstr(at + 1, name)) {
    const bool startsWord = at == extensions || at[-1] == ' ';
    const bool endsWord = at[length] == ' ' || at[length] == '\0';
    if (startsWord && endsWord) return true;
  }
  return false;
}

bool SupportsBgra(const char* version, const char* extensions) {
  int major = 0;
  int minor = 0;
  if (version != nullptr && ParseVersion(version, major, minor) && (major > 1 || (major == 1 && minor >= 2))) return true;
  return ListsExtension(extensions, "GL_EXT_bgra");
}
