#include "model/regular_file.h"

#include <sys/stat.h>

OwnedFile OpenRegularFile(const std::string& path) {
  // No file name holds a NUL byte; the system would cut the name there and
  // open another file.
  if (path.find('\0') != std::string::npos) return nullptr;
  // The name's bytes as given. Binary mode: text mode would drop the CR of
  // every CR LF and end the file at its first byte 0x1A.
  OwnedFile file(std::fopen(path.c_str(), "rb"));
  if (!file) return nullptr;
  // Devices (CON, NUL, COM1) and pipes open like files but are none.
  struct _stat64 info {};
  if (_fstat64(_fileno(file.get()), &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG) return nullptr;
  return file;
}
