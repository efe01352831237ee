// Prints, in UTF-8, the text of the message box that bears the caption given
// as the argument: what X cannot show of a box that Windows draws itself.
// Run under Wine beside the viewer by the e2e tests. Exits 1 when there is no
// such box.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

BOOL CALLBACK AppendStaticText(HWND child, LPARAM textPointer) {
  wchar_t className[16] = L"";
  GetClassNameW(child, className, 16);
  if (lstrcmpiW(className, L"Static") != 0) return TRUE;
  wchar_t text[4096] = L"";
  GetWindowTextW(child, text, 4096);
  *reinterpret_cast<std::wstring*>(textPointer) += text;
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  // A message box is a dialog: of the standard dialog class.
  const HWND box = FindWindowA("#32770", argv[1]);
  if (box == nullptr) return 1;
  std::wstring text;
  EnumChildWindows(box, AppendStaticText, reinterpret_cast<LPARAM>(&text));
  const int length = static_cast<int>(text.size());
  std::string utf8(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), length, utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  return 0;
}
