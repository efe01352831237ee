// The screen operations that every window system answers alike, from the
// layer's window and key states.
#include "platform/screen.h"

#include <string>

#include "platform/key_states.h"
#include "platform/screen_layer.h"

namespace {

std::string lastError;
// The drawable's size that ScreenSizeChanged last gave.
int toldWidth = kScreenWidth;
int toldHeight = kScreenHeight;

}  // namespace

// Later attempts mostly fail as the first did, or for want of a full-screen mode.
bool FailOpening(const std::string& reason) {
  if (lastError.empty()) lastError = reason;
  return false;
}

int ScreenOpen(int mode, int colourDepth, int pageCount, int flags, int refreshRate) {
  // No visible effect on an OpenGL window, which is always 32-bit RGBA.
  (void)colourDepth;
  (void)pageCount;
  (void)refreshRate;
  if (ScreenIsOpen()) ScreenClose();
  lastError.clear();
  bool opened = false;
  if (mode != kModeVga) {
    lastError = "mode " + std::to_string(mode) + " names no window size";
  } else {
    const bool fullScreen = (flags & kFlagFullScreen) != 0;
    // The request as given twice, then twice in full screen.
    opened = TryOpening(fullScreen) || TryOpening(fullScreen) || TryOpening(true) || TryOpening(true);
  }
  EndOpening(opened);
  toldWidth = kScreenWidth;
  toldHeight = kScreenHeight;
  return opened ? 0 : 1;
}

const char* ScreenError() { return lastError.c_str(); }

void ScreenFlip() {
  const WindowState window = CurrentWindow();
  if (!window.open) return;
  PresentFrame();
  // Sampled before the events are taken in: a key pressed during frame k
  // reads as held from frame k + 2, and a tap taken in whole is never seen.
  if (window.active) SampleKeyboard();
  TakeWaitingEvents();
}

int KeyDown(int scancode) {
  const WindowState window = CurrentWindow();
  return window.open ? KeyStateAnswer(*window.keys, scancode) : 0;
}

bool ScreenSizeChanged(int& width, int& height) {
  const WindowState window = CurrentWindow();
  if (!window.open || (window.drawableWidth == toldWidth && window.drawableHeight == toldHeight)) return false;
  width = toldWidth = window.drawableWidth;
  height = toldHeight = window.drawableHeight;
  return true;
}

void ScreenClose() {
  if (ScreenIsOpen()) TearDownWindow();
}

bool ScreenIsOpen() { return CurrentWindow().open; }

bool ScreenIsFullScreen() {
  const WindowState window = CurrentWindow();
  return window.open && window.fullScreen;
}
