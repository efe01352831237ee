#include "platform/win32/standard_streams.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

namespace {

// Whether the standard handle is a file or a pipe that the stream was
// redirected to, as inherited handles are.
bool IsFileOrPipe(DWORD which) {
  const HANDLE handle = GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
  // A value passed on without its handle gives FILE_TYPE_UNKNOWN; a console
  // gives FILE_TYPE_CHAR.
  const DWORD type = GetFileType(handle);
  if (type == FILE_TYPE_PIPE) return true;
  if (type != FILE_TYPE_DISK) return false;
  // A directory takes no text. Wine gives one to a program started with its
  // standard error closed: the descriptor was taken again, for the current
  // directory, before the handles were made.
  FILE_STANDARD_INFO information{};
  return !GetFileInformationByHandleEx(handle, FileStandardInfo, &information, sizeof information) ||
         !information.Directory;
}

}  // namespace

void SetUpStandardStreams() {
  // A windowed program started from a console may hold that console's
  // handles without being attached to it. The console does not wait for such
  // a program: its text would spill over the prompt of whatever runs next.
  if (!IsFileOrPipe(STD_OUTPUT_HANDLE)) std::freopen("NUL", "wb", stdout);
  if (!HasStandardError()) std::freopen("NUL", "w", stderr);
  _setmode(_fileno(stdout), _O_BINARY);
}

bool HasStandardError() {
  static const bool given = IsFileOrPipe(STD_ERROR_HANDLE);
  return given;
}
