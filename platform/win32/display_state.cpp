#include "platform/win32/display_state.h"

#include <windows.h>
#include <mmsystem.h>

namespace {

bool modeChanged = false;

// The screen-saver setting found at opening (TRUE or FALSE), or kNothingSaved.
constexpr int kNothingSaved = -1;
int savedScreenSaver = kNothingSaved;

constexpr UINT kTickMs = 1;
bool timerRaised = false;

}  // namespace

bool ChangeDisplayMode(int width, int height, int bitsPerPixel) {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  mode.dmPelsWidth = static_cast<DWORD>(width);
  mode.dmPelsHeight = static_cast<DWORD>(height);
  mode.dmBitsPerPel = static_cast<DWORD>(bitsPerPixel);
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;  // the refresh rate stays the display's choice
  // Noted first: a restore from any window the change sends its messages to must undo it.
  modeChanged = true;
  if (ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL) return true;
  modeChanged = false;
  return false;
}

void RestoreDesktopMode() {
  if (!modeChanged) return;
  modeChanged = false;
  ChangeDisplaySettingsA(nullptr, 0);
}

void KeepDisplayOn() {
  BOOL active = FALSE;
  // Kept from the first opening attempt: later ones find it off already.
  if (savedScreenSaver == kNothingSaved && SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0)) {
    savedScreenSaver = active ? TRUE : FALSE;
    SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, FALSE, nullptr, 0);
  }
  SetThreadExecutionState(ES_CONTINUOUS | ES_DISPLAY_REQUIRED);
}

void LetDisplayOff() {
  SetThreadExecutionState(ES_CONTINUOUS);
  if (savedScreenSaver == kNothingSaved) return;
  SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, static_cast<UINT>(savedScreenSaver), nullptr, 0);
  savedScreenSaver = kNothingSaved;
}

void RaiseTimerResolution() {
  if (!timerRaised) timerRaised = timeBeginPeriod(kTickMs) == TIMERR_NOERROR;
}

void RestoreTimerResolution() {
  if (!timerRaised) return;
  timeEndPeriod(kTickMs);  // each raise is paired with exactly one restore
  timerRaised = false;
}
