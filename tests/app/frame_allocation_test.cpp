// The frame loop allocates nothing: frames of the real loop (RunFrame, as the
// viewer's main runs it) on the real window, with the sample model loaded and
// keys held, counted through the global allocation functions of
// tests/support/allocation_counter.
#include <gtest/gtest.h>
#include <unistd.h>

#include <new>

#include "app/frame_loop.h"
#include "app/view.h"
#include "model/model.h"
#include "model/obj_reader.h"
#include "platform/log.h"
#include "platform/screen.h"
#include "render/scene.h"
#include "render/texture_loader.h"
#include "tests/support/allocation_counter.h"
#include "tests/support/display_test.h"

namespace {

// The viewer's record, in static storage as in the viewer.
Model model;

class FrameAllocationTest : public ScreenTest {
 protected:
  // The viewer's start-up: the record zeroed, the window open, the scene set.
  void SetUp() override {
    model = Model{};
    view = InitialView();
    ScreenTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_EQ(chdir(SAMPLE_MODEL_DIRECTORY), 0);
    SetUpScene();
  }

  // Allocations made while count frames of the real loop run.
  long CountFrames(int count) {
    StartCountingAllocations();
    for (int i = 0; i < count; ++i) RunFrame(view, model);
    return StopCountingAllocations();
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
  StartCountingAllocations();
  one = new int(1);
  three = new char[3];
  noThrow = new (std::nothrow) double(2.0);
  const long counted = StopCountingAllocations();
  delete one;
  delete[] three;
  delete noThrow;
  EXPECT_EQ(counted, 3);
}

TEST_F(FrameAllocationTest, FramesOfTheSampleModelAllocateNothing) {
  LogSetStream(nullptr);
  LoadModel("enterprise.obj", model, LoadTexture);
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
