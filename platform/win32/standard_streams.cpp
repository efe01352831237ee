#include "platform/win32/standard_streams.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

void WriteStandardOutputAsBinary() { _setmode(_fileno(stdout), _O_BINARY); }

bool HasStandardError() {
  static const bool given = [] {
    const HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
    // A value passed on without its handle names nothing.
    SetLastError(NO_ERROR);
    const DWORD type = GetFileType(handle);
    if (type == FILE_TYPE_UNKNOWN && GetLastError() != NO_ERROR) return false;
    // Nor does a directory, which takes no text. Wine gives one to a program
    // started with its standard error closed: the descriptor was taken again,
    // for the current directory, before the handles were made.
    FILE_STANDARD_INFO information{};
    return type != FILE_TYPE_DISK ||
           !GetFileInformationByHandleEx(handle, FileStandardInfo, &information, sizeof information) ||
           !information.Directory;
  }();
  return given;
}
