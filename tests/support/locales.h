#pragma once
#include <string>

// Locales for tests that numbers read the same under any of them. Each
// system names its locales its own way: locales_posix.cpp, locales_windows.cpp.

// Sets a locale whose decimal separator is a comma for the whole program,
// made first where none is installed; false when none could be had.
bool UseDecimalCommaLocale();

// Back to the C locale, with whatever was made for the other removed.
void UseCLocale();

// POSIX only: builds the locale name.charset from the system's locale sources
// into directory, for a program started with LOCPATH naming it; false when
// localedef fails.
bool MakeLocale(const std::string& directory, const std::string& name, const std::string& charset);
