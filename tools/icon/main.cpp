// make-icon OUTPUT_DIR: writes the program's icon: viewer-16.png,
// viewer-32.png, viewer-48.png and viewer-256.png for the Linux desktop, and
// viewer.ico with the same four pictures for the Windows shortcuts.
#include <cstdio>
#include <string>
#include <vector>

#include "emblem.h"
#include "ico.h"
#include "obj_writer.h"
#include "png.h"

int main(int argc, char** argv) {
  if (argc != 2 || argv[1][0] == '\0') {
    std::fprintf(stderr, "usage: make-icon OUTPUT_DIR\n");
    return 2;
  }
  const std::string directory = std::string(argv[1]) + "/";
  std::vector<RgbaImage> images;
  bool written = true;
  for (int size : {16, 32, 48, 256}) {
    images.push_back(DrawEmblem(size));
    written = WriteTextFile(directory + "viewer-" + std::to_string(size) + ".png", PngBytes(images.back())) && written;
  }
  written = WriteTextFile(directory + "viewer.ico", IcoBytes(images)) && written;
  if (!written) {
    std::fprintf(stderr, "make-icon: cannot write into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
