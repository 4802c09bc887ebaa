#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "invocation.hpp"

namespace sledway::cli {
namespace {

using test::Invocation;
using test::Read;
using test::Sledway;
using ::testing::HasSubstr;
using ::testing::Not;

// The words of a line, split at blanks.
std::vector<std::string> Words(const std::string& line) {
  std::istringstream text(line);
  std::vector<std::string> words;
  for (std::string word; text >> word;) words.push_back(word);
  return words;
}

class TruthfulOutput : public test::WithDirectory {
 protected:
  // Runs the sledway program itself through the shell, standard error to a file; returns the
  // exit status and leaves standard error in err_.
  int Program(const std::string& arguments) {
    const std::filesystem::path errFile = directory_ / "stderr.txt";
    // In a sanitizer build the program unwinds as this test binary does (sanitizer_options.cpp),
    // so that Open CASCADE's one-time allocations match their suppressions.
    const std::string command = std::string("ASAN_OPTIONS=fast_unwind_on_malloc=0 '") +
                                SLEDWAY_EXECUTABLE + "' " + arguments + " 2>'" + errFile.string() +
                                "'";
    const int status = std::system(("bash -c \"" + command + "\"").c_str());
    err_ = Read(errFile);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string err_;
};

// A bead sliding along a line 1e12 mm long, with a work point as far away as the model reaches.
constexpr const char* kFarAway = R"({"units": "mm",
  "parts": [{"name": "bead", "sphere": {"radius": 5},
             "workPoints": [{"name": "centre", "point": [0, 0, 0]}, {"name": "far", "point": [-1e13, 0, 0]}]}],
  "components": [{"name": "bead:1", "part": "bead"}],
  "sketches": [{"name": "rail", "curves": [{"kind": "line", "start": [0, 0], "end": [1e12, 0]}],
                "plane": {"origin": [0, 0, 0], "normal": [0, 0, 1], "xDir": [1, 0, 0]}}],
  "run": {"path": "sketch:rail/curve:1", "follow": "component:bead:1/workpoint:centre"}})";

TEST_F(TruthfulOutput, HugeCoordinatesPrintAsTextAndColumnsStaySeparated) {
  const std::string file = Assembly(kFarAway, "far.json");
  const Invocation inspect = Sledway({"inspect", file});
  ASSERT_EQ(inspect.status, 0) << inspect.err;
  EXPECT_THAT(inspect.out, HasSubstr("at (-10000000000000, 0, 0) mm\n"));
  EXPECT_EQ(inspect.out.find('\0'), std::string::npos);

  const Invocation table = Sledway({"run", file, "--steps", "2"});
  ASSERT_NE(table.status, 2) << table.err;
  EXPECT_EQ(table.out.find('\0'), std::string::npos);
  std::istringstream lines(table.out);
  std::string line;
  std::getline(lines, line);
  std::getline(lines, line);
  for (int row = 1; row <= 2; ++row) {
    ASSERT_TRUE(std::getline(lines, line));
    // move, rep, pass, step, fraction, x, y, z, the axis and the angle: twelve columns.
    const std::vector<std::string> words = Words(line);
    ASSERT_EQ(words.size(), 12u) << line;
    EXPECT_EQ(words[5], row == 1 ? "500000000000.000000" : "1000000000000.000000") << line;
  }
}

TEST_F(TruthfulOutput, AFailedRunRecordsItsOutcomeAndNeverPasses) {
  // The column cannot be built with no height: the last move's recompute fails, although every
  // move put the foot exactly on the path.
  const std::filesystem::path output = directory_ / "run.json";
  const std::vector<std::string> failing{"run",    "--example", "lift", "--steps", "5",
                                         "--from", "20",        "--to", "0"};
  std::vector<std::string> toFile = failing;
  toFile.insert(toFile.end(), {"--format", "json", "--output", output.string()});
  const Invocation run = Sledway(toFile);
  EXPECT_EQ(run.status, 1);
  EXPECT_THAT(run.err, HasSubstr("could not be recomputed after 1 of 5 moves"));
  EXPECT_EQ(run.out, "");
  const nlohmann::json result = nlohmann::json::parse(Read(output));
  EXPECT_EQ(result["assembly"], "lift");
  EXPECT_EQ(result["moves"].size(), 5u);
  EXPECT_FALSE(result["check"]["passed"].get<bool>());
  EXPECT_LT(result["check"]["maxDistanceCm"].get<double>(), 1e-9);
  EXPECT_EQ(result["outcome"]["movesMade"], 5);
  EXPECT_EQ(result["outcome"]["recomputeFailures"], 1);
  EXPECT_TRUE(result["outcome"]["stoppedBecause"].is_null());

  for (const char* format : {"table", "csv"}) {
    std::vector<std::string> args = failing;
    args.insert(args.end(), {"--format", format});
    const Invocation text = Sledway(args);
    EXPECT_EQ(text.status, 1) << format;
    EXPECT_THAT(text.out, Not(HasSubstr(": pass"))) << format;
    EXPECT_THAT(text.out,
                HasSubstr("run: 5 of 5 moves made, the assembly not recomputed after 1\n"))
        << format;
    EXPECT_THAT(text.out, HasSubstr(": FAIL\n")) << format;
  }
}

TEST_F(TruthfulOutput, AFailedPositionRecordsItsOutcomeAndSaysSoOnce) {
  // A column of no height cannot be built: the recompute of "Position" fails.
  const std::vector<std::string> failing{"run", "--example", "lift", "--steps", "2", "--from", "0"};
  std::vector<std::string> json = failing;
  json.insert(json.end(), {"--format", "json"});
  const Invocation run = Sledway(json);
  EXPECT_EQ(run.status, 1);
  EXPECT_THAT(run.err, ::testing::StartsWith("sledway: \"Position\" failed: "));
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  const nlohmann::json result = run.Json();
  EXPECT_FALSE(result["check"]["passed"].get<bool>());
  EXPECT_EQ(result["moves"].size(), 0u);
  EXPECT_EQ(result["outcome"]["movesMade"], 0);
  EXPECT_EQ(result["outcome"]["plannedMoves"], 2);
  EXPECT_EQ("sledway: " + result["outcome"]["stoppedBecause"].get<std::string>() + "\n", run.err);

  std::vector<std::string> csv = failing;
  csv.insert(csv.end(), {"--format", "csv"});
  const Invocation text = Sledway(csv);
  EXPECT_EQ(text.status, 1);
  EXPECT_THAT(text.out, HasSubstr("# run: 0 of 2 moves made, stopped: \"Position\" failed: "));
  EXPECT_THAT(text.out, HasSubstr(": FAIL\n"));
}

TEST_F(TruthfulOutput, LostStandardOutputEndsWithAMessageAndStatusOne) {
  EXPECT_EQ(Program("run --steps 5 >/dev/full"), 1);
  EXPECT_THAT(err_, HasSubstr("standard output cannot be written"));
  EXPECT_EQ(Program("inspect --example slot >/dev/full"), 1);
  EXPECT_THAT(err_, HasSubstr("standard output cannot be written"));

  // A reader that leaves early: the run stops instead of making every move unseen.
  const std::filesystem::path status = directory_ / "status.txt";
  Program("run --steps 100000 --format csv | head -c 1 >/dev/null; echo \\${PIPESTATUS[0]} >'" +
          status.string() + "'");
  EXPECT_EQ(Read(status), "1\n");
}

TEST_F(TruthfulOutput, TheStepReadersOwnDiagnosticsStayOffStandardOutput) {
  const std::filesystem::path broken = directory_ / "broken.stp";
  std::ofstream(broken) << "ISO-10303-21;\nHEADER;\nENDSEC;\nDATA;\n#1=FOO(;\nENDSEC;\n"
                           "END-ISO-10303-21;\n";
  const std::filesystem::path out = directory_ / "stdout.txt";
  EXPECT_EQ(Program("inspect '" + broken.string() + "' >'" + out.string() + "'"), 2);
  EXPECT_EQ(Read(out), "");
  EXPECT_THAT(err_, HasSubstr("broken.stp: not a STEP file that can be read"));
  EXPECT_EQ(Program(std::string("inspect '") + SLEDWAY_AS1_STEP + "' >'" + out.string() + "'"), 0);
  EXPECT_THAT(Read(out), Not(HasSubstr("*")));
}

}  // namespace
}  // namespace sledway::cli
