#include "platform/executable_path.h"

#include <unistd.h>

#include <vector>

std::string ExecutablePath() {
  // readlink does not say how long the path is, only whether it fitted.
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return std::string();
    if (static_cast<std::size_t>(length) < buffer.size()) return std::string(buffer.data(), static_cast<std::size_t>(length));
    buffer.resize(buffer.size() * 2);
  }
}
