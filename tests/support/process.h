#pragma once
// Starting a program as a child process and waiting for its end, for tests of
// the viewer binary.
#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

struct ProcessSpec {
  std::string program;
  std::vector<std::string> arguments;  // after the program's own name
  std::string directory;               // working directory; "" keeps the test's
  std::vector<std::pair<std::string, std::string>> environment;  // set these
  std::vector<std::string> unsetEnvironment;                      // and unset these
  std::string stdoutPath;  // "" keeps the test's own stream
  std::string stderrPath;
};

// The child's pid, or -1 when it could not be started.
pid_t StartProcess(const ProcessSpec& launch);

// Waits up to timeoutMs for the child to end. Its exit status, 128 + the
// signal that ended it, or -1 when it is still running.
int WaitForExit(pid_t pid, int timeoutMs);

// Ends the child at once and reaps it; nothing when it has ended already.
void KillProcess(pid_t pid);

// Whether the child has not ended yet (without reaping it).
bool ProcessRunning(pid_t pid);

// A new empty directory under the system's temporary directory.
std::string MakeTempDirectory();
void RemoveTree(const std::string& path);

std::string ReadWholeFile(const std::string& path);
