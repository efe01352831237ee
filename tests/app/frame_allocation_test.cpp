// The frame loop allocates nothing: frames of the real loop (RunFrame, as the
// viewer's main runs it) on the real window, with the sample model loaded and
// keys held, counted through this binary's own global allocation functions.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "app/frame_loop.h"
#include "app/view.h"
#include "model/model.h"
#include "model/obj_reader.h"
#include "platform/log.h"
#include "platform/screen.h"
#include "render/scene.h"
#include "tests/platform/screen_fixture.h"

namespace {

// Counted on every thread while counting is on: the renderer's threads too.
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

void* Allocate(std::size_t size, std::size_t alignment = 0) {
  if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1, std::memory_order_relaxed);
  if (size == 0) size = 1;
  if (alignment > alignof(std::max_align_t)) {
    size = (size + alignment - 1) / alignment * alignment;  // aligned_alloc wants a multiple
    return std::aligned_alloc(alignment, size);
  }
  return std::malloc(size);
}

void* AllocateOrThrow(std::size_t size, std::size_t alignment = 0) {
  void* memory = Allocate(size, alignment);
  if (memory == nullptr) throw std::bad_alloc();
  return memory;
}

}  // namespace

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
void operator delete(void* memory, std::align_val_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::align_val_t) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }

namespace {

// The viewer's record, in static storage as in the viewer.
Model model;

class FrameAllocationTest : public ScreenTest {
 protected:
  // The viewer's start-up: the record zeroed, the window open, the scene set.
  void SetUp() override {
    ASSERT_EQ(chdir(SAMPLE_MODEL_DIRECTORY), 0);
    model = Model{};
    view = InitialView();
    ScreenTest::SetUp();
    if (HasFatalFailure()) return;
    SetUpScene();
  }

  // Allocations made while count frames of the real loop run.
  long CountFrames(int count) {
    long counted = 0;
    for (int i = 0; i < count; ++i) {
      const long before = allocations.load();
      counting = true;
      RunFrame(view, model);
      counting = false;
      counted += allocations.load() - before;
    }
    return counted;
  }

  // The first frames take in the window's opening events and let the renderer
  // build its state for what the model needs: that is start-up, not a frame.
  void WarmUp() { CountFrames(10); }

  ViewState view{};
};

TEST_F(FrameAllocationTest, CountsAllocationsOfEveryKind) {
  // Guards against a test that passes because nothing is counted.
  // Kept in volatile places, so the compiler cannot leave the pairs out.
  static int* volatile one;
  static char* volatile three;
  static double* volatile noThrow;
  counting = true;
  const long before = allocations.load();
  one = new int(1);
  three = new char[3];
  noThrow = new (std::nothrow) double(2.0);
  counting = false;
  delete one;
  delete[] three;
  delete noThrow;
  EXPECT_EQ(allocations.load() - before, 3);
}

TEST_F(FrameAllocationTest, FramesOfTheSampleModelAllocateNothing) {
  LogSetStream(nullptr);
  LoadModel("enterprise.obj", model);
  LogSetStream(stdout);
  ASSERT_GT(model.lastFace, 100) << "the sample model did not load";
  WarmUp();

  EXPECT_EQ(CountFrames(60), 0) << "frames with no key held";

  // Keys held: the view changes every frame and key events come in.
  PressKey(driver, "Left");
  PressKey(driver, "q");
  const long withKeys = CountFrames(60);
  ReleaseKey(driver, "Left");
  ReleaseKey(driver, "q");
  const long afterRelease = CountFrames(10);
  EXPECT_EQ(withKeys, 0) << "frames with Left and Q held";
  EXPECT_EQ(afterRelease, 0) << "frames after the keys were released";
  EXPECT_NE(view.yaw, 180) << "the held keys did not reach the frames";
  EXPECT_FALSE(view.quitRequested);
}

TEST_F(FrameAllocationTest, FramesWithoutAModelAllocateNothing) {
  // An all-zero record, as when enterprise.obj is missing.
  WarmUp();
  EXPECT_EQ(CountFrames(60), 0);
}

}  // namespace
