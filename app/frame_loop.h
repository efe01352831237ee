#pragma once
#include "app/view.h"
#include "model/model.h"

// One pass of the frame loop: read the keys, apply the key rules, clear,
// set the view transform, draw the model, present and pause 17 ms.
void RunFrame(ViewState& view, const Model& model);
