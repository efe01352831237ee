// The viewer binary on hostile files: it opens its window, keeps running,
// ends with status 0 on Escape and never crashes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/hostile/hostile_files.h"
#include "tests/support/display_test.h"

namespace {

constexpr int kWindowTimeoutMs = 10000;
constexpr int kLoadTimeoutMs = 30000;
constexpr int kExitTimeoutMs = 5000;

bool EndsWith(const std::string& text, const std::string& ending) {
  return text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

class HostileViewer : public DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    if (HasFatalFailure()) return;
    run = scratch + "/run";
    std::filesystem::create_directories(run);
    // Open to others, for the run without root's rights.
    chmod(scratch.c_str(), 0755);
    chmod(run.c_str(), 0755);
  }

  std::string Progress() const { return ReadWholeFile(scratch + "/stdout"); }
  std::string Errors() const { return ReadWholeFile(scratch + "/stderr"); }

  // Starts the viewer in run/, waits for its window and for the end of its
  // loading ("Done!" is handed out before the first frame), lets it draw for
  // a while, then presses Escape. Returns the status it ended with.
  int RunUntilEscape(const std::string& program, const std::vector<std::string>& arguments = {}) {
    ProcessSpec launch;
    launch.program = program;
    launch.arguments = arguments;
    launch.directory = run;
    launch.stdoutPath = scratch + "/stdout";
    launch.stderrPath = scratch + "/stderr";
    const pid_t pid = Launch(launch);
    if (pid <= 0) return -2;

    const WindowId window = FindWindowOfProcess(driver, pid, kWindowTimeoutMs);
    EXPECT_NE(window, 0u) << "no viewer window; stderr: " << Errors();
    if (window == 0) return -3;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kLoadTimeoutMs);
    while (!EndsWith(Progress(), "Done!\r\n") && ProcessRunning(pid) && std::chrono::steady_clock::now() < deadline) {
      SleepMs(50);
    }
    SleepMs(700);  // some frames of whatever the record holds
    EXPECT_TRUE(ProcessRunning(pid)) << "the viewer ended before Escape; stderr: " << Errors();
    const WindowPixels pixels = ReadWindowPixels(driver, window);
    EXPECT_EQ(pixels.width, 640);
    EXPECT_EQ(pixels.height, 480);

    HoldKey(driver, "Escape", 200);
    return WaitForExit(pid, kExitTimeoutMs);
  }

  std::string run;
};

// Every capacity overflowed at once, indices that no entry answers to, a face
// of 10,000 corners, a million face lines, garbage lines and bytes; a library
// of 25 materials whose textures are garbage, absurd headers, a directory, a
// pipe and a device.
TEST_F(HostileViewer, HostileSetShowsAndEndsOnEscape) {
  WriteHostileTextures(run);
  {
    std::ofstream model(run + "/enterprise.obj", std::ios::binary);
    model << OverflowingModel(kEveryCapacityOverflowed);
    for (int i = 0; i < 1000000; ++i) model << "f 1/1/1 2/2/2 3/3/3\n";
    model << GarbageLines(3000, 5) << GarbageBytes(1 << 16, 6);
  }
  WriteBytes(run + "/enterprise.mtl", OverflowingLibrary(25, 300));

  EXPECT_EQ(RunUntilEscape(VIEWER_BINARY), 0) << "stderr: " << Errors();

  const std::string progress = Progress();
  EXPECT_NE(progress.find(" materials beyond the first 20\r\nLoading : enterprise.obj\r\n"), std::string::npos);
  EXPECT_NE(progress.find("\r\nCannot load texture file [folder.bmp] \r\n"), std::string::npos);
  EXPECT_NE(progress.find("\r\nIgnored 9959 corners beyond the first 41 of a face\r\n"), std::string::npos);
  EXPECT_TRUE(EndsWith(progress, "\r\nFaces: 600 (+1 we count from zero..)\r\nDone!\r\n"));
  // The refused buffers are reported on standard error, one line each.
  const std::string errors = Errors();
  EXPECT_NE(errors.find("[largest.bmp]"), std::string::npos);
  EXPECT_NE(errors.find("[wide.bmp]"), std::string::npos);
  EXPECT_NE(errors.find("[over.bmp]"), std::string::npos);
}

TEST_F(HostileViewer, ModelThatIsADirectory) {
  ASSERT_EQ(mkdir((run + "/enterprise.obj").c_str(), 0755), 0);
  WriteBytes(run + "/enterprise.mtl", "newmtl m\nmap_Kd .\n");
  EXPECT_EQ(RunUntilEscape(VIEWER_BINARY), 0) << "stderr: " << Errors();
  EXPECT_EQ(Progress(),
            "\r\nM: [m]T1: [.]\r\nCannot load texture file [.] \r\n"
            "Loading : enterprise.obj\r\nCould not open the object file enterprise.obj\r\nDone!\r\n");
}

// Root reads any file whatever its mode, so as root the viewer runs as the
// nobody user. Its own copy lies in the test's directory, which anyone may read.
TEST_F(HostileViewer, ModelThatCannotBeReadForLackOfPermission) {
  WriteBytes(run + "/enterprise.obj", "v 1 0 0\nv 0 1 0\nv 0 0 1\nf 1 2 3\n");
  ASSERT_EQ(chmod((run + "/enterprise.obj").c_str(), 0), 0);
  ASSERT_EQ(mkdir((run + "/enterprise.mtl").c_str(), 0755), 0);
  const std::string viewer = scratch + "/viewer";
  std::filesystem::copy_file(VIEWER_BINARY, viewer);
  chmod(viewer.c_str(), 0755);

  int status = 0;
  if (geteuid() == 0) {
    ASSERT_EQ(access(SETPRIV_BINARY, X_OK), 0) << "setpriv is needed to give up root";
    status = RunUntilEscape(SETPRIV_BINARY, {"--reuid=65534", "--regid=65534", "--clear-groups", viewer});
  } else {
    status = RunUntilEscape(viewer);
  }
  EXPECT_EQ(status, 0) << "stderr: " << Errors();
  EXPECT_EQ(Progress(),
            "Could not open the material file enterprise.mtl\r\n"
            "Loading : enterprise.obj\r\nCould not open the object file enterprise.obj\r\nDone!\r\n");
}

}  // namespace
