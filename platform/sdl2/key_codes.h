#pragma once
// The key map's keys on SDL's keyboard.
#include <SDL_scancode.h>

#include "platform/key_map.h"

// Where a key lies in the current keyboard layout: the scan code of the key
// that types its key code, or, when no key of the layout types it (Q under a
// Cyrillic layout), its place on a US keyboard. SDL_SCANCODE_UNKNOWN for
// Key::None. Asks SDL's keymap: call it when the layout is known to change.
SDL_Scancode SdlScancodeOf(Key key);
