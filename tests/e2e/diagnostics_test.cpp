// What the viewer tells the person at the screen on standard error when the
// picture is empty or wrong, and that a reader of its progress text that goes
// away does not end it. The progress text itself stays as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/bmp_files.h"
#include "tests/support/display_test.h"

namespace {

using ViewerDiagnostics = DisplayTest;

// Each cause gives its own line, once: a model file that is missing or no
// file; a texture that is no 24-bit BMP; faces that are not drawn (out of the
// record, or of fewer than three corners), or drawn black; more materials
// than the table holds. The account model's progress text is the golden one,
// byte for byte. A directory named in non-ASCII UTF-8 is named as it is
// spelt.
TEST_F(ViewerDiagnostics, EachCauseGivesOneLineOnStandardError) {
  const std::string empty = scratch + "/l\xC3\xA4uft-\xD0\xBF\xD1\x83\xD1\x81\xD0\xBA";  // läuft-пуск
  std::filesystem::create_directory(empty);
  EXPECT_EQ(RunUntilEscape(empty).status, 0);
  EXPECT_EQ(Stderr(), "viewer: no enterprise.obj in " + ViewerPath(empty) + "; the window stays empty\n");

  std::filesystem::create_directory(run + "/enterprise.obj");
  EXPECT_EQ(RunUntilEscape(run).status, 0);
  EXPECT_EQ(Stderr(), "viewer: enterprise.obj in " + ViewerPath(run) + " is no readable file; the window stays empty\n");

  const std::string account = std::string(READER_TEST_DATA) + "/account/";
  const std::string golden = scratch + "/golden";
  std::filesystem::create_directory(golden);
  for (const char* file : {"enterprise.obj", "enterprise.mtl"}) std::filesystem::copy_file(account + file, golden + "/" + file);
  WriteFile(golden + "/hull.bmp", GreyBmp(4, 4));
  EXPECT_EQ(RunUntilEscape(golden).status, 0);
  EXPECT_EQ(Stdout(), ReadWholeFile(account + "expected_progress.txt"));
  EXPECT_EQ(Stderr(),
            "viewer: 2 faces have fewer than three corners and are not drawn; the first is on line 14 of "
            "enterprise.obj\n"
            "viewer: 1 face has no material colour or texture (no usemtl before it, or one that names no material "
            "of the library); it is drawn black on the black background\n");

  const std::string broken = scratch + "/broken";
  std::filesystem::create_directory(broken);
  // 22 materials: the last two do not fit.
  std::string library = "newmtl first\nmap_Kd deep.bmp\nmap_Kd photo.bmp\n";
  for (int i = 1; i <= 21; ++i) library += "newmtl m" + std::to_string(i) + "\nKd 1 1 1\n";
  WriteFile(broken + "/enterprise.mtl", library);
  std::string deep = BmpHeader(1, 1) + "abcd";
  deep[0] = 'B';
  deep[1] = 'M';
  deep[28] = 32;  // bits per pixel
  WriteFile(broken + "/deep.bmp", deep);
  WriteFile(broken + "/photo.bmp", "\x89PNG\r\n\x1a\n" + std::string(60, '\0'));
  WriteFile(broken + "/enterprise.obj",
            "v 0 0 0\nv 1 0 0\nv 0 1 0\n"
            "f 1 2 3\n"          // line 4: before any material, black
            "usemtl m1\n"
            "f 1 2 -1\n"         // line 6: a relative index, not drawn
            "f 1 2 3\n"
            "f 1/700 2 3\n");    // line 8: beyond the record, not drawn
  EXPECT_EQ(RunUntilEscape(broken).status, 0);
  EXPECT_NE(Stdout().find("{1}{1}{1}\r\nIgnored 2 materials beyond the first 20\r\n"), std::string::npos);
  EXPECT_EQ(Stderr(),
            "viewer: texture file [deep.bmp] is no uncompressed 24-bit BMP: its header has 32 bits per pixel\n"
            "viewer: texture file [photo.bmp] is no uncompressed 24-bit BMP: its header does not begin with \"BM\"\n"
            "viewer: 2 faces are not drawn: they use a vertex, normal or texture coordinate number outside 0..600 "
            "(negative, relative or too large); the first is on line 6 of enterprise.obj\n"
            "viewer: 1 face has no material colour or texture (no usemtl before it, or one that names no material "
            "of the library); it is drawn black on the black background\n"
            "viewer: the model holds more than the viewer can; the picture shows only what fitted\n");
}

// Started without standard error (from the desktop, on Windows), a window
// that shows nothing says why in a message box owned by it; closing the box
// leaves the viewer running. A model that shows gets no box. The Linux
// build's standard error is always there.
TEST_F(ViewerDiagnostics, WithoutStandardErrorAnEmptyWindowSaysWhyInABox) {
  if (ViewerIsLinuxBuild()) GTEST_SKIP() << "a program started from the Windows desktop has no standard error";
  ChildProcess viewer = ViewerProcess(SampleModelDirectory(), scratch + "/stdout", "");
  viewer.closedDescriptors = {2};
  pid_t pid = Launch(viewer);
  ASSERT_NE(FindViewerWindow(pid), 0u);
  for (int waited = 0; !EndsWith(Stdout(), "Done!\r\n") && waited < kViewerStartMs; waited += 50) SleepMs(50);
  SleepMs(500);
  EXPECT_EQ(WindowsOfProcess(driver, pid).size(), 1u) << "a box for a model that shows";
  EXPECT_EQ(PressEscapeAndWait(pid), 0);

  viewer.directory = run;
  pid = Launch(viewer);
  std::vector<WindowId> windows;
  for (int waited = 0; windows.size() < 2 && waited < kViewerStartMs; waited += 50) {
    SleepMs(50);
    windows = WindowsOfProcess(driver, pid);
  }
  ASSERT_EQ(windows.size(), 2u) << "no message box beside the window";
  // The box belongs to the viewer's window.
  const bool boxFirst = OwnerOf(driver, windows[0]) == windows[1];
  const WindowId box = windows[boxFirst ? 0 : 1];
  EXPECT_EQ(OwnerOf(driver, box), windows[boxFirst ? 1 : 0]) << "the box is not the viewer window's own";
  EXPECT_EQ(WindowTitle(driver, box), "viewer");
  // Its text, which Wine draws itself, is read through the Windows calls by
  // a program of the same build (tools/test-windows.sh names it).
  if (const char* command = std::getenv("VIEWER_BOX_TEXT_COMMAND")) {
    ChildProcess boxText;
    std::istringstream words(command);
    words >> boxText.program;
    for (std::string word; words >> word;) boxText.arguments.push_back(word);
    boxText.arguments.push_back("viewer");
    boxText.stdoutPath = scratch + "/box";
    EXPECT_EQ(WaitForExit(StartProcess(boxText), kViewerStartMs), 0) << "no box captioned viewer";
    const std::string text = ReadWholeFile(scratch + "/box");
    EXPECT_EQ(text.rfind("viewer: no enterprise.obj in ", 0), 0u) << "the box says: " << text;
  }
  GiveFocus(driver, box);
  HoldKey(driver, "Return", kKeyHoldMs);
  for (int waited = 0; windows.size() > 1 && waited < kViewerEndMs; waited += 50) {
    SleepMs(50);
    windows = WindowsOfProcess(driver, pid);
  }
  EXPECT_EQ(windows.size(), 1u) << "the box did not close";
  SleepMs(500);
  ASSERT_TRUE(ProcessRunning(pid));
  ASSERT_NE(FindViewerWindow(pid), 0u);
  EXPECT_EQ(PressEscapeAndWait(pid), 0);
}

// A windowed Windows program started from a console (cmd, on a terminal of
// its own) writes nothing there: the console does not wait for it, and its
// text would spill over the prompt. Redirected there, all of its progress
// text reaches the file, byte for byte as the Linux build writes it. The
// Linux build's standard output is the terminal, on purpose.
TEST_F(ViewerDiagnostics, FromAConsoleTheProgressTextGoesOnlyWhereItIsRedirected) {
  if (ViewerIsLinuxBuild()) GTEST_SKIP() << "a terminal is where the Linux build's progress text belongs";
  const std::string linuxProgress = RunUntilEscape(SampleModelDirectory(), true, true).progress;
  const ChildProcess viewer = ViewerProcess(SampleModelDirectory(), "", "");
  // "wine cmd /c viewer.exe", through script's shell, every word quoted.
  std::string command = "'" + viewer.program + "'";
  for (std::size_t i = 0; i + 1 < viewer.arguments.size(); ++i) command += " '" + viewer.arguments[i] + "'";
  command += " cmd /c '" + viewer.arguments.back() + "'";
  const std::string progress = scratch + "/progress";
  for (const std::string& redirection : {std::string(), " '>' '" + ViewerPath(progress) + "'"}) {
    SCOPED_TRACE(redirection);
    ChildProcess console;
    console.program = "script";
    console.arguments = {"-q", "-e", "-c", command + redirection, "/dev/null"};
    console.directory = SampleModelDirectory();
    console.stdoutPath = scratch + "/terminal";
    const pid_t pid = Launch(console);
    // cmd starts the viewer as a process of its own.
    const WindowId window = FindViewerWindow(ProcessShowingWindowTitled(driver, "viewer", kViewerStartMs));
    ASSERT_NE(window, 0u);
    for (int waited = 0; LitPixels(ReadWindowPixels(driver, window)) == 0 && waited < kViewerStartMs; waited += 50) {
      SleepMs(50);
    }
    EXPECT_EQ(PressEscapeAndWait(pid), 0);
    const std::string terminal = ReadWholeFile(scratch + "/terminal");
    EXPECT_TRUE(terminal.empty()) << "the console got " << terminal.size() << " bytes: " << terminal.substr(0, 60);
  }
  EXPECT_EQ(ReadWholeFile(progress), linuxProgress);
}

// Alt+Enter on a display without a 640 x 480 mode: said once, however often
// it is pressed.
TEST_F(ViewerDiagnostics, NoFullScreenModeIsSaidOnce) {
  const std::vector<unsigned long> removed = RemoveDisplayModes(driver, 640, 480);
  const pid_t pid = LaunchViewer();
  ASSERT_NE(FindViewerWindow(pid), 0u);
  for (int i = 0; i < 2; ++i) {
    PressAltEnter();
    SleepMs(200);
  }
  EXPECT_EQ(PressEscapeAndWait(pid), 0);
  RestoreDisplayModes(driver, removed);
  EXPECT_NE(Stderr().find("viewer: the display has no 640 x 480 mode; the picture stays in its window\n"),
            std::string::npos);
  EXPECT_EQ(Stderr().find("640 x 480 mode", Stderr().find("640 x 480 mode") + 1), std::string::npos);
}

// viewer | head -3: the reader goes away while the progress text of the
// sample model (more than a pipe holds) is still being written. The viewer
// drops the rest and runs on until Escape.
TEST_F(ViewerDiagnostics, AReaderThatGoesAwayDoesNotEndIt) {
  const std::string pipe = scratch + "/pipe";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  ChildProcess head;
  head.program = "head";
  head.arguments = {"-3", pipe};
  head.stdoutPath = scratch + "/stdout";
  const pid_t headPid = Launch(head);
  const pid_t pid = Launch(ViewerProcess(SampleModelDirectory(), pipe, scratch + "/stderr"));
  ASSERT_NE(FindViewerWindow(pid), 0u) << Stderr();
  EXPECT_EQ(WaitForExit(headPid, kViewerEndMs), 0);
  SleepMs(500);
  EXPECT_TRUE(ProcessRunning(pid));
  EXPECT_EQ(PressEscapeAndWait(pid), 0);
  EXPECT_EQ(Stdout(), "\r\nM: [saucer]Dif1: [0.8000 0.8000 0.8200]\r\n{0.8000}{0.8000}{0.8200}T1: [saucer.bmp]\r\n");
  EXPECT_EQ(Stderr(), "");
}

}  // namespace
