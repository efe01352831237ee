#pragma once
// The key map's keys on SDL's keyboard.
#include <SDL_scancode.h>

#include "platform/key_map.h"

// The scan code of the key that types key's key code in the current layout, else
// (Q under a Cyrillic layout) its US place; SDL_SCANCODE_UNKNOWN for Key::None.
// Reads SDL's keymap: call it when the layout changes.
SDL_Scancode SdlScancodeOf(Key key);
