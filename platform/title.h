#pragma once
// The window's caption: the program file's own name, without its directory
// and its last extension.
#include <string>
#include <string_view>

// The base name of path (after its last '/'), cut at its last full stop:
// "/usr/bin/viewer" gives "viewer", "my.viewer.bin" gives "my.viewer".
std::string TitleFromPath(std::string_view path);

// The full path of the running program's executable file, however long;
// empty when the system does not tell.
std::string ExecutablePath();
