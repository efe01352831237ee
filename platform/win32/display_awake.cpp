#include "platform/win32/display_awake.h"

#include <windows.h>

#include <atomic>

namespace {

// The setting found at opening (TRUE or FALSE), or kNothingSaved. The
// console's handler thread may put it back while the main thread closes: the
// exchange lets exactly one of them do it.
constexpr int kNothingSaved = -1;
std::atomic<int> savedScreenSaver{kNothingSaved};

}  // namespace

void KeepDisplayOn() {
  BOOL active = FALSE;
  if (SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0)) {
    int none = kNothingSaved;
    // Kept from the first opening attempt: later ones find it off already.
    if (savedScreenSaver.compare_exchange_strong(none, active ? TRUE : FALSE)) {
      SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, FALSE, nullptr, 0);
    }
  }
  SetThreadExecutionState(ES_CONTINUOUS | ES_DISPLAY_REQUIRED);
}

void LetDisplayOff() {
  SetThreadExecutionState(ES_CONTINUOUS);
  RestoreScreenSaver();
}

void RestoreScreenSaver() {
  const int saved = savedScreenSaver.exchange(kNothingSaved);
  if (saved != kNothingSaved) SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, static_cast<UINT>(saved), nullptr, 0);
}
