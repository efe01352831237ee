#include "platform/win32/display_awake.h"

#include <windows.h>

namespace {

// The setting found at opening (TRUE or FALSE), or kNothingSaved.
constexpr int kNothingSaved = -1;
int savedScreenSaver = kNothingSaved;

}  // namespace

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
