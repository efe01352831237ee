#include "platform/win32/display_mode.h"

#include <windows.h>

namespace {

bool changed = false;

}  // namespace

bool ChangeDisplayMode(int width, int height, int bitsPerPixel) {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  mode.dmPelsWidth = static_cast<DWORD>(width);
  mode.dmPelsHeight = static_cast<DWORD>(height);
  mode.dmBitsPerPel = static_cast<DWORD>(bitsPerPixel);
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;  // the refresh rate stays the display's choice
  // Noted first, so that a restore at any point after the change began (the
  // change sends its messages to every window) undoes it; taken back when
  // the display refuses.
  changed = true;
  if (ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL) return true;
  changed = false;
  return false;
}

void RestoreDesktopMode() {
  if (!changed) return;
  changed = false;
  ChangeDisplaySettingsA(nullptr, 0);
}
