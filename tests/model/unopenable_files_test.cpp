// Model, library and texture names that lead to something the loader must not
// read: a directory, a pipe without a writer, a device that never ends, a file
// this user may not read. Each counts as a file that cannot be opened.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/obj_reader.h"
#include "platform/log.h"
#include "tests/support/bmp_files.h"
#include "tests/support/captured_log.h"
#include "tests/support/files.h"
#include "tests/support/model_record.h"
#include "tests/support/stand_in_texture.h"

namespace {

using HostileLoad = InScratchDirectory;

// Root reads any file whatever its mode; the nobody user does not.
constexpr uid_t kNobody = 65534;

std::string Unopenable(const std::string& model) {
  const std::string library = model.substr(0, model.size() - 4) + ".mtl";
  return "Could not open the material file " + library + "\r\nLoading : " + model +
         "\r\nCould not open the object file " + model + "\r\nDone!\r\n";
}

TEST_F(HostileLoad, ModelAndLibraryThatAreNoRegularFiles) {
  ASSERT_EQ(mkdir("enterprise.obj", 0755), 0);
  ASSERT_EQ(mkdir("enterprise.mtl", 0755), 0);
  ASSERT_EQ(mkfifo("pipe.obj", 0644), 0);
  ASSERT_EQ(mkfifo("pipe.mtl", 0644), 0);
  ASSERT_EQ(symlink("/dev/zero", "zero.obj"), 0);
  ASSERT_EQ(symlink("/dev/urandom", "zero.mtl"), 0);
  ASSERT_EQ(symlink("/", "root.obj"), 0);
  for (const std::string name : {"enterprise.obj", "pipe.obj", "zero.obj", "root.obj"}) {
    SCOPED_TRACE(name);
    auto guarded = MakeGuarded<Model>();
    CapturedLog progress;
    LoadModel(name, guarded->value, StandInTexture);
    // The record stays as it came, all zeros, lastFace included.
    EXPECT_TRUE(AllZero(&guarded->value, sizeof(Model)));
    EXPECT_TRUE(GuardsIntact(*guarded));
    EXPECT_EQ(progress.Text(), Unopenable(name));
  }
}

// The library and its texture are fine but the model may not be read, and a
// second texture may not be read either. The load runs in a child that has
// given up root, so that the file modes count.
TEST_F(HostileLoad, FilesThatCannotBeReadForLackOfPermission) {
  WriteFile("enterprise.obj", "v 1 2 3\nf 1 1 1\n");
  WriteFile("enterprise.mtl", "newmtl m\nmap_Kd shut.bmp\nmap_Kd open.bmp\n");
  WriteFile("shut.bmp", GreyBmp(4, 4));
  WriteFile("open.bmp", GreyBmp(4, 4));
  ASSERT_EQ(chmod("enterprise.obj", 0), 0);
  ASSERT_EQ(chmod("shut.bmp", 0), 0);

  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  LogFlush();
  std::fflush(stdout);
  std::fflush(stderr);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(pipeEnds[0]);
    if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setresgid(kNobody, kNobody, kNobody) != 0 ||
                           setresuid(kNobody, kNobody, kNobody) != 0)) {
      _exit(3);
    }
    std::FILE* out = fdopen(pipeEnds[1], "w");
    if (out == nullptr) _exit(4);
    LogSetStream(out);
    auto* model = static_cast<Model*>(std::calloc(1, sizeof(Model)));
    LoadModel("enterprise.obj", *model, StandInTexture);
    LogSetStream(nullptr);
    std::fclose(out);
    _exit(AllZero(model, sizeof(Model)) ? 0 : 1);
  }
  close(pipeEnds[1]);
  std::string log;
  char buffer[4096];
  for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) log.append(buffer, std::size_t(got));
  close(pipeEnds[0]);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the record was written, 3: could not give up root";
  EXPECT_EQ(log,
            "\r\nM: [m]T1: [shut.bmp]\r\n"
            "Cannot load texture file [shut.bmp] \r\n"
            "T1: [open.bmp]\r\n"
            "Loading : enterprise.obj\r\n"
            "Could not open the object file enterprise.obj\r\n"
            "Done!\r\n");
}

}  // namespace
