#include "platform/win32/utf8.h"

#include <windows.h>

#include "platform/utf16.h"

std::string Utf8FromWide(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int length = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), length, result.data(), size, nullptr, nullptr);
  return result;
}

std::wstring WideFromUtf8(const std::string& text) {
  std::u16string utf16;
  Utf16FromUtf8(text, utf16);  // what is no UTF-8, a file name in a message among it, shows as U+FFFD
  return std::wstring(utf16.begin(), utf16.end());  // wchar_t holds UTF-16 on Windows
}
