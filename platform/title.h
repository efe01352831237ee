#pragma once
// The window's caption: the program file's own name, without its directory
// and its last extension.
#include <string>
#include <string_view>

// The part of path after its last separator (any byte of separators), cut at
// its last full stop: "/usr/bin/viewer" gives "viewer", "my.viewer.bin" gives
// "my.viewer", a name without a full stop is taken whole.
std::string TitleFromPath(std::string_view path, std::string_view separators);
