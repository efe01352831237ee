#pragma once
#include <string>

#include "model/material_library.h"
#include "model/model.h"

// Reads the material library that belongs to fileName, making a texture with
// makeTexture for every diffuse map, then the model file itself into model,
// which must be all zeros. Writes a running account of what it reads through
// LogWrite; failures are reported there and nowhere else.
void LoadModel(const std::string& fileName, Model& model, TextureMaker makeTexture);
