#include "platform/win32/gl_setup.h"

#include <GL/gl.h>

#include <utility>

#include "platform/gl_support.h"
#include "platform/win32/system_error.h"

namespace {

bool Fail(std::string& error, std::string reason) {
  error = std::move(reason);
  return false;
}

// From the WGL_ARB_pixel_format extension; not every SDK carries its header.
constexpr int kDrawToWindowArb = 0x2001;
constexpr int kAccelerationArb = 0x2003;
constexpr int kFullAccelerationArb = 0x2027;
constexpr int kDoubleBufferArb = 0x2011;
constexpr int kColorBitsArb = 0x2014;
constexpr int kRedBitsArb = 0x2015;
constexpr int kGreenBitsArb = 0x2017;
constexpr int kBlueBitsArb = 0x2019;
constexpr int kAlphaBitsArb = 0x201B;
constexpr int kDepthBitsArb = 0x2022;

using GetExtensionsStringArb = const char*(WINAPI*)(HDC);
using GetExtensionsStringExt = const char*(WINAPI*)();

constexpr DWORD kDescriptorFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;

// A double-buffered RGBA format for OpenGL in a window; every other field 0.
PIXELFORMATDESCRIPTOR BasicDescriptor() {
  PIXELFORMATDESCRIPTOR descriptor{};
  descriptor.nSize = sizeof descriptor;
  descriptor.nVersion = 1;
  descriptor.dwFlags = kDescriptorFlags;
  descriptor.iPixelType = PFD_TYPE_RGBA;
  return descriptor;
}

// The descriptor for the window: what ChoosePixelFormat is asked for when the
// extended query is missing or finds nothing, and what SetPixelFormat is given.
PIXELFORMATDESCRIPTOR WindowDescriptor() {
  PIXELFORMATDESCRIPTOR descriptor = BasicDescriptor();
  descriptor.cColorBits = 32;
  descriptor.cRedBits = 8;
  descriptor.cGreenBits = 8;
  descriptor.cBlueBits = 8;
  descriptor.cAlphaBits = 8;
  descriptor.cDepthBits = 16;
  return descriptor;
}

// The procedures of the current context's implementation; nullptr when it has
// none by that name.
template <typename Procedure>
Procedure GlProcedure(const char* name) {
  return reinterpret_cast<Procedure>(reinterpret_cast<void*>(wglGetProcAddress(name)));
}

// The OpenGL extension list followed by the window-system one, for the
// current context on deviceContext.
std::string ExtensionList(HDC deviceContext) {
  std::string list;
  if (const auto* gl = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS))) list = gl;
  const char* wgl = nullptr;
  if (const auto arb = GlProcedure<GetExtensionsStringArb>("wglGetExtensionsStringARB")) {
    wgl = arb(deviceContext);
  } else if (const auto ext = GlProcedure<GetExtensionsStringExt>("wglGetExtensionsStringEXT")) {
    wgl = ext();
  }
  if (wgl != nullptr) list.append(" ").append(wgl);
  return list;
}

// What the probe made, for undoing it in reverse.
struct ProbeObjects {
  HWND window;
  HDC deviceContext;
  HGLRC context;
};

void DestroyProbeObjects(const ProbeObjects& made) {
  if (made.context != nullptr) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(made.context);
  }
  if (made.deviceContext != nullptr) ReleaseDC(made.window, made.deviceContext);
  if (made.window != nullptr) DestroyWindow(made.window);
}

bool Probe(HINSTANCE instance, const wchar_t* className, ProbeObjects& made, GlProbe& probe, std::string& error) {
  // Never shown. A window's pixel format can be set only once, so the real
  // window cannot be used for this.
  made.window = CreateWindowExW(0, className, L"OpenGL setup", WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                                8, 8, nullptr, nullptr, instance, nullptr);
  if (made.window == nullptr) return Fail(error, SystemFailure("Creating the OpenGL setup window"));
  made.deviceContext = GetDC(made.window);
  if (made.deviceContext == nullptr) return Fail(error, SystemFailure("GetDC"));
  PIXELFORMATDESCRIPTOR descriptor = BasicDescriptor();
  descriptor.cDepthBits = 32;
  const int format = ChoosePixelFormat(made.deviceContext, &descriptor);
  if (format == 0) return Fail(error, SystemFailure("ChoosePixelFormat for the OpenGL setup window"));
  if (!SetPixelFormat(made.deviceContext, format, &descriptor)) {
    return Fail(error, SystemFailure("SetPixelFormat for the OpenGL setup window"));
  }
  made.context = wglCreateContext(made.deviceContext);
  if (made.context == nullptr) return Fail(error, SystemFailure("wglCreateContext for the OpenGL setup window"));
  if (!wglMakeCurrent(made.deviceContext, made.context)) {
    return Fail(error, SystemFailure("wglMakeCurrent for the OpenGL setup window"));
  }

  const std::string extensions = ExtensionList(made.deviceContext);
  const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  // The texture loader uploads BGRA pixel data.
  if (!SupportsBgra(version, extensions.c_str())) {
    return Fail(error, std::string("the OpenGL implementation (version ") + (version != nullptr ? version : "unknown") +
                           ") takes no BGRA pixel data");
  }
  probe.choosePixelFormat = ListsExtension(extensions.c_str(), "WGL_ARB_pixel_format")
                                ? GlProcedure<ChoosePixelFormatArb>("wglChoosePixelFormatARB")
                                : nullptr;
  return true;
}

}  // namespace

bool ProbeOpenGl(HINSTANCE instance, const wchar_t* className, GlProbe& probe, std::string& error) {
  probe = GlProbe{};
  ProbeObjects made{};
  const bool ok = Probe(instance, className, made, probe, error);
  DestroyProbeObjects(made);
  return ok;
}

bool SetWindowPixelFormat(HDC deviceContext, const GlProbe& probe, std::string& error) {
  int format = 0;
  if (probe.choosePixelFormat != nullptr) {
    const int attributes[] = {
        kDrawToWindowArb, 1,
        kAccelerationArb, kFullAccelerationArb,
        kDoubleBufferArb, 1,
        kColorBitsArb,    32,
        kRedBitsArb,      8,
        kGreenBitsArb,    8,
        kBlueBitsArb,     8,
        kAlphaBitsArb,    8,
        kDepthBitsArb,    16,
        0,
    };
    UINT count = 0;
    if (!probe.choosePixelFormat(deviceContext, attributes, nullptr, 1, &format, &count) || count == 0) format = 0;
  }
  PIXELFORMATDESCRIPTOR descriptor = WindowDescriptor();
  if (format == 0) format = ChoosePixelFormat(deviceContext, &descriptor);
  if (format == 0) return Fail(error, SystemFailure("ChoosePixelFormat"));
  if (!SetPixelFormat(deviceContext, format, &descriptor)) return Fail(error, SystemFailure("SetPixelFormat"));
  return true;
}
