#include "model/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

OwnedFile OpenRegularFile(const std::string& path) {
  // No file name holds a NUL byte; the system would cut the name there and
  // open another file.
  if (path.find('\0') != std::string::npos) return nullptr;
  // O_NONBLOCK so that opening a pipe without a writer does not wait; it is
  // refused below anyway, and a regular file ignores the flag.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  std::FILE* file = ::fdopen(fd, "rb");
  if (file == nullptr) ::close(fd);
  return OwnedFile(file);
}
