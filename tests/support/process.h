#pragma once
// Starting programs as child processes and waiting for their end, and the
// one command line that starts the viewer.
#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

struct ChildProcess {
  std::string program;                 // a path, or a name looked up in PATH
  std::vector<std::string> arguments;  // after the program's own name
  std::string directory;               // working directory; "" keeps the test's
  std::vector<std::pair<std::string, std::string>> environment;  // set these
  std::vector<std::string> unsetEnvironment;                      // and unset these
  std::string stdoutPath;  // "" keeps the test's own stream
  std::string stderrPath;
  std::vector<int> closedDescriptors;  // closed in the child before it starts
};

// The child's pid, or -1 when it could not be started.
pid_t StartProcess(const ChildProcess& process);

// Waits up to timeoutMs for the child to end. Its exit status, 128 + the
// signal that ended it, or -1 when it is still running.
int WaitForExit(pid_t pid, int timeoutMs);

// Ends the child at once and reaps it; nothing when it has ended already.
void KillProcess(pid_t pid);

// Whether the child has not ended yet (without reaping it).
bool ProcessRunning(pid_t pid);

// The viewer, started in directory with its output going to the files given.
// The command is the words of VIEWER_COMMAND when that is set (for instance
// "wine /path/viewer.exe"), else the viewer built here; programFile, when
// given, takes the place of the command's last word, the viewer's own file.
ChildProcess ViewerProcess(const std::string& directory, const std::string& stdoutPath,
                          const std::string& stderrPath, const std::string& programFile = "");

// The viewer built here, whatever VIEWER_COMMAND says: what another build is
// compared with.
ChildProcess LinuxViewerProcess(const std::string& directory, const std::string& stdoutPath,
                                const std::string& stderrPath);

// The folder of the sample model the tests show: VIEWER_SAMPLE_DIRECTORY when
// that is set (a packaged copy, tools/test-packages.sh), else assets/.
std::string SampleModelDirectory();

// The viewer's own file: the last word of its command.
std::string ViewerProgramFile();

// Whether the viewer is the Linux build itself, not a VIEWER_COMMAND: the
// tests of signals, Valgrind and user ids make sense for it only.
bool ViewerIsLinuxBuild();
