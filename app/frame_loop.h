#pragma once
#include "app/view.h"
#include "model/model.h"

// The pause after each presented frame.
constexpr int kFramePauseMilliseconds = 17;

// One pass of the frame loop: read the keys, apply the key rules, follow the
// window's size, clear, set the view transform, draw the model, present and pause.
void RunFrame(ViewState& view, const Model& model);
