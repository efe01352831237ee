#include "platform/sdl2/window_focus.h"

#include <SDL_syswm.h>

#if defined(SDL_VIDEO_DRIVER_X11)

namespace {

int IgnoreXError(Display*, XErrorEvent*) { return 0; }

}  // namespace

void TakeKeyboardFocus(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return;
  Display* display = info.info.x11.display;
  const ::Window xWindow = info.info.x11.window;
  // A window manager may still be framing the window; focusing a window that
  // is not viewable is an X error, which by default ends the program.
  XSync(display, False);
  const XErrorHandler previous = XSetErrorHandler(IgnoreXError);
  XWindowAttributes attributes;
  if (XGetWindowAttributes(display, xWindow, &attributes) != 0 && attributes.map_state == IsViewable) {
    // When the window goes, the focus follows the pointer again rather than
    // going nowhere.
    XSetInputFocus(display, xWindow, RevertToPointerRoot, CurrentTime);
  }
  XSync(display, False);
  XSetErrorHandler(previous);
}

#else

void TakeKeyboardFocus(SDL_Window*) {}

#endif
