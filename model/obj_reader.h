#pragma once
#include <string>

#include "model/model.h"

// Reads the material library that belongs to fileName, then the model file
// itself into model, which must be all zeros. Writes a running account of
// what it reads through LogWrite; failures are reported there and nowhere else.
void LoadModel(const std::string& fileName, Model& model);
