#include "platform/win32/system_error.h"

#include <windows.h>

#include <cwchar>

#include "platform/win32/utf8.h"

std::string SystemFailure(const char* what) {
  const DWORD code = GetLastError();
  std::string text = std::string(what) + " failed";
  wchar_t* message = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
      reinterpret_cast<wchar_t*>(&message), 0, nullptr);
  if (length != 0 && message != nullptr) {
    // Without the line end and the full stop that the system's messages carry.
    std::wstring wide(message, length);
    while (!wide.empty() && std::wcschr(L"\r\n .", wide.back()) != nullptr) wide.pop_back();
    text += ": " + Utf8FromWide(wide);
  }
  if (message != nullptr) LocalFree(message);
  return text + " (error " + std::to_string(code) + ")";
}
