#include <stdlib.h>

#include <clocale>
#include <initializer_list>
#include <cstdlib>
#include <string>

#include "tests/support/files.h"
#include "tests/support/locales.h"

namespace {

std::string madeDirectory;

bool TryLocale(const char* name) {
  if (std::setlocale(LC_ALL, name) == nullptr) return false;
  if (std::localeconv()->decimal_point[0] == ',') return true;
  std::setlocale(LC_ALL, "C");
  return false;
}

}  // namespace

bool UseDecimalCommaLocale() {
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE"}) {
    if (TryLocale(name)) return true;
  }
  // None installed: build one into a private directory and point LOCPATH at it.
  madeDirectory = MakeTempDirectory();
  if (madeDirectory.empty()) return false;
  const std::string command = "localedef -i de_DE -f UTF-8 '" + madeDirectory + "/de_DE.UTF-8' >/dev/null 2>&1";
  if (std::system(command.c_str()) > 1) return false;  // 1 means warnings only
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
