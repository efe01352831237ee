#include "platform/full_screen_refused.h"

#include <cstdio>

void TellFullScreenRefused() {
  static bool told = false;
  if (told) return;
  told = true;
  std::fprintf(stderr, "viewer: the display has no 640 x 480 mode; the picture stays in its window\n");
}
