// A library for LD_PRELOAD, used only by tools/bench-startup.sh: it wraps the
// buffer swap of the program it is loaded into and appends one line per
// presented frame to the file that BENCH_SWAP_LOG names:
//   <CLOCK_REALTIME ns> <CLOCK_MONOTONIC ns>
// Real time lines up with the start time the script takes before exec;
// monotonic time gives the intervals between frames. The observed program
// itself reads no environment variable and is not changed.
#include <dlfcn.h>
#include <fcntl.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>

namespace {

using SwapWindow = void (*)(void*);

int OpenLog() {
  const char* path = getenv("BENCH_SWAP_LOG");
  if (path == nullptr || *path == '\0') return -1;
  return open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
}

int64_t Nanoseconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

}  // namespace

// Same name and calling convention as the library's own; the window stays an
// opaque pointer so no SDL header is needed here.
extern "C" __attribute__((visibility("default"))) void SDL_GL_SwapWindow(void* window) {
  static const SwapWindow real = reinterpret_cast<SwapWindow>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
  static const int log = OpenLog();
  if (real != nullptr) real(window);
  // Stamped once the swap has returned: the frame has been handed to the X server.
  const int64_t realTime = Nanoseconds(CLOCK_REALTIME);
  const int64_t monotonic = Nanoseconds(CLOCK_MONOTONIC);
  if (log < 0) return;
  // One write per frame, from a stack buffer: nothing allocated, and a line
  // is never split even when the program is killed right after.
  char line[64];
  const int length = std::snprintf(line, sizeof line, "%lld %lld\n", static_cast<long long>(realTime),
                                   static_cast<long long>(monotonic));
  if (length > 0) {
    const ssize_t ignored = write(log, line, static_cast<size_t>(length));
    (void)ignored;
  }
}
