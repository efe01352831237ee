#pragma once
// What the window's OpenGL context needs before it exists: a look at the
// OpenGL implementation on a temporary context, and the pixel format.
#include <windows.h>

#include <string>

// wglChoosePixelFormatARB, when the implementation offers it.
using ChoosePixelFormatArb = BOOL(WINAPI*)(HDC, const int*, const FLOAT*, UINT, int*, UINT*);

struct GlProbe {
  ChoosePixelFormatArb choosePixelFormat;  // nullptr without WGL_ARB_pixel_format
};

// Makes a hidden window of the given class with a basic pixel format and a
// context, and checks that the implementation takes the texture loader's BGRA
// pixel data. Everything it made is gone again when it returns. On failure
// returns false with the reason in error.
bool ProbeOpenGl(HINSTANCE instance, const wchar_t* className, GlProbe& probe, std::string& error);

// Chooses the window's pixel format (double-buffered 32-bit RGBA with a
// 16-bit depth buffer, preferring full acceleration) and sets it. On failure
// returns false with the reason in error.
bool SetWindowPixelFormat(HDC deviceContext, const GlProbe& probe, std::string& error);
