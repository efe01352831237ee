#include <stdlib.h>

#include <clocale>
#include <initializer_list>
#include <filesystem>
#include <string>

#include "tests/support/files.h"
#include "tests/support/locales.h"
#include "tests/support/process.h"

namespace {

std::string madeDirectory;

bool TryLocale(const char* name) {
  if (std::setlocale(LC_ALL, name) == nullptr) return false;
  if (std::localeconv()->decimal_point[0] == ',') return true;
  std::setlocale(LC_ALL, "C");
  return false;
}

}  // namespace

bool MakeLocale(const std::string& directory, const std::string& name, const std::string& charset) {
  std::filesystem::create_directories(directory);
  ChildProcess localedef;
  localedef.program = "localedef";
  localedef.arguments = {"-i", name, "-f", charset, directory + "/" + name + "." + charset};
  localedef.stdoutPath = "/dev/null";
  localedef.stderrPath = "/dev/null";
  const pid_t pid = StartProcess(localedef);
  if (pid < 0) return false;
  const int status = WaitForExit(pid, 60000);
  if (status < 0) KillProcess(pid);
  return status == 0 || status == 1;  // 1 means warnings only
}

bool UseDecimalCommaLocale() {
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE"}) {
    if (TryLocale(name)) return true;
  }
  // None installed: build one into a private directory and point LOCPATH at it.
  madeDirectory = MakeTempDirectory();
  if (madeDirectory.empty()) return false;
  if (!MakeLocale(madeDirectory, "de_DE", "UTF-8")) return false;
  setenv("LOCPATH", madeDirectory.c_str(), 1);
  return TryLocale("de_DE.UTF-8");
}

void UseCLocale() {
  std::setlocale(LC_ALL, "C");
  if (madeDirectory.empty()) return;
  RemoveTree(madeDirectory);
  unsetenv("LOCPATH");
  madeDirectory.clear();
}
