#include "platform/win32/timer_resolution.h"

#include <windows.h>
#include <mmsystem.h>

namespace {

constexpr UINT kTickMs = 1;
bool raised = false;

}  // namespace

void RaiseTimerResolution() {
  if (!raised) raised = timeBeginPeriod(kTickMs) == TIMERR_NOERROR;
}

void RestoreTimerResolution() {
  if (!raised) return;
  timeEndPeriod(kTickMs);  // each raise is paired with exactly one restore
  raised = false;
}
