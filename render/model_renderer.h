#pragma once
#include "model/model.h"

// Sends every face of the model to OpenGL in immediate mode, in file order,
// except faces that would read outside the record.
void DrawModel(const Model& model);
