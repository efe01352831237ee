#include <clocale>
#include <initializer_list>

#include "tests/support/locales.h"

// The names Windows' C run-times take: language_country.codepage, and the
// tag that newer ones take too.
bool UseDecimalCommaLocale() {
  for (const char* name : {"German_Germany.1252", "de-DE", "French_France.1252"}) {
    if (std::setlocale(LC_ALL, name) == nullptr) continue;
    if (std::localeconv()->decimal_point[0] == ',') return true;
  }
  std::setlocale(LC_ALL, "C");
  return false;
}

void UseCLocale() { std::setlocale(LC_ALL, "C"); }
