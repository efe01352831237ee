#include "platform/executable_path.h"

#include <windows.h>

#include <vector>

#include "platform/win32/utf8.h"

std::string ExecutablePath() {
  // A path that does not fit comes back cut, with the whole buffer used; the
  // size it needs is not told.
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::string();
    if (length < buffer.size()) return Utf8FromWide(std::wstring(buffer.data(), length));
    if (buffer.size() >= 1 << 16) return std::string();  // no path is that long
    buffer.resize(buffer.size() * 2);
  }
}
