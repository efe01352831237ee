#include "platform/process_start.h"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <initializer_list>

#include "platform/sdl2/termination.h"

namespace {

// Gives each of standard input, output and error that is closed (launchers
// and service managers do that) an empty stand-in, so that no file or display
// connection opened later takes its place and gets the progress text or a
// message written into it.
void ReserveStandardDescriptors() {
  for (int descriptor : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    if (fcntl(descriptor, F_GETFD) != -1 || errno != EBADF) continue;
    // The lowest free number: this one, since the lower ones are open by now.
    const int opened = open("/dev/null", descriptor == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    if (opened >= 0 && opened != descriptor) {
      dup2(opened, descriptor);
      close(opened);
    }
  }
}

}  // namespace

void PrepareProcess() {
  ReserveStandardDescriptors();
  CatchTerminationSignals();
}
