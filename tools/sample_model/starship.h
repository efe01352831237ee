#pragma once
// The sample starship: a saucer with a bridge dome, a neck, a secondary hull
// with a deflector dish, and two engine nacelles on pylons.
#include <string>
#include <vector>

#include "image.h"
#include "mesh.h"
#include "obj_writer.h"

struct TextureFile {
  std::string fileName;
  Image image;
};

struct Starship {
  Mesh mesh;
  std::vector<ShipMaterial> materials;
  std::vector<TextureFile> textures;
};

// The ship placed for the viewer's start view: centred on the origin and
// turned so that, after the viewer's half turn, the bow points to the right
// and a little towards the viewer, with the top tipped towards the viewer.
Starship BuildStarship();
