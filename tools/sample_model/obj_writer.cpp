#include "obj_writer.h"

#include <cstdio>
#include <initializer_list>
#include <map>
#include <string>

namespace {

// Gives each distinct text a number from 1 in order of first use.
struct NumberedLines {
  std::map<std::string, int> numbers;
  std::string lines;
};

int LineNumber(NumberedLines& list, const std::string& prefix, const std::string& values) {
  const auto found = list.numbers.find(values);
  if (found != list.numbers.end()) return found->second;
  const int number = static_cast<int>(list.numbers.size()) + 1;
  list.numbers.emplace(values, number);
  list.lines += prefix + values + "\n";
  return number;
}

std::string Joined(std::initializer_list<double> values) {
  std::string text;
  for (double value : values) {
    if (!text.empty()) text += ' ';
    text += FormatNumber(value);
  }
  return text;
}

}  // namespace

std::string FormatNumber(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.4f", value);
  std::string text = buffer;
  if (text == "-0.0000") text = "0.0000";
  return text;
}

std::string ObjText(const Mesh& mesh, const std::vector<ShipMaterial>& materials,
                    const std::string& libraryName) {
  NumberedLines positions;
  NumberedLines texCoords;
  NumberedLines normals;
  std::string faces;
  int currentMaterial = -1;
  std::size_t faceCount = 0;
  for (const Polygon& polygon : mesh.polygons) {
    if (polygon.material != currentMaterial) {
      currentMaterial = polygon.material;
      faces += "usemtl " + materials[static_cast<std::size_t>(currentMaterial)].name + "\n";
    }
    faces += "f";
    for (const Corner& corner : polygon.corners) {
      const Vec3d p = corner.position;
      const Vec3d n = corner.normal;
      const int v = LineNumber(positions, "v ", Joined({p.x, p.y, p.z}));
      const int vt = LineNumber(texCoords, "vt ", Joined({corner.texCoord.u, corner.texCoord.v}));
      const int vn = LineNumber(normals, "vn ", Joined({n.x, n.y, n.z}));
      faces += " " + std::to_string(v) + "/" + std::to_string(vt) + "/" + std::to_string(vn);
    }
    faces += "\n";
    ++faceCount;
  }

  std::string text;
  text += "# A small starship, made by make-sample-model from simple shapes.\n";
  text += "# " + std::to_string(positions.numbers.size()) + " positions, " +
          std::to_string(texCoords.numbers.size()) + " texture coordinates, " +
          std::to_string(normals.numbers.size()) + " normals, " + std::to_string(faceCount) +
          " faces.\n";
  text += "mtllib " + libraryName + "\n";
  text += positions.lines + texCoords.lines + normals.lines + faces;
  return text;
}

std::string MtlText(const std::vector<ShipMaterial>& materials) {
  std::string text = "# Materials of the starship, made by make-sample-model.\n";
  for (const ShipMaterial& material : materials) {
    text += "\nnewmtl " + material.name + "\n";
    text += "Kd " + Joined({material.red, material.green, material.blue}) + "\n";
    if (!material.textureFile.empty()) text += "map_Kd " + material.textureFile + "\n";
  }
  return text;
}

bool WriteTextFile(const std::string& path, const std::string& text) {
  // Binary mode: LF line ends whatever the platform.
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written;
}
