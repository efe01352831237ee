#include "tests/support/allocation_counter.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> counting{false};
std::atomic<long> allocations{0};
std::atomic<std::size_t> largest{0};

void* Allocate(std::size_t size, std::size_t alignment = 0) {
  if (counting.load(std::memory_order_relaxed)) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    std::size_t seen = largest.load(std::memory_order_relaxed);
    while (size > seen && !largest.compare_exchange_weak(seen, size, std::memory_order_relaxed)) {
    }
  }
  if (size == 0) size = 1;
  if (alignment == 0) return std::malloc(size);
  // Aligned by hand, with the block's start kept just before the memory
  // handed out: not every C library has aligned_alloc (Windows' has none).
  if (size > SIZE_MAX - alignment - sizeof(void*)) return nullptr;
  void* block = std::malloc(size + alignment + sizeof(void*));
  if (block == nullptr) return nullptr;
  const std::uintptr_t start =
      (reinterpret_cast<std::uintptr_t>(block) + sizeof(void*) + alignment - 1) / alignment * alignment;
  reinterpret_cast<void**>(start)[-1] = block;
  return reinterpret_cast<void*>(start);
}

void FreeAligned(void* memory) {
  if (memory != nullptr) std::free(static_cast<void**>(memory)[-1]);
}

void* AllocateOrThrow(std::size_t size, std::size_t alignment = 0) {
  void* memory = Allocate(size, alignment);
  if (memory == nullptr) throw std::bad_alloc();
  return memory;
}

}  // namespace

void StartCountingAllocations() {
  allocations = 0;
  largest = 0;
  counting = true;
}

long StopCountingAllocations() {
  counting = false;
  return allocations.load();
}

std::size_t LargestAllocation() { return largest.load(); }

void* operator new(std::size_t size) { return AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new(std::size_t size, std::align_val_t alignment) {
  return AllocateOrThrow(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return AllocateOrThrow(size, static_cast<std::size_t>(alignment));
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return Allocate(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return Allocate(size, static_cast<std::size_t>(alignment));
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, std::align_val_t) noexcept { FreeAligned(memory); }
void operator delete[](void* memory, std::align_val_t) noexcept { FreeAligned(memory); }
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept { FreeAligned(memory); }
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept { FreeAligned(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
