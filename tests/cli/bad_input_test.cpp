#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "invocation.hpp"

namespace sledway::cli {
namespace {

using test::Invocation;
using test::Sledway;

using BadInput = test::WithDirectory;
using test::ExpectRefused;

TEST_F(BadInput, OptionValuesThatAreNoFiniteNumberOrEmptyAreRefusedNamingTheOption) {
  const std::vector<std::string> lift{"run", "--example", "lift", "--steps", "2"};
  const auto with = [&](std::vector<std::string> more) {
    std::vector<std::string> args = lift;
    args.insert(args.end(), more.begin(), more.end());
    return args;
  };
  ExpectRefused(with({"--from", "nan"}), "--from: 'nan' is not a finite number");
  ExpectRefused(with({"--to", "-1e999"}), "--to: '-1e999' is not a finite number");
  ExpectRefused(with({"--delay", "nan"}), "--delay: 'nan' is not a finite number");
  ExpectRefused(with({"--from", "1e300", "--to", "120"}),
                "--from: 1e+300 mm is beyond what the model can hold (at most 1e+13 mm)");
  ExpectRefused(with({"--drive", ""}), "--drive: the value may not be empty");
  ExpectRefused(with({"--output", ""}), "--output: the value may not be empty");
  ExpectRefused({"inspect", ""}, "FILE: the value may not be empty");
  // Ordinary numbers in any spelling still pass.
  const Invocation run = Sledway(with({"--from", "2.5e1", "--to", "-0", "--delay", "0"}));
  EXPECT_EQ(run.status, 1) << run.err;  // the column shrinks to nothing at the end
}

TEST_F(BadInput, WholeNumbersAreReadInDecimalOnly) {
  const Invocation leadingZeros =
      Sledway({"run", "--example", "lift", "--steps", "010", "--reps", "+02", "--format", "json"});
  ASSERT_EQ(leadingZeros.status, 0) << leadingZeros.err;
  EXPECT_EQ(leadingZeros.Json()["plannedMoves"], 20);
  for (const char* number : {"0x10", "0b1", "1e1", "10.0", "1_0", " 10", "-", "ten"}) {
    ExpectRefused({"run", "--example", "lift", "--steps", number},
                  std::string("--steps: '") + number + "' is not a whole number in decimal digits");
  }
  ExpectRefused({"run", "--example", "lift", "--reps", "0x10"}, "--reps: '0x10' is not a whole");
  ExpectRefused({"run", "--example", "lift", "--reps", "000"}, "--reps: Value 0 not in range");
  // CLI11's refusals read as one line of the runner's own, as every other message does.
  EXPECT_EQ(Sledway({"run", "--example", "lift", "--fps", "-1"}).err,
            "sledway: --fps: Value -1 not in range 1 to 240 (run with --help for more "
            "information)\n");
}

TEST_F(BadInput, AnInputThatIsNoRegularFileIsRefusedWithoutOpeningIt) {
  const std::filesystem::path fifo = directory_ / "pipe.json";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ExpectRefused({"inspect", fifo.string()}, "pipe.json: a FIFO, not a regular file");
  ExpectRefused({"run", (directory_ / "pipe.stp").string()}, "pipe.stp: no such file");
  std::filesystem::rename(fifo, directory_ / "pipe.stp");
  ExpectRefused({"run", (directory_ / "pipe.stp").string()}, "a FIFO, not a regular file");

  std::filesystem::create_directory(directory_ / "folder.json");
  ExpectRefused({"inspect", (directory_ / "folder.json").string()}, "a directory, not a file");
  std::filesystem::create_symlink("/dev/zero", directory_ / "zeros.step");
  ExpectRefused({"inspect", (directory_ / "zeros.step").string()},
                "zeros.step: a device, not a regular file");
  std::filesystem::create_symlink(directory_ / "b.json", directory_ / "a.json");
  std::filesystem::create_symlink(directory_ / "a.json", directory_ / "b.json");
  ExpectRefused({"inspect", (directory_ / "a.json").string()},
                "a.json: the path cannot be resolved (Too many levels of symbolic links)");
}

// A ball, whose edges at the poles are degenerate, a bead to follow, and two curves of no
// length to speak of: a helix of 1e-20 turns and an arc of 1e-5 degrees of radius 1e-5 mm.
constexpr const char* kNoLengths = R"({
  "parts": [{"name": "ball", "sphere": {"radius": 10}},
            {"name": "bead", "sphere": {"radius": 1}, "workPoints": [{"name": "c", "point": [0, 0, 0]}]}],
  "components": [{"name": "ball:1", "part": "ball"},
                 {"name": "bead:1", "part": "bead", "placement": {"origin": [50, 0, 0]}}],
  "sketches3d": [{"name": "coil", "curves": [{"kind": "helix", "radius": 5, "pitch": 1, "turns": 1e-20,
      "plane": {"origin": [0, 0, 0], "normal": [0, 0, 1], "xDir": [1, 0, 0]}}]}],
  "sketches": [{"name": "speck", "plane": {"origin": [0, 0, 0], "normal": [0, 0, 1], "xDir": [1, 0, 0]},
                "curves": [{"kind": "arc", "centre": [0, 0], "radius": 1e-5, "startAngle": 0,
                            "endAngle": 1e-5}]}]})";

TEST_F(BadInput, APathOfZeroLengthIsRefusedAlikeWhateverCurveMakesIt) {
  const std::string file = Assembly(kNoLengths, "nothing.json");
  for (const char* path :
       {"component:ball:1/edge:1", "sketch3d:coil/curve:1", "sketch:speck/curve:1"}) {
    ExpectRefused({"run", file, "--path", path, "--follow", "component:bead:1/workpoint:c"},
                  std::string("cannot pick '") + path + "' as the path: the path has zero length");
  }
  // The ball's equator is a path like any other.
  const Invocation equator = Sledway({"run", file, "--path", "component:ball:1/edge:2", "--follow",
                                      "component:bead:1/workpoint:c", "--steps", "2"});
  EXPECT_EQ(equator.status, 0) << equator.err;
}

}  // namespace
}  // namespace sledway::cli
