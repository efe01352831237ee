#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/hostile_files.h"

void MakeSpecialFile(const std::string& path, HostileTexture::Kind kind) {
  if (kind == HostileTexture::kPipe) mkfifo(path.c_str(), 0644);
  if (kind == HostileTexture::kDevice) (void)symlink("/dev/zero", path.c_str());
}
