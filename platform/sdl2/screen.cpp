#include "platform/screen.h"

#include <GL/gl.h>
#include <SDL.h>

#include <initializer_list>
#include <string>

#include "platform/full_screen_refused.h"
#include "platform/gl_support.h"
#include "platform/key_map.h"
#include "platform/key_states.h"
#include "platform/process.h"
#include "platform/scancodes.h"
#include "platform/screen_layer.h"
#include "platform/sdl2/key_codes.h"
#include "platform/sdl2/termination.h"
#include "platform/sdl2/window_focus.h"
#include "platform/title.h"

namespace {

constexpr int kWidth = kScreenWidth;
constexpr int kHeight = kScreenHeight;

struct Screen {
  SDL_Window* window;
  SDL_GLContext context;
  int flags;                  // kFlagOpenGl, plus kFlagFullScreen while in full screen
  bool focused;
  bool minimised;
  bool active;                // focused and not minimised: only then is the keyboard sampled
  bool screenSaverWasEnabled;
  int drawableWidth;          // in pixels, from the last size change
  int drawableHeight;
  KeyStates keys;
};

Screen screen{};

bool IsFullScreen() { return (screen.flags & kFlagFullScreen) != 0; }

void ReadDrawableSize() { SDL_GL_GetDrawableSize(screen.window, &screen.drawableWidth, &screen.drawableHeight); }

// Each row's keys as the scan codes that carry them in the current layout:
// found at opening and again whenever the layout changes, not in every frame.
struct ResolvedKeys {
  SDL_Scancode key;
  SDL_Scancode secondKey;
};
ResolvedKeys resolvedKeys[kKeyMapRowCount];

void ResolveKeyMap() {
  for (int row = 0; row < kKeyMapRowCount; ++row) {
    resolvedKeys[row] = {SdlScancodeOf(kKeyMap[row].key), SdlScancodeOf(kKeyMap[row].secondKey)};
  }
}

// Undoes whatever an opening has done so far, or closes an open window.
void TearDown() {
  if (screen.context != nullptr) {
    SDL_GL_MakeCurrent(screen.window, nullptr);
    SDL_GL_DeleteContext(screen.context);
  }
  if (screen.window != nullptr) {
    if (IsFullScreen()) SDL_SetWindowFullscreen(screen.window, 0);  // the desktop's mode returns
    SDL_DestroyWindow(screen.window);
  }
  if (screen.screenSaverWasEnabled) SDL_EnableScreenSaver();
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  screen = Screen{};
}

// The display's own 640 x 480 mode at 32 bits per pixel, if it has one: a
// mode of another size would stretch or crop the picture.
bool FindFullScreenMode(SDL_DisplayMode& found) {
  const int display = SDL_GetWindowDisplayIndex(screen.window);
  if (display < 0) return false;
  const int count = SDL_GetNumDisplayModes(display);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(display, i, &mode) == 0 && mode.w == kWidth && mode.h == kHeight &&
        SDL_BYTESPERPIXEL(mode.format) == 4) {
      found = mode;
      return true;
    }
  }
  return false;
}

// A 640 x 480 client area, centred, with caption and close box; the user
// cannot resize it.
void ApplyWindowedForm() {
  SDL_SetWindowSize(screen.window, kWidth, kHeight);
  SDL_SetWindowPosition(screen.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

void BringToFront() {
  SDL_ShowWindow(screen.window);
  SDL_RaiseWindow(screen.window);
  TakeKeyboardFocus(screen.window);
  screen.focused = true;
  screen.minimised = false;
  screen.active = true;
}

// Changes the display to 640 x 480 x 32 with the window covering it. A display
// without that mode refuses, and the window stays as it was.
bool EnterFullScreen() {
  SDL_DisplayMode mode;
  if (!FindFullScreenMode(mode)) return false;
  // At the display's origin: without a window manager to place a full-screen
  // window, the window would keep its place and hang off the smaller screen.
  SDL_Rect bounds;
  if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(screen.window), &bounds) == 0) {
    SDL_SetWindowPosition(screen.window, bounds.x, bounds.y);
  }
  if (SDL_SetWindowDisplayMode(screen.window, &mode) != 0 ||
      SDL_SetWindowFullscreen(screen.window, SDL_WINDOW_FULLSCREEN) != 0) {
    SDL_SetWindowFullscreen(screen.window, 0);
    ApplyWindowedForm();
    return false;
  }
  screen.flags |= kFlagFullScreen;
  return true;
}

void LeaveFullScreen() {
  SDL_SetWindowFullscreen(screen.window, 0);
  screen.flags &= ~kFlagFullScreen;
  ApplyWindowedForm();
}

// Alt+Enter and the maximise box: the same window and context, so the
// textures and scene state survive.
void SwitchFullScreen() {
  if (IsFullScreen()) {
    LeaveFullScreen();
  } else if (!EnterFullScreen()) {
    TellFullScreenRefused();
    return;
  }
  BringToFront();
}

// A hidden window with a double-buffered 32-bit RGBA compatibility context and
// a 16-bit depth buffer, current on this thread.
bool CreateWindowAndContext(const std::string& title, bool accelerated) {
  SDL_GL_ResetAttributes();
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  if (accelerated) SDL_GL_SetAttribute(SDL_GL_ACCELERATED_VISUAL, 1);

  screen.window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWidth, kHeight,
                                   SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (screen.window == nullptr) return FailOpening(SDL_GetError());
  screen.context = SDL_GL_CreateContext(screen.window);
  if (screen.context == nullptr) {
    FailOpening(SDL_GetError());
    SDL_DestroyWindow(screen.window);
    screen.window = nullptr;
    return false;
  }
  return true;
}

// Without a display SDL falls back to drivers that read no keyboard, where
// Escape never comes and the frame loop would run for ever.
bool ShowsWindows(const char* videoDriver) {
  for (const char* blind : {"offscreen", "dummy", "evdev"}) {
    if (SDL_strcmp(videoDriver, blind) == 0) return false;
  }
  return true;
}

// Which displays SDL could have used, for the message of a failed opening.
std::string DescribeDisplays() {
  const char* display = SDL_getenv("DISPLAY");
  std::string text = display != nullptr && *display != '\0' ? std::string("DISPLAY=") + display + " could not be used"
                                                            : std::string("DISPLAY is not set");
  // SDL tries Wayland too when a compositor is announced.
  const char* wayland = SDL_getenv("WAYLAND_DISPLAY");
  if (wayland != nullptr && *wayland != '\0') text += std::string(", nor WAYLAND_DISPLAY=") + wayland;
  return text;
}

// One attempt at opening; on failure everything it did is undone.
bool TryOpen(const std::string& title, bool fullScreen) {
  // Signals are ours to handle (an orderly end with the display restored),
  // and the screen saver's setting found at opening is the system's.
  SDL_SetHintWithPriority(SDL_HINT_NO_SIGNAL_HANDLERS, "1", SDL_HINT_OVERRIDE);
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  // A full-screen window that loses the focus stays as it is.
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  // On Wayland, sdl2-compat would size the window in the output's pixels, half
  // as large as every other window at scale 2; it sets this hint as it starts SDL.
  SDL_SetHintWithPriority("SDL_VIDEO_WAYLAND_SCALE_TO_DISPLAY", "0", SDL_HINT_OVERRIDE);
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    return FailOpening(std::string("no display to show a window on: ") + DescribeDisplays() + " (" + SDL_GetError() +
                       ")");
  }
  if (!ShowsWindows(SDL_GetCurrentVideoDriver())) {
    FailOpening(std::string("no display to show a window on: ") + DescribeDisplays() + " (only SDL's \"" +
                SDL_GetCurrentVideoDriver() + "\" video driver is left)");
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return false;
  }
  screen.flags = kFlagOpenGl;
  screen.screenSaverWasEnabled = SDL_IsScreenSaverEnabled() == SDL_TRUE;
  SDL_DisableScreenSaver();

  // An accelerated visual first; without it when that gives no window or context.
  bool ok = CreateWindowAndContext(title, true) || CreateWindowAndContext(title, false);
  if (ok) {
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    const auto* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    // The texture loader uploads BGRA pixel data.
    if (!SupportsBgra(version, extensions)) {
      ok = FailOpening(std::string("the OpenGL context (version ") + (version ? version : "unknown") +
                       ") takes no BGRA pixel data");
    }
  }
  if (ok && fullScreen) {
    SDL_DisplayMode mode;
    if (!FindFullScreenMode(mode)) ok = FailOpening("the display has no 640 x 480 mode");
  }
  if (ok) {
    BringToFront();
    if (fullScreen && !EnterFullScreen()) ok = FailOpening("the display refused its 640 x 480 mode");
  }
  if (!ok) {
    TearDown();
    return false;
  }
  ClearKeyStates(screen.keys);
  ResolveKeyMap();
  ReadDrawableSize();
  return true;
}

void HandleWindowEvent(const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED: screen.focused = true; break;
    case SDL_WINDOWEVENT_FOCUS_LOST: screen.focused = false; break;
    case SDL_WINDOWEVENT_MINIMIZED: screen.minimised = true; break;
    case SDL_WINDOWEVENT_RESTORED: screen.minimised = false; break;
    case SDL_WINDOWEVENT_SIZE_CHANGED: ReadDrawableSize(); return;
    case SDL_WINDOWEVENT_MAXIMIZED:
      // The maximise box asks for full screen. Only from the window: a window
      // manager that marks a full-screen window maximised must not switch back.
      if (screen.active && !IsFullScreen()) {
        SDL_RestoreWindow(screen.window);
        SwitchFullScreen();
      }
      return;
    default: return;  // a close request among them: the window stays open
  }
  // Every change of activation forgets all keys; held keys show again from
  // the next sample.
  screen.active = screen.focused && !screen.minimised;
  ClearKeyStates(screen.keys);
}

void HandleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_WINDOWEVENT: HandleWindowEvent(event.window); break;
    case SDL_KEYMAPCHANGED: ResolveKeyMap(); break;
    case SDL_KEYDOWN: {
      const SDL_Keycode key = event.key.keysym.sym;
      const bool enter = key == SDLK_RETURN || key == SDLK_KP_ENTER;
      // Not on key repeat: holding the keys would switch back and forth.
      if (enter && (event.key.keysym.mod & KMOD_ALT) != 0 && event.key.repeat == 0 && screen.active) {
        SwitchFullScreen();
      }
      break;
    }
    default: break;  // SDL_QUIT among them: only Escape ends the viewer
  }
}

}  // namespace

bool TryOpening(bool fullScreen) {
  return TryOpen(TitleFromPath(ExecutablePath(), "/"), fullScreen);
}

// The viewer tells why on standard error.
void EndOpening(bool opened) { (void)opened; }

void TearDownWindow() { TearDown(); }

WindowState CurrentWindow() {
  return {screen.window != nullptr, IsFullScreen(), screen.active, &screen.keys, screen.drawableWidth,
          screen.drawableHeight};
}

void PresentFrame() { SDL_GL_SwapWindow(screen.window); }

void SampleKeyboard() {
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  auto held = [state, count](SDL_Scancode scancode) {
    return scancode != SDL_SCANCODE_UNKNOWN && scancode < count && state[scancode] != 0;
  };
  SampleKeyStates(screen.keys,
                  [&](int row) { return held(resolvedKeys[row].key) || held(resolvedKeys[row].secondKey); });
}

void TakeWaitingEvents() {
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) HandleEvent(event);
}

void SleepFor(int milliseconds) {
  if (milliseconds > 0) SDL_Delay(static_cast<Uint32>(milliseconds));
}

int TerminationStatus() {
  const int signalNumber = CaughtTerminationSignal();
  return signalNumber != 0 ? 128 + signalNumber : 0;
}
