#pragma once
// The layer's own window, for the layer's other parts that need an owner for
// what they show.
#include <windows.h>

// The open window, or nullptr.
HWND ScreenWindow();
