#include "platform/current_directory.h"

#include <windows.h>

#include <vector>

#include "platform/win32/utf8.h"

std::string CurrentDirectory() {
  // Asked in UTF-16: the ANSI code page cannot spell every name. The size
  // asked for may be too small again if another thread changes the directory
  // meanwhile; this program has none that does.
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0) return std::string();
    // A name held whole comes back as its length, one that does not fit as the size it needs.
    if (length < buffer.size()) return Utf8FromWide(std::wstring(buffer.data(), length));
    buffer.resize(length);
  }
}
