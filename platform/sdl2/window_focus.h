#pragma once
// Giving the window the keyboard focus. For screen.cpp only: the rest of the
// program sees no SDL type.
#include <SDL_video.h>

// Gives the shown window the keyboard focus, as bringing it to the foreground
// does on a desktop with a window manager, which SDL_RaiseWindow asks for.
// Without a window manager nobody else would, and the keys would go to
// whatever window lies under the pointer.
void TakeKeyboardFocus(SDL_Window* window);
