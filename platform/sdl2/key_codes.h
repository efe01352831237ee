#pragma once
// The key map's keys as SDL key codes.
#include <SDL_keycode.h>

#include "platform/key_map.h"

// The SDL key code of a key; SDLK_UNKNOWN for Key::None.
SDL_Keycode SdlKeycodeOf(Key key);
