#pragma once
// Locales for tests that numbers read the same under any of them. Each
// system names its locales its own way: locales_posix.cpp, locales_windows.cpp.

// Sets a locale whose decimal separator is a comma for the whole program,
// made first where none is installed; false when none could be had.
bool UseDecimalCommaLocale();

// Back to the C locale, with whatever was made for the other removed.
void UseCLocale();
