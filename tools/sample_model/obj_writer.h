#pragma once
// Writing the ship as a model file and its material library.
#include <string>
#include <vector>

#include "mesh.h"

struct ShipMaterial {
  std::string name;
  double red;
  double green;
  double blue;
  std::string textureFile;  // empty: colour only
};

// Numbers in the model file: fixed four decimals, never "-0.0000", so that the
// file is the same byte for byte on every machine.
std::string FormatNumber(double value);

// The model file's text: positions, texture coordinates and normals, each
// written once however many corners share it, then the faces as
// position/texture/normal corners under material selections. LF line ends.
std::string ObjText(const Mesh& mesh, const std::vector<ShipMaterial>& materials,
                    const std::string& libraryName);

std::string MtlText(const std::vector<ShipMaterial>& materials);

// False when the file cannot be written.
bool WriteTextFile(const std::string& path, const std::string& text);
