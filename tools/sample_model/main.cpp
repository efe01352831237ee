// make-sample-model OUTPUT_DIR: writes the sample starship that the viewer
// shows: enterprise.obj, enterprise.mtl and the BMP textures they name.
#include <cstdio>
#include <string>

#include "image.h"
#include "obj_writer.h"
#include "starship.h"

int main(int argc, char** argv) {
  if (argc != 2 || argv[1][0] == '\0') {
    std::fprintf(stderr, "usage: make-sample-model OUTPUT_DIR\n");
    return 2;
  }
  const std::string directory = std::string(argv[1]) + "/";
  const Starship ship = BuildStarship();

  bool written = WriteTextFile(directory + "enterprise.obj", ObjText(ship.mesh, ship.materials, "enterprise.mtl"));
  written = WriteTextFile(directory + "enterprise.mtl", MtlText(ship.materials)) && written;
  for (const TextureFile& texture : ship.textures) {
    written = WriteTextFile(directory + texture.fileName, BmpBytes(texture.image)) && written;
  }
  if (!written) {
    std::fprintf(stderr, "make-sample-model: cannot write into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
