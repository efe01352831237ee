#include "tests/support/process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

namespace {

void RedirectTo(const std::string& path, int target) {
  if (path.empty()) return;
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) _exit(126);
  dup2(fd, target);
  close(fd);
}

int StatusOf(int waitStatus) {
  if (WIFEXITED(waitStatus)) return WEXITSTATUS(waitStatus);
  if (WIFSIGNALED(waitStatus)) return 128 + WTERMSIG(waitStatus);
  return -1;
}

std::vector<std::string> ViewerCommand() {
  std::vector<std::string> words;
  if (const char* command = std::getenv("VIEWER_COMMAND")) {
    std::istringstream text(command);
    for (std::string word; text >> word;) words.push_back(word);
  }
  if (words.empty()) words.push_back(VIEWER_BUILD_PATH);
  return words;
}

}  // namespace

pid_t StartProcess(const ChildProcess& process) {
  std::vector<std::string> words;
  words.push_back(process.program);
  words.insert(words.end(), process.arguments.begin(), process.arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  const pid_t pid = fork();
  if (pid != 0) return pid;
  // The child. Programs that start children here run no other threads, so
  // setenv and open are safe between fork and exec.
  if (!process.directory.empty() && chdir(process.directory.c_str()) != 0) _exit(126);
  for (const auto& [name, value] : process.environment) setenv(name.c_str(), value.c_str(), 1);
  for (const std::string& name : process.unsetEnvironment) unsetenv(name.c_str());
  RedirectTo(process.stdoutPath, STDOUT_FILENO);
  RedirectTo(process.stderrPath, STDERR_FILENO);
  for (int descriptor : process.closedDescriptors) close(descriptor);
  execvp(argv[0], argv.data());
  _exit(127);
}

int WaitForExit(pid_t pid, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    int waitStatus = 0;
    const pid_t result = waitpid(pid, &waitStatus, WNOHANG);
    if (result == pid) return StatusOf(waitStatus);
    if (result < 0) return -1;
    if (std::chrono::steady_clock::now() > deadline) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

void KillProcess(pid_t pid) {
  // A child that was reaped already is left alone: its pid may name another process by now.
  if (pid <= 0 || !ProcessRunning(pid)) return;
  if (kill(pid, SIGKILL) == 0) waitpid(pid, nullptr, 0);
}

bool ProcessRunning(pid_t pid) {
  siginfo_t info{};
  return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == 0;
}

ChildProcess ViewerProcess(const std::string& directory, const std::string& stdoutPath,
                          const std::string& stderrPath, const std::string& programFile) {
  std::vector<std::string> words = ViewerCommand();
  if (!programFile.empty()) words.back() = programFile;
  ChildProcess process;
  process.program = words.front();
  process.arguments.assign(words.begin() + 1, words.end());
  process.directory = directory;
  process.stdoutPath = stdoutPath;
  process.stderrPath = stderrPath;
  return process;
}

ChildProcess LinuxViewerProcess(const std::string& directory, const std::string& stdoutPath,
                                const std::string& stderrPath) {
  ChildProcess process = ViewerProcess(directory, stdoutPath, stderrPath);
  process.program = VIEWER_BUILD_PATH;
  process.arguments.clear();
  return process;
}

std::string SampleModelDirectory() {
  const char* directory = std::getenv("VIEWER_SAMPLE_DIRECTORY");
  return directory != nullptr && directory[0] != '\0' ? directory : SAMPLE_MODEL_DIRECTORY;
}

std::string ViewerProgramFile() { return ViewerCommand().back(); }

bool ViewerIsLinuxBuild() {
  const char* command = std::getenv("VIEWER_COMMAND");
  return command == nullptr || std::string(command).find_first_not_of(" \t\n") == std::string::npos;
}
