#include "platform/current_directory.h"

#include <unistd.h>

#include <cerrno>
#include <vector>

std::string CurrentDirectory() {
  // The name's bytes as the system keeps them; a longer name than the buffer
  // holds asks for a larger one.
  std::vector<char> buffer(256);
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE || buffer.size() >= std::size_t{1} << 20) return std::string();
    buffer.resize(buffer.size() * 2);
  }
  return std::string(buffer.data());
}
