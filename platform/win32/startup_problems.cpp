#include "platform/startup_problems.h"

#include <windows.h>

#include "platform/win32/screen_window.h"
#include "platform/win32/standard_streams.h"
#include "platform/win32/utf8.h"

void ShowStartupProblems(const std::string& lines) {
  const HWND window = ScreenWindow();
  if (HasStandardError() || window == nullptr || lines.empty()) return;
  std::string text = lines;
  while (!text.empty() && text.back() == '\n') text.pop_back();
  // The window's caption, so that the box says whose lines these are.
  wchar_t title[256] = L"";
  GetWindowTextW(window, title, static_cast<int>(sizeof title / sizeof title[0]));
  // Owned by the window: it stays in front of it, and the window takes no
  // input until the box is closed.
  MessageBoxW(window, WideFromUtf8(text).c_str(), title, MB_OK | MB_ICONWARNING);
}
