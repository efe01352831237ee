#include "model/regular_file.h"

#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "platform/utf16.h"

namespace {

// Binary mode: text mode would drop the CR of every CR LF and end the file at
// its first byte 0x1A.
std::FILE* OpenForReading(const std::string& path) {
  std::u16string utf16;
  if (Utf16FromUtf8(path, utf16)) {
    // The name that the UTF-8 spells: wchar_t holds UTF-16 on Windows.
    const std::wstring wide(utf16.begin(), utf16.end());
    return _wfopen(wide.c_str(), L"rb");
  }
  // Not UTF-8: the bytes in the ANSI code page, as files written in it name them.
  return std::fopen(path.c_str(), "rb");
}

}  // namespace

OwnedFile OpenRegularFile(const std::string& path) {
  // No file name holds a NUL byte; the system would cut the name there and
  // open another file.
  if (path.find('\0') != std::string::npos) return nullptr;
  OwnedFile file(OpenForReading(path));
  if (!file) return nullptr;
  // Devices (CON, NUL, COM1) and pipes open like files but are none.
  struct _stat64 info {};
  if (_fstat64(_fileno(file.get()), &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG) return nullptr;
  return file;
}
