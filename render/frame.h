#pragma once
#include <cstdint>

// Starts a frame: clears colour and depth, and places the model: the
// model-view matrix becomes T(0, 0, distance) * Ry(yaw) * Rx(pitch), so pitch
// turns the model first, then yaw, then it moves along the view axis.
void BeginFrame(float distance, int32_t yaw, int32_t pitch);
