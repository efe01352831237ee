#pragma once
#include <cstdio>
#include <memory>
#include <string>

// Closes a file when its owner goes out of scope.
struct CloseFile {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using OwnedFile = std::unique_ptr<std::FILE, CloseFile>;

// Opens path for binary reading when it names a regular file: the readers
// keep every byte, CR and 0x1A included, and apply their own line rules. A
// directory, a device or a pipe counts as a file that cannot be opened:
// reading one would fail, never end, or wait for a writer. Returns nullptr
// when it cannot open.
OwnedFile OpenRegularFile(const std::string& path);
