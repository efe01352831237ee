#include "tests/support/x_driver.h"

#include <X11/Xlib.h>
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/scrnsaver.h>
#include <X11/keysym.h>

#include <chrono>
#include <thread>

struct XDriver {
  Display* display;
};

namespace {

int IgnoreXError(Display*, XErrorEvent*) { return 0; }

// Windows of other programs come and go while the driver looks at them; an
// X error then means "no such window", not the end of the test program.
class XErrorsIgnored {
 public:
  explicit XErrorsIgnored(Display* display) : display_(display) {
    XSync(display_, False);
    previous_ = XSetErrorHandler(IgnoreXError);
  }
  ~XErrorsIgnored() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
  }
  XErrorsIgnored(const XErrorsIgnored&) = delete;
  XErrorsIgnored& operator=(const XErrorsIgnored&) = delete;

 private:
  Display* display_;
  XErrorHandler previous_;
};

long ReadCardinal(Display* display, Window window, Atom property) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  long value = -1;
  if (XGetWindowProperty(display, window, property, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data) ==
          Success &&
      data != nullptr && format == 32 && count == 1) {
    value = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
  }
  if (data != nullptr) XFree(data);
  return value;
}

// The viewable windows marked with pid under parent, bottom to top, without
// looking inside them.
void FindInTree(Display* display, Window parent, Atom pidAtom, pid_t pid, std::vector<WindowId>& found) {
  Window root = 0;
  Window parentOut = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display, parent, &root, &parentOut, &children, &count) == 0) return;
  for (unsigned int i = 0; i < count; ++i) {
    XWindowAttributes attributes;
    if (ReadCardinal(display, children[i], pidAtom) == pid && XGetWindowAttributes(display, children[i], &attributes) &&
        attributes.map_state == IsViewable) {
      found.push_back(children[i]);
    } else {
      FindInTree(display, children[i], pidAtom, pid, found);
    }
  }
  if (children != nullptr) XFree(children);
}

// Where the window's picture is: the window itself, or where its owner draws
// a frame of its own inside it (Wine, with no window manager), the largest
// child that shows.
Window ClientArea(Display* display, Window window) {
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) return window;
  Window client = window;
  long largest = 0;
  for (unsigned int i = 0; i < count; ++i) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable &&
        long{attributes.width} * attributes.height > largest) {
      largest = long{attributes.width} * attributes.height;
      client = children[i];
    }
  }
  if (children != nullptr) XFree(children);
  return client;
}

// The first output that has a mode set, with the resources it came from.
RROutput ActiveOutput(Display* display, XRRScreenResources* resources) {
  for (int i = 0; i < resources->noutput; ++i) {
    XRROutputInfo* info = XRRGetOutputInfo(display, resources, resources->outputs[i]);
    const bool active = info != nullptr && info->connection == RR_Connected;
    if (info != nullptr) XRRFreeOutputInfo(info);
    if (active) return resources->outputs[i];
  }
  return None;
}

std::vector<unsigned long> OutputModesOfSize(Display* display, XRRScreenResources* resources, RROutput output,
                                             int width, int height) {
  std::vector<unsigned long> found;
  XRROutputInfo* info = XRRGetOutputInfo(display, resources, output);
  if (info == nullptr) return found;
  for (int i = 0; i < info->nmode; ++i) {
    for (int j = 0; j < resources->nmode; ++j) {
      const XRRModeInfo& mode = resources->modes[j];
      if (mode.id == info->modes[i] && static_cast<int>(mode.width) == width &&
          static_cast<int>(mode.height) == height) {
        found.push_back(mode.id);
      }
    }
  }
  XRRFreeOutputInfo(info);
  return found;
}

void FakeKey(Display* display, int keycode, bool press) {
  if (keycode <= 0) return;
  XTestFakeKeyEvent(display, static_cast<unsigned int>(keycode), press ? True : False, CurrentTime);
  XSync(display, False);
}

}  // namespace

XDriver* OpenDriverDisplay() {
  Display* display = XOpenDisplay(nullptr);
  return display == nullptr ? nullptr : new XDriver{display};
}

void CloseDriverDisplay(XDriver* driver) {
  if (driver == nullptr) return;
  XCloseDisplay(driver->display);
  delete driver;
}

WindowId FindWindowOfProcess(XDriver* driver, pid_t pid, int timeoutMs) {
  Display* display = driver->display;
  const XErrorsIgnored ignored(display);
  const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    std::vector<WindowId> found;
    FindInTree(display, DefaultRootWindow(display), pidAtom, pid, found);
    if (!found.empty()) return found.front();
    if (std::chrono::steady_clock::now() > deadline) return 0;
    SleepMs(20);
  }
}

std::vector<WindowId> WindowsOfProcess(XDriver* driver, pid_t pid) {
  Display* display = driver->display;
  const XErrorsIgnored ignored(display);
  std::vector<WindowId> found;
  FindInTree(display, DefaultRootWindow(display), XInternAtom(display, "_NET_WM_PID", False), pid, found);
  return found;
}

pid_t ProcessShowingWindowTitled(XDriver* driver, const std::string& title, int timeoutMs) {
  Display* display = driver->display;
  const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    pid_t found = 0;
    {
      const XErrorsIgnored ignored(display);
      Window root = 0;
      Window parent = 0;
      Window* children = nullptr;
      unsigned int count = 0;
      XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
      for (unsigned int i = 0; i < count && found == 0; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable &&
            WindowTitle(driver, children[i]) == title) {
          found = static_cast<pid_t>(ReadCardinal(display, children[i], pidAtom));
        }
      }
      if (children != nullptr) XFree(children);
    }
    if (found > 0 || std::chrono::steady_clock::now() > deadline) return found > 0 ? found : 0;
    SleepMs(20);
  }
}

bool WaitForFocus(XDriver* driver, WindowId window, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    Window focus = 0;
    int revertTo = 0;
    XGetInputFocus(driver->display, &focus, &revertTo);
    if (focus == window) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    SleepMs(10);
  }
}

std::string WindowTitle(XDriver* driver, WindowId window) {
  Display* display = driver->display;
  const XErrorsIgnored ignored(display);
  const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(display, window, netName, 0, 4096, False, utf8, &type, &format, &count, &after, &data) ==
          Success &&
      data != nullptr && type == utf8) {
    title.assign(reinterpret_cast<char*>(data), count);
  } else {
    char* name = nullptr;
    if (XFetchName(display, window, &name) != 0 && name != nullptr) title = name;
    if (name != nullptr) XFree(name);
  }
  if (data != nullptr) XFree(data);
  return title;
}

WindowId OwnerOf(XDriver* driver, WindowId window) {
  Display* display = driver->display;
  const XErrorsIgnored ignored(display);
  Window owner = 0;
  return XGetTransientForHint(display, window, &owner) != 0 ? owner : 0;
}

WindowGeometry GetWindowGeometry(XDriver* driver, WindowId window) {
  Display* display = driver->display;
  const XErrorsIgnored ignored(display);
  WindowGeometry geometry{};
  const Window client = ClientArea(display, window);
  XWindowAttributes attributes;
  if (XGetWindowAttributes(display, client, &attributes) == 0) return geometry;
  Window child = 0;
  XTranslateCoordinates(display, client, attributes.root, 0, 0, &geometry.x, &geometry.y, &child);
  geometry.width = attributes.width;
  geometry.height = attributes.height;
  geometry.viewable = attributes.map_state == IsViewable;
  return geometry;
}

bool GetWindowSizeLimits(XDriver* driver, WindowId window, int& minWidth, int& minHeight, int& maxWidth,
                         int& maxHeight) {
  const XErrorsIgnored ignored(driver->display);
  XSizeHints hints{};
  long supplied = 0;
  if (XGetWMNormalHints(driver->display, window, &hints, &supplied) == 0) return false;
  if ((hints.flags & PMinSize) == 0 || (hints.flags & PMaxSize) == 0) return false;
  minWidth = hints.min_width;
  minHeight = hints.min_height;
  maxWidth = hints.max_width;
  maxHeight = hints.max_height;
  return true;
}

WindowPixels ReadWindowPixels(XDriver* driver, WindowId window) {
  Display* display = driver->display;
  WindowPixels pixels{};
  const WindowGeometry geometry = GetWindowGeometry(driver, window);
  // A window reaching past the screen's edge makes XGetImage fail: a failed read.
  XImage* image = nullptr;
  {
    const XErrorsIgnored ignored(display);
    image = XGetImage(display, ClientArea(display, window), 0, 0, static_cast<unsigned int>(geometry.width),
                      static_cast<unsigned int>(geometry.height), AllPlanes, ZPixmap);
  }
  if (image == nullptr) return pixels;
  auto channel = [](unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0u;
    int shift = 0;
    while (((mask >> shift) & 1) == 0) ++shift;
    const unsigned long value = (pixel & mask) >> shift;
    const unsigned long maximum = mask >> shift;
    return static_cast<unsigned>(value * 255 / maximum);
  };
  pixels.width = geometry.width;
  pixels.height = geometry.height;
  pixels.rgb.reserve(static_cast<std::size_t>(geometry.width) * static_cast<std::size_t>(geometry.height));
  for (int y = 0; y < geometry.height; ++y) {
    for (int x = 0; x < geometry.width; ++x) {
      const unsigned long pixel = XGetPixel(image, x, y);
      pixels.rgb.push_back(channel(pixel, image->red_mask) << 16 | channel(pixel, image->green_mask) << 8 |
                           channel(pixel, image->blue_mask));
    }
  }
  XDestroyImage(image);
  return pixels;
}

std::size_t LitPixels(const WindowPixels& pixels) {
  std::size_t lit = 0;
  for (uint32_t rgb : pixels.rgb) lit += rgb != 0;
  return lit;
}

std::size_t DifferentPixels(const WindowPixels& a, const WindowPixels& b) {
  if (a.rgb.size() != b.rgb.size()) return a.rgb.size() + b.rgb.size();
  std::size_t different = 0;
  for (std::size_t i = 0; i < a.rgb.size(); ++i) different += a.rgb[i] != b.rgb[i];
  return different;
}

int KeycodeOf(XDriver* driver, const char* keysymName) {
  Display* display = driver->display;
  const KeySym keysym = XStringToKeysym(keysymName);
  return keysym == NoSymbol ? 0 : XKeysymToKeycode(display, keysym);
}

void PressKey(XDriver* driver, const char* keysymName) { FakeKey(driver->display, KeycodeOf(driver, keysymName), true); }

void ReleaseKey(XDriver* driver, const char* keysymName) {
  FakeKey(driver->display, KeycodeOf(driver, keysymName), false);
}

void HoldKey(XDriver* driver, const char* keysymName, int holdMs) {
  PressKey(driver, keysymName);
  SleepMs(holdMs);
  ReleaseKey(driver, keysymName);
}

void PressKeycode(XDriver* driver, int keycode) { FakeKey(driver->display, keycode, true); }

void ReleaseKeycode(XDriver* driver, int keycode) { FakeKey(driver->display, keycode, false); }

void ReleaseAllKeys(XDriver* driver) {
  Display* display = driver->display;
  char keys[32];
  XQueryKeymap(display, keys);
  for (int keycode = 8; keycode < 256; ++keycode) {
    if ((keys[keycode / 8] >> (keycode % 8)) & 1) {
      XTestFakeKeyEvent(display, static_cast<unsigned int>(keycode), False, CurrentTime);
    }
  }
  XSync(display, False);
}

bool NumLockOn(XDriver* driver) {
  Display* display = driver->display;
  XkbStateRec state;
  if (XkbGetState(display, XkbUseCoreKbd, &state) != Success) return false;
  return (state.locked_mods & XkbKeysymToModifiers(display, XK_Num_Lock)) != 0;
}

void SetNumLock(XDriver* driver, bool on) {
  Display* display = driver->display;
  const unsigned int mask = XkbKeysymToModifiers(display, XK_Num_Lock);
  XkbLockModifiers(display, XkbUseCoreKbd, mask, on ? mask : 0);
  XSync(display, False);
}

std::vector<unsigned long> RemapKeycode(XDriver* driver, int keycode, const char* keysymName) {
  Display* display = driver->display;
  int perKeycode = 0;
  KeySym* old = XGetKeyboardMapping(display, static_cast<KeyCode>(keycode), 1, &perKeycode);
  std::vector<unsigned long> saved(old, old + perKeycode);
  XFree(old);
  std::vector<KeySym> replacement(saved.size(), NoSymbol);
  const KeySym keysym = XStringToKeysym(keysymName);
  for (std::size_t i = 0; i < replacement.size() && i < 2; ++i) replacement[i] = keysym;
  XChangeKeyboardMapping(display, keycode, perKeycode, replacement.data(), 1);
  XSync(display, False);
  return saved;
}

void RestoreKeysyms(XDriver* driver, int keycode, const std::vector<unsigned long>& keysyms) {
  Display* display = driver->display;
  std::vector<KeySym> copy(keysyms.begin(), keysyms.end());
  XChangeKeyboardMapping(display, keycode, static_cast<int>(copy.size()), copy.data(), 1);
  XSync(display, False);
}

void SendCloseRequest(XDriver* driver, WindowId window) {
  Display* display = driver->display;
  const XErrorsIgnored ignored(display);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XSync(display, False);
}

void MarkMaximised(XDriver* driver, WindowId window) {
  Display* display = driver->display;
  const XErrorsIgnored ignored(display);
  Atom states[2] = {XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_VERT", False),
                    XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_HORZ", False)};
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(states), 2);
  XSync(display, False);
}

void MinimiseWindow(XDriver* driver, WindowId window) {
  const XErrorsIgnored ignored(driver->display);
  XUnmapWindow(driver->display, window);
}

void RestoreWindow(XDriver* driver, WindowId window) {
  {
    const XErrorsIgnored ignored(driver->display);
    XMapWindow(driver->display, window);
  }
  for (int i = 0; i < 100 && !GetWindowGeometry(driver, window).viewable; ++i) SleepMs(10);
}

WindowId TakeFocus(XDriver* driver) {
  Display* display = driver->display;
  const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 32, 32, 0, 0, 0);
  XSelectInput(display, window, StructureNotifyMask);
  XMapWindow(display, window);
  XEvent event;
  do XNextEvent(display, &event);
  while (event.type != MapNotify || event.xmap.window != window);
  GiveFocus(driver, window);
  return window;
}

void GiveFocus(XDriver* driver, WindowId window) {
  Display* display = driver->display;
  XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
  XSync(display, False);
}

void DestroyDriverWindow(XDriver* driver, WindowId window) {
  Display* display = driver->display;
  XDestroyWindow(display, window);
  XSync(display, False);
}

void GetDisplayModeSize(XDriver* driver, int& width, int& height) {
  Display* display = driver->display;
  width = 0;
  height = 0;
  XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
  if (resources == nullptr) return;
  for (int i = 0; i < resources->ncrtc && width == 0; ++i) {
    XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, resources->crtcs[i]);
    if (crtc != nullptr && crtc->mode != None) {
      width = static_cast<int>(crtc->width);
      height = static_cast<int>(crtc->height);
    }
    if (crtc != nullptr) XRRFreeCrtcInfo(crtc);
  }
  XRRFreeScreenResources(resources);
}

bool WaitForDisplayMode(XDriver* driver, int width, int height, int timeoutMs) {
  for (int waited = 0;; waited += 20) {
    int currentWidth = 0;
    int currentHeight = 0;
    GetDisplayModeSize(driver, currentWidth, currentHeight);
    if (currentWidth == width && currentHeight == height) return true;
    if (waited >= timeoutMs) return false;
    SleepMs(20);
  }
}

bool DisplayOffersMode(XDriver* driver, int width, int height) {
  Display* display = driver->display;
  XRRScreenResources* resources = XRRGetScreenResources(display, DefaultRootWindow(display));
  if (resources == nullptr) return false;
  const RROutput output = ActiveOutput(display, resources);
  const bool offered = output != None && !OutputModesOfSize(display, resources, output, width, height).empty();
  XRRFreeScreenResources(resources);
  return offered;
}

std::vector<unsigned long> RemoveDisplayModes(XDriver* driver, int width, int height) {
  Display* display = driver->display;
  std::vector<unsigned long> removed;
  XRRScreenResources* resources = XRRGetScreenResources(display, DefaultRootWindow(display));
  if (resources == nullptr) return removed;
  const RROutput output = ActiveOutput(display, resources);
  if (output != None) {
    removed = OutputModesOfSize(display, resources, output, width, height);
    for (unsigned long mode : removed) XRRDeleteOutputMode(display, output, mode);
  }
  XRRFreeScreenResources(resources);
  XSync(display, False);
  return removed;
}

void RestoreDisplayModes(XDriver* driver, const std::vector<unsigned long>& modes) {
  Display* display = driver->display;
  XRRScreenResources* resources = XRRGetScreenResources(display, DefaultRootWindow(display));
  if (resources == nullptr) return;
  const RROutput output = ActiveOutput(display, resources);
  if (output != None) {
    for (unsigned long mode : modes) XRRAddOutputMode(display, output, mode);
  }
  XRRFreeScreenResources(resources);
  XSync(display, False);
}

int SetScreenSaverTimeout(XDriver* driver, int seconds) {
  Display* display = driver->display;
  int timeout = 0;
  int interval = 0;
  int preferBlanking = 0;
  int allowExposures = 0;
  XGetScreenSaver(display, &timeout, &interval, &preferBlanking, &allowExposures);
  XSetScreenSaver(display, seconds, 0, DontPreferBlanking, AllowExposures);
  XForceScreenSaver(display, ScreenSaverReset);
  XSync(display, False);
  return timeout;
}

bool ScreenSaverShowing(XDriver* driver) {
  Display* display = driver->display;
  XScreenSaverInfo* info = XScreenSaverAllocInfo();
  if (info == nullptr) return false;
  const bool showing =
      XScreenSaverQueryInfo(display, DefaultRootWindow(display), info) != 0 && info->state == ScreenSaverOn;
  XFree(info);
  return showing;
}

void SleepMs(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
