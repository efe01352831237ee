// Each flip takes every message of the thread, not only the window's: one
// posted to the thread, and one to another window of the thread (as the input
// method's), would otherwise stay in its queue for good.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/screen.h"

namespace {

int takenByOtherWindow = 0;

LRESULT CALLBACK CountMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP) ++takenByOtherWindow;
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST(ScreenFlip, TakesEveryMessageOfTheThread) {
  ASSERT_EQ(ScreenOpen(kModeVga, kColourDepth32, kOnePage, kFlagOpenGl, kAnyRefreshRate), 0) << ScreenError();
  WNDCLASSW otherClass{};
  otherClass.lpfnWndProc = CountMessage;
  otherClass.hInstance = GetModuleHandleW(nullptr);
  otherClass.lpszClassName = L"other window";
  ASSERT_NE(RegisterClassW(&otherClass), 0);
  const HWND other =
      CreateWindowExW(0, L"other window", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(other, nullptr);
  ASSERT_TRUE(PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0));
  ASSERT_TRUE(PostMessageW(other, WM_APP, 0, 0));

  ScreenFlip();
  MSG left;
  EXPECT_FALSE(PeekMessageW(&left, nullptr, WM_APP, WM_APP, PM_NOREMOVE)) << "a message stayed in the queue";
  EXPECT_EQ(takenByOtherWindow, 1);
  DestroyWindow(other);
  ScreenClose();
}

}  // namespace
