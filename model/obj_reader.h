#pragma once
#include <cstdint>
#include <string>

#include "model/material_library.h"
#include "model/model.h"

// What loading found beyond the progress text, for the messages that tell the
// user why the picture is empty or incomplete.
struct LoadSummary {
  bool modelOpened;       // false: the record stays all zeros
  bool capacityExceeded;  // lines, corners or materials were left out
  // The model file's line number (from 1) of each stored face.
  int64_t faceLines[kFaceCapacity];
};

// Reads fileName's material library (a texture from makeTexture per diffuse map),
// then the model file into model, which must be all zeros. Its running account,
// failures included, goes to LogWrite and nowhere else.
LoadSummary LoadModel(const std::string& fileName, Model& model, TextureMaker makeTexture);
