#include "platform/process.h"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <initializer_list>
#include <vector>

#include "platform/sdl2/termination.h"

namespace {

// Launchers and service managers may start the viewer with a standard stream
// closed: an empty stand-in keeps a file or display connection opened later
// from taking its number and getting the progress text or a message.
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

// Standard error is always there to be read.
void ShowStartupProblems(const std::string& lines) { (void)lines; }

std::string ExecutablePath() {
  // readlink does not say how long the path is, only whether it fitted.
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return std::string();
    if (static_cast<std::size_t>(length) < buffer.size()) return std::string(buffer.data(), static_cast<std::size_t>(length));
    buffer.resize(buffer.size() * 2);
  }
}

std::string CurrentDirectory() {
  // The name's bytes as the system keeps them.
  std::vector<char> buffer(256);
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE || buffer.size() >= std::size_t{1} << 20) return std::string();
    buffer.resize(buffer.size() * 2);
  }
  return std::string(buffer.data());
}
