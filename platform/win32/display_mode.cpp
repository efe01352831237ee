#include "platform/win32/display_mode.h"

#include <windows.h>

#include <atomic>

namespace {

std::atomic<bool> changed{false};

}  // namespace

bool ChangeDisplayMode(int width, int height, int bitsPerPixel) {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  mode.dmPelsWidth = static_cast<DWORD>(width);
  mode.dmPelsHeight = static_cast<DWORD>(height);
  mode.dmBitsPerPel = static_cast<DWORD>(bitsPerPixel);
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;  // the refresh rate stays the display's choice
  if (ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL) return false;
  changed = true;
  return true;
}

void RestoreDesktopMode() {
  if (changed.exchange(false)) ChangeDisplaySettingsA(nullptr, 0);
}
