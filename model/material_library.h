#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

struct Material {
  std::string name;
  uint32_t texture;  // OpenGL texture name; 0 = none
  float red;
  float green;
  float blue;
};

// Slots 1..20 hold the library's materials in order; slot 0 takes the lines
// that come before the first material and is never searched.
constexpr int kMaterialSlots = 21;
using MaterialTable = std::array<Material, kMaterialSlots>;

// The library that belongs to a model file: its name less the last four
// characters, followed by ".mtl".
std::string MaterialLibraryName(std::string_view modelFileName);

// Makes a texture from the named image file and returns its name, or 0 when
// the file cannot be loaded. The viewer passes LoadTexture (render/), which
// uploads to OpenGL; the readers themselves know no OpenGL.
using TextureMaker = uint32_t (*)(const std::string& fileName);

// Reads the model's material library into table, calling makeTexture for
// every diffuse map. False when it held more materials than the table takes.
bool ReadMaterialLibrary(std::string_view modelFileName, MaterialTable& table, TextureMaker makeTexture);
