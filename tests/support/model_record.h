#pragma once
// The model record for tests: zeroed as the viewer zeroes it, or between two
// guard regions so that a write past either end shows.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "model/model.h"

bool AllZero(const void* bytes, std::size_t size);

// The record is about 300 KB: tests keep it on the heap.
std::unique_ptr<Model> ZeroModel();

template <typename T>
struct Guarded {
  static constexpr std::size_t kGuardSize = 4096;
  static constexpr unsigned char kGuardByte = 0xA5;
  unsigned char before[kGuardSize];
  T value;  // value-initialised: a Model is all zeros
  unsigned char after[kGuardSize];
};

template <typename T>
std::unique_ptr<Guarded<T>> MakeGuarded() {
  auto guarded = std::make_unique<Guarded<T>>();
  std::memset(guarded->before, Guarded<T>::kGuardByte, Guarded<T>::kGuardSize);
  std::memset(guarded->after, Guarded<T>::kGuardByte, Guarded<T>::kGuardSize);
  return guarded;
}

template <typename T>
bool GuardsIntact(const Guarded<T>& guarded) {
  for (std::size_t i = 0; i < Guarded<T>::kGuardSize; ++i) {
    if (guarded.before[i] != Guarded<T>::kGuardByte || guarded.after[i] != Guarded<T>::kGuardByte) return false;
  }
  return true;
}

using GuardedModel = Guarded<Model>;

// What a loaded record must hold however broken its file: the guards intact,
// entry 0 of every kind zero, lastFace as expected, corner counts within a
// face, corners past the count and faces past lastFace untouched, textures
// that the stand-in handed out or none.
void ExpectSoundRecord(const GuardedModel& guarded, int32_t expectedLastFace);
