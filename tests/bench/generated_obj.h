#pragma once
// Model files for the loading benchmark: the kinds of line a modelling tool
// writes, in the proportions of a closed mesh, repeated to a given size.
#include <cstddef>
#include <string>

// Writes a model file of about byteCount bytes (never less) to path: vertex
// positions with six decimals, normals, texture coordinates, triangles whose
// corners carry all three indices, a material selection every few hundred
// faces, and the odd comment, object, group and smoothing line. No material
// library is named. The same size always gives the same bytes.
// Returns false when the file cannot be written.
bool WriteGeneratedObj(const std::string& path, std::size_t byteCount);
