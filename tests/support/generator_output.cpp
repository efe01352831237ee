#include "tests/support/generator_output.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "tests/support/files.h"
#include "tests/support/process.h"

namespace fs = std::filesystem;

int RunGenerator(const std::string& generator, const std::vector<std::string>& arguments) {
  ChildProcess process;
  process.program = generator;
  process.arguments = arguments;
  process.stderrPath = "/dev/null";
  const pid_t pid = StartProcess(process);
  if (pid < 0) return -1;
  const int status = WaitForExit(pid, 60000);
  if (status < 0) KillProcess(pid);
  return status;
}

void ExpectGeneratorReproduces(const std::string& generator, const std::string& shipped) {
  const fs::path output = MakeTempDirectory();
  ASSERT_FALSE(output.empty());
  ASSERT_EQ(RunGenerator(generator, {output.string()}), 0);

  std::set<std::string> made;
  std::set<std::string> committed;
  for (const auto& entry : fs::directory_iterator(output)) made.insert(entry.path().filename().string());
  for (const auto& entry : fs::directory_iterator(shipped)) committed.insert(entry.path().filename().string());
  EXPECT_EQ(made, committed) << shipped << " must hold exactly the generator's output";
  for (const std::string& name : made) {
    EXPECT_TRUE(ReadWholeFile((output / name).string()) == ReadWholeFile((fs::path(shipped) / name).string()))
        << name << " differs from the generator's output: run " << generator << " " << shipped;
  }
  RemoveTree(output.string());
}
