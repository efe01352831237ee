// The layer's messages on a real window. Each flip takes every message of the
// thread, not only the window's: one posted to the thread, and one to another
// window of the thread (as the input method's), would otherwise stay in its
// queue for good. WM_SIZE tells the drawable's size, once.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/screen.h"
#include "platform/win32/display_state.h"

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

TEST(ScreenSizeChanged, TellsEachNewClientAreaOnce) {
  ASSERT_EQ(ScreenOpen(kModeVga, kColourDepth32, kOnePage, kFlagOpenGl, kAnyRefreshRate), 0) << ScreenError();
  int width = 0;
  int height = 0;
  ScreenFlip();
  EXPECT_FALSE(ScreenSizeChanged(width, height)) << "opened at " << width << " x " << height;
  const HWND window = ScreenWindow();
  RECT outer{0, 0, 800, 600};
  AdjustWindowRect(&outer, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE);
  SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top, SWP_NOZORDER | SWP_NOMOVE);
  ScreenFlip();
  ASSERT_TRUE(ScreenSizeChanged(width, height));
  EXPECT_EQ(width, 800);
  EXPECT_EQ(height, 600);
  EXPECT_FALSE(ScreenSizeChanged(width, height));
  // A minimised window's empty client area is no size to draw at.
  ShowWindow(window, SW_MINIMIZE);
  ScreenFlip();
  EXPECT_FALSE(ScreenSizeChanged(width, height)) << width << " x " << height;
  ScreenClose();
}

}  // namespace
