#pragma once
#include <cstdio>
#include <memory>
#include <string>

// Closes a file when its owner goes out of scope.
struct CloseFile {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using OwnedFile = std::unique_ptr<std::FILE, CloseFile>;

// Opens path for binary reading if it names a regular file, else nullptr:
// the readers keep every byte (CR and 0x1A too) under their own line rules, and
// reading a directory, device or pipe would fail, never end, or wait for a writer.
OwnedFile OpenRegularFile(const std::string& path);
