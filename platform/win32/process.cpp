#include "platform/process.h"

#include <windows.h>

#include <vector>

#include "platform/win32/display_state.h"
#include "platform/win32/standard_streams.h"
#include "platform/win32/utf8.h"

// No later handle takes a standard stream's place, and only the window can be
// asked to end a windowed program: the streams are all there is to set up.
void PrepareProcess() { SetUpStandardStreams(); }

void ShowStartupProblems(const std::string& lines) {
  const HWND window = ScreenWindow();
  if (HasStandardError() || window == nullptr || lines.empty()) return;
  std::string text = lines;
  while (!text.empty() && text.back() == '\n') text.pop_back();
  // The window's caption, so that the box says whose lines these are.
  wchar_t title[256] = L"";
  GetWindowTextW(window, title, static_cast<int>(sizeof title / sizeof title[0]));
  // Owned by the window: in front of it, which takes no input until it is closed.
  MessageBoxW(window, WideFromUtf8(text).c_str(), title, MB_OK | MB_ICONWARNING);
}

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

std::string CurrentDirectory() {
  // In UTF-16: the ANSI code page cannot spell every name. No other thread
  // changes the directory, so the size asked for fits on the second call.
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0) return std::string();
    // A name held whole comes back as its length, one that does not fit as the size it needs.
    if (length < buffer.size()) return Utf8FromWide(std::wstring(buffer.data(), length));
    buffer.resize(length);
  }
}
