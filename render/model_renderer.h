#pragma once
#include "model/model.h"

// Sends every face of the model to OpenGL in immediate mode, in file order,
// except faces that would read outside the record.
void DrawModel(const Model& model);

// Whether drawing the face stays inside the record: its corner count fits a
// Face and every index it uses addresses an entry 0..600. DrawModel skips
// faces for which this is false.
bool FaceStaysInRecord(const Face& face);
