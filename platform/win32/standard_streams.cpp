#include "platform/win32/standard_streams.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

void WriteStandardOutputAsBinary() { _setmode(_fileno(stdout), _O_BINARY); }

bool HasStandardError() {
  const HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
  return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}
