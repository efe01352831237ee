#pragma once
// Scancodes name keys by their PC set-1 numbers, 0..127: the viewer's seven.

constexpr int kScancodeEscape = 1;
constexpr int kScancodeQ = 16;
constexpr int kScancodeA = 30;
constexpr int kScancodeUp = 72;
constexpr int kScancodeLeft = 75;
constexpr int kScancodeRight = 77;
constexpr int kScancodeDown = 80;
constexpr int kScancodeCount = 128;
