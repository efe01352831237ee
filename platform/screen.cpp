// Minimal first cut; the full layer replaces it.
#include "platform/screen.h"

#include <SDL.h>

#include <cstdlib>

namespace {
SDL_Window* window = nullptr;
SDL_GLContext context = nullptr;
unsigned char keyStates[128];
}  // namespace

int ScreenOpen(int, int, int, int, int) {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return -1;
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  window = SDL_CreateWindow("viewer", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640, 480, SDL_WINDOW_OPENGL);
  if (window == nullptr) return -1;
  context = SDL_GL_CreateContext(window);
  if (context == nullptr) return -1;
  std::atexit(ScreenClose);
  return 0;
}

const char* ScreenError() { return SDL_GetError(); }

void ScreenFlip() {
  if (window == nullptr) return;
  SDL_GL_SwapWindow(window);
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
  }
}

int KeyDown(int scancode) { return (scancode >= 0 && scancode < 128 && keyStates[scancode]) ? -1 : 0; }

void SleepFor(int milliseconds) {
  if (milliseconds > 0) SDL_Delay(static_cast<Uint32>(milliseconds));
}

void ScreenClose() {
  if (window == nullptr) return;
  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  window = nullptr;
  SDL_Quit();
}
