#pragma once
#include <cstdio>
#include <string>

// Opens path for reading when it names a regular file. A directory, a device
// or a pipe counts as a file that cannot be opened: reading one would fail,
// never end, or wait for a writer. Returns nullptr when it cannot open.
std::FILE* OpenRegularFile(const std::string& path);
