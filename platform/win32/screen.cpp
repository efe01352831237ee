#include "platform/screen.h"

#include <windows.h>
#include <GL/gl.h>

#include <string>

#include "platform/executable_path.h"
#include "platform/full_screen_refused.h"
#include "platform/key_map.h"
#include "platform/key_states.h"
#include "platform/scancodes.h"
#include "platform/screen_layer.h"
#include "platform/title.h"
#include "platform/win32/display_awake.h"
#include "platform/win32/display_mode.h"
#include "platform/win32/gl_setup.h"
#include "platform/win32/screen_window.h"
#include "platform/win32/standard_streams.h"
#include "platform/win32/system_error.h"
#include "platform/win32/timer_resolution.h"
#include "platform/win32/utf8.h"
#include "platform/win32/virtual_keys.h"

namespace {

constexpr int kWidth = kScreenWidth;
constexpr int kHeight = kScreenHeight;
constexpr int kBitsPerPixel = 32;

constexpr wchar_t kClassName[] = L"viewer window";
constexpr DWORD kBaseStyle = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
// Caption, window menu with the close box, minimise and maximise boxes, and no
// sizing border: the user cannot resize the window.
constexpr DWORD kWindowedStyle = kBaseStyle | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD kFullScreenStyle = kBaseStyle | WS_POPUP;
// Placing the window changes nothing else: not its place among the windows,
// not which one is active.
constexpr UINT kPlaceOnly = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;

struct Screen {
  HWND window;
  HDC deviceContext;  // obtained once at opening, held until closing
  HGLRC context;
  int flags;          // kFlagOpenGl, plus kFlagFullScreen while the display is in 640 x 480
  bool active;        // foreground and not minimised: only then is the keyboard sampled
  bool classRegistered;
  int drawableWidth;  // the client area's, from the last WM_SIZE
  int drawableHeight;
  KeyStates keys;
};

Screen screen{};

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

bool IsFullScreen() { return (screen.flags & kFlagFullScreen) != 0; }

// Undoes whatever an opening has done so far, or closes an open window.
void TearDown() {
  if (screen.context != nullptr) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(screen.context);
  }
  if (screen.deviceContext != nullptr) ReleaseDC(screen.window, screen.deviceContext);
  if (IsFullScreen()) RestoreDesktopMode();
  if (screen.window != nullptr) DestroyWindow(screen.window);
  LetDisplayOff();
  RestoreTimerResolution();
  if (screen.classRegistered) UnregisterClassW(kClassName, Instance());
  screen = Screen{};
}

// Halved towards the lower whole number, also below 0.
int HalfDown(int value) { return value >= 0 ? value / 2 : -((1 - value) / 2); }

// A 640 x 480 client area with caption and close box, centred on the screen.
void ApplyWindowedForm() {
  SetWindowLongPtrW(screen.window, GWL_STYLE, kWindowedStyle);
  RECT outer{0, 0, kWidth, kHeight};
  AdjustWindowRect(&outer, kWindowedStyle, FALSE);
  const int left = HalfDown(GetSystemMetrics(SM_CXSCREEN) - outer.right);
  const int top = HalfDown(GetSystemMetrics(SM_CYSCREEN) - outer.bottom);
  SetWindowPos(screen.window, nullptr, left, top, outer.right - outer.left, outer.bottom - outer.top, kPlaceOnly);
}

// The display in 640 x 480 at 32 bits per pixel, with a pop-up window without
// caption or border covering it. False when the display refuses the mode.
bool ApplyFullScreenForm() {
  if (!ChangeDisplayMode(kWidth, kHeight, kBitsPerPixel)) return false;
  SetWindowLongPtrW(screen.window, GWL_STYLE, kFullScreenStyle);
  SetWindowPos(screen.window, nullptr, 0, 0, kWidth, kHeight, kPlaceOnly);
  return true;
}

// The form that the flags name, shown and in the foreground. False when the
// display refuses the full-screen mode; the window is then not shown.
bool ApplyForm() {
  if (IsFullScreen()) {
    if (!ApplyFullScreenForm()) return false;
  } else {
    ApplyWindowedForm();
  }
  ShowWindow(screen.window, SW_SHOW);
  SetForegroundWindow(screen.window);
  return true;
}

// Alt+Enter and the maximise box: the same window and contexts, so the
// textures and scene state survive.
void SwitchFullScreen() {
  if (IsFullScreen()) RestoreDesktopMode();
  ShowWindow(screen.window, SW_HIDE);
  screen.flags ^= kFlagFullScreen;
  if (!ApplyForm()) {
    // The display refused the mode: back to the form the window had.
    ShowWindow(screen.window, SW_HIDE);
    screen.flags ^= kFlagFullScreen;
    ApplyForm();
    TellFullScreenRefused();
  }
  screen.active = true;
}

constexpr LPARAM kAltHeld = LPARAM{1} << 29;
constexpr LPARAM kRepeated = LPARAM{1} << 30;

LRESULT CALLBACK HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The OpenGL setup window shares the class, and the window gets messages
  // while it is being made.
  if (window != screen.window) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_ACTIVATE:
      // Every change of activation forgets all keys; held keys show again from
      // the next sample. The default handling gives the window the keyboard focus.
      screen.active = LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0;
      ClearKeyStates(screen.keys);
      break;
    case WM_CLOSE:
      return 0;  // the close box and the window menu's Close: only Escape ends the viewer
    case WM_SYSKEYDOWN:
      if (wParam == VK_RETURN && (lParam & kAltHeld) != 0) {
        // Not on key repeat: holding the keys would switch back and forth.
        if (screen.active && (lParam & kRepeated) == 0) SwitchFullScreen();
        return 0;
      }
      // Alt and F10 would open the window menu, which holds the program in the
      // system's menu loop until it closes; Alt+F4 would ask to close.
      if (screen.active && (wParam == VK_MENU || wParam == VK_F10 || (wParam == VK_F4 && (lParam & kAltHeld) != 0))) {
        return 0;
      }
      break;
    case WM_SYSCHAR:
      if (wParam == '\r') return 0;  // Alt+Enter names no menu item: no beep
      break;
    case WM_SYSCOMMAND:
      // The maximise box and a double click on the caption ask for full screen;
      // the window itself is never maximised, since its size cannot change.
      if ((wParam & 0xFFF0) == SC_MAXIMIZE) {
        if (screen.active) SwitchFullScreen();
        return 0;
      }
      break;
    case WM_SIZE:
      // Maximised some other way.
      if (wParam == SIZE_MAXIMIZED && screen.active && !IsFullScreen()) {
        SwitchFullScreen();
      } else if (wParam != SIZE_MINIMIZED) {
        screen.drawableWidth = LOWORD(lParam);
        screen.drawableHeight = HIWORD(lParam);
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(window, &paint);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
      return TRUE;
    default: break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterWindowClass() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  // A device context of its own: the window's is held from opening to closing.
  windowClass.style = CS_OWNDC | CS_DBLCLKS;
  windowClass.lpfnWndProc = HandleMessage;
  windowClass.hInstance = Instance();
  windowClass.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = kClassName;
  if (RegisterClassExW(&windowClass) == 0) return FailOpening(SystemFailure("RegisterClassEx"));
  screen.classRegistered = true;
  return true;
}

bool CreateScreenWindow(const std::wstring& title, bool fullScreen) {
  screen.window = CreateWindowExW(0, kClassName, title.c_str(), kBaseStyle, 0, 0, 8, 8, nullptr, nullptr,
                                  Instance(), nullptr);
  if (screen.window == nullptr) return FailOpening(SystemFailure("CreateWindowEx"));
  SetForegroundWindow(screen.window);
  screen.flags = kFlagOpenGl | (fullScreen ? kFlagFullScreen : 0);
  if (!ApplyForm()) {
    screen.flags = kFlagOpenGl;  // the desktop's mode was never changed
    return FailOpening("the display refused 640 x 480 at 32 bits per pixel");
  }
  screen.active = true;
  return true;
}

// The steps of one opening, up to the first that fails.
bool OpenSteps(const std::wstring& title, bool fullScreen) {
  if (!RegisterWindowClass()) return false;
  KeepDisplayOn();
  RaiseTimerResolution();
  GlProbe probe{};
  std::string error;
  if (!ProbeOpenGl(Instance(), kClassName, probe, error)) return FailOpening(error);
  if (!CreateScreenWindow(title, fullScreen)) return false;
  screen.deviceContext = GetDC(screen.window);
  if (screen.deviceContext == nullptr) return FailOpening(SystemFailure("GetDC"));
  if (!SetWindowPixelFormat(screen.deviceContext, probe, error)) return FailOpening(error);
  screen.context = wglCreateContext(screen.deviceContext);
  if (screen.context == nullptr) return FailOpening(SystemFailure("wglCreateContext"));
  if (!wglMakeCurrent(screen.deviceContext, screen.context)) return FailOpening(SystemFailure("wglMakeCurrent"));
  return true;
}

// One attempt at opening; on failure everything it did is undone.
bool TryOpen(const std::wstring& title, bool fullScreen) {
  if (!OpenSteps(title, fullScreen)) {
    TearDown();
    return false;
  }
  ClearKeyStates(screen.keys);
  return true;
}

// For a program started from the desktop, whose standard error nobody sees.
void ShowFailure(const std::wstring& title) {
  const std::wstring text =
      WideFromUtf8(std::string("The viewer cannot open a 640 x 480 OpenGL window: ") + ScreenError());
  MessageBoxW(nullptr, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR);
}

std::wstring WindowTitle() { return WideFromUtf8(TitleFromPath(ExecutablePath(), "\\/")); }

}  // namespace

bool TryOpening(bool fullScreen) { return TryOpen(WindowTitle(), fullScreen); }

void EndOpening(bool opened) {
  if (!opened && !HasStandardError()) ShowFailure(WindowTitle());
}

void TearDownWindow() { TearDown(); }

WindowState CurrentWindow() {
  return {screen.window != nullptr, IsFullScreen(), screen.active, &screen.keys, screen.drawableWidth,
          screen.drawableHeight};
}

void PresentFrame() { SwapBuffers(screen.deviceContext); }

void SampleKeyboard() {
  BYTE state[256];
  if (!GetKeyboardState(state)) return;
  // A row's scancode is the US place of its keys.
  auto held = [&state](Key key, int usPlace) {
    const int virtualKey = VirtualKeyOf(key, usPlace);
    return virtualKey != 0 && (state[virtualKey] & 0x80) != 0;
  };
  SampleKeyStates(screen.keys, [&](int row) {
    const KeyMapRow& keys = kKeyMap[row];
    return held(keys.key, keys.scancode) || held(keys.secondKey, keys.scancode);
  });
}

// Every message of the thread, or those posted to it and to the input
// method's windows would pile up.
void TakeWaitingEvents() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// While the window is open the timer ticks every millisecond
// (RaiseTimerResolution), so the sleep ends on time, not on the next 15.6 ms tick.
void SleepFor(int milliseconds) {
  if (milliseconds > 0) Sleep(static_cast<DWORD>(milliseconds));
}

// A windowed program has no console whose Ctrl+C or closing could ask it to
// end, and its window's close requests are refused like the close box.
int TerminationStatus() { return 0; }

HWND ScreenWindow() { return screen.window; }
