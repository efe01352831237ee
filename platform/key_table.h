#pragma once
// Each layer's table of {Key, code} rows, checked when it is compiled: every
// key after Key::None appears in exactly one row. Rows are written in any
// order; IndexByKey turns them into an array indexed by Key, built by the
// compiler, so that a lookup costs one index.
#include <array>
#include <cstddef>

#include "platform/key_map.h"

constexpr std::size_t kKeyCount = static_cast<std::size_t>(Key::Count);

template <typename Row, std::size_t rowCount>
constexpr bool CoversEveryKeyOnce(const Row (&rows)[rowCount]) {
  int seen[kKeyCount] = {};
  for (const Row& row : rows) {
    if (row.key <= Key::None || row.key >= Key::Count) return false;
    ++seen[static_cast<std::size_t>(row.key)];
  }
  for (std::size_t key = 1; key < kKeyCount; ++key) {
    if (seen[key] != 1) return false;
  }
  return true;
}

// The rows by their key; Key::None's entry is a value-initialised row.
template <typename Row, std::size_t rowCount>
constexpr std::array<Row, kKeyCount> IndexByKey(const Row (&rows)[rowCount]) {
  std::array<Row, kKeyCount> index{};
  for (const Row& row : rows) index[static_cast<std::size_t>(row.key)] = row;
  return index;
}
