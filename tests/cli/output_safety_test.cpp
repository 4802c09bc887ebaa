#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "invocation.hpp"

namespace sledway::cli {
namespace {

using test::ExpectRefused;
using test::Names;
using test::Read;
using test::Sledway;
using ::testing::HasSubstr;

class OutputSafety : public test::WithDirectory {
 protected:
  // An assembly whose part is the STEP file "part.stp" beside it, and a file "cart.json" with
  // something in it that must survive.
  void SetUp() override {
    WithDirectory::SetUp();
    std::filesystem::copy_file(SLEDWAY_AS1_STEP, directory_ / "part.stp");
    std::ofstream(directory_ / "stepped.json") << R"({"parts": [{"name": "p", "step": "part.stp"}],
      "components": [{"name": "p:1", "part": "p"}]})";
    std::ofstream(Cart()) << kKept;
  }

  static constexpr const char* kKept = "the rows of an earlier run\n";

  std::string Cart() const { return (directory_ / "cart.json").string(); }
  std::string In(const std::string& name) const { return (directory_ / name).string(); }
};

TEST_F(OutputSafety, WritingOverAFileTheRunReadsIsRefusedByAnyNameOrLink) {
  std::filesystem::copy_file(SLEDWAY_AS1_STEP, directory_ / "whole.stp");
  std::filesystem::create_symlink("part.stp", directory_ / "link.stp");
  std::filesystem::create_hard_link(directory_ / "stepped.json", directory_ / "hard.json");
  const std::string stepped = In("stepped.json");
  const std::string same = "is the same file as";
  ExpectRefused({"run", stepped, "--output", stepped}, "--output: '" + stepped + "' " + same);
  ExpectRefused({"run", stepped, "--output", In("hard.json")}, same);
  ExpectRefused({"run", stepped, "--output", In("part.stp")}, same + " '" + In("part.stp"));
  ExpectRefused({"run", stepped, "--output", In("link.stp")}, same);
  ExpectRefused({"run", In("whole.stp"), "--output", In("./whole.stp")}, same);
  ExpectRefused({"run", stepped, "--frames", In("part.stp")}, "--frames: ");
  // A picture the run draws would replace the part.
  std::filesystem::create_directory(directory_ / "pictures");
  std::filesystem::rename(directory_ / "part.stp", directory_ / "pictures" / "frame-00002.png");
  std::ofstream(stepped) << R"({"parts": [{"name": "p", "step": "pictures/frame-00002.png"}]})";
  ExpectRefused({"run", stepped, "--frames", In("pictures/")}, "frame-00002.png' " + same);
  EXPECT_EQ(test::Names(directory_ / "pictures"), std::vector<std::string>{"frame-00002.png"});
  EXPECT_EQ(Read(Cart()), kKept);
}

TEST_F(OutputSafety, AFifoOrADeviceIsNoOutputUnlessItIsStandardOutputsOwn) {
  ASSERT_EQ(::mkfifo(In("pipe").c_str(), 0600), 0);
  ExpectRefused({"run", "--output", In("pipe")}, "--output: '" + In("pipe") + "' is a FIFO");
  ExpectRefused({"run", "--output", "/dev/zero"}, "is a device, not a regular file");

  // Standard output's own device or pipe is written as standard output is.
  const std::string program = std::string("'") + SLEDWAY_EXECUTABLE + "' run --steps 2 ";
  const std::string piped = In("piped.txt");
  ASSERT_EQ(std::system(("bash -c \"" + program + "--output /dev/stdout | cat >'" + piped +
                         "'; exit \\${PIPESTATUS[0]}\"")
                            .c_str()),
            0);
  EXPECT_THAT(Read(piped), HasSubstr(": pass\n"));
}

// Starts a run into "cart.json" as a program of its own, waits until its temporary file is
// there, and ends it with `signal`; returns the wait status.
int Interrupted(const std::filesystem::path& directory, const std::string& target, int signal) {
  const pid_t child = ::fork();
  if (child == 0) {
    // A test runner may have started this test ignoring SIGINT, which the program would keep.
    ::signal(SIGINT, SIG_DFL);
    ::setenv("ASAN_OPTIONS", "fast_unwind_on_malloc=0", 1);
    ::execl(SLEDWAY_EXECUTABLE, "sledway", "run", "--example", "cart", "--steps", "100000",
            "--delay", "0.01", "--format", "csv", "--output", target.c_str(), nullptr);
    ::_exit(127);
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  while (Names(directory).size() < 4 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ::kill(child, signal);
  int status = 0;
  for (int waited = 0; ::waitpid(child, &status, WNOHANG) == 0; ++waited) {
    // A program the signal did not end is ended, so that the test fails rather than hangs.
    if (waited == 3000) ::kill(child, SIGKILL);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return status;
}

TEST_F(OutputSafety, AnInterruptedRunLeavesNoTemporaryFileAndTheTargetAsItWas) {
  const std::vector<std::string> before = Names();
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    const int status = Interrupted(directory_, Cart(), signal);
    ASSERT_TRUE(WIFEXITED(status)) << "signal " << signal;
    EXPECT_EQ(WEXITSTATUS(status), 128 + signal);
    EXPECT_EQ(Names(), before) << "signal " << signal;
    EXPECT_EQ(Read(Cart()), kKept) << "signal " << signal;
  }
}

}  // namespace
}  // namespace sledway::cli
