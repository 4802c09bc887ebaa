// A run and an inspect of an assembly whose path is one 2D sketch of many connected lines,
// through the command line as a user calls it:
//
//   build/<dir>/bench/sketch_run_bench --benchmark_counters_tabular=true
//
// The run is 10 steps out and back, with the travel check at every move. Both stay linear in the
// number of lines when the time per line (items_per_second) stays flat as the count grows.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/sledway_cli.hpp"
#include "large_assembly_texts.hpp"

namespace sledway {
namespace {

// The chain sketch with a block that follows it, written to a file of its own.
class ChainAssembly {
 public:
  explicit ChainAssembly(std::int64_t lines)
      : file_(std::filesystem::temp_directory_path() /
              ("sledway-sketch-run-bench-" + std::to_string(::getpid()) + "-" +
               std::to_string(lines) + ".json")) {
    std::string text = test::ChainSketchFile(lines);
    // The sketch file is a single object: the part and its component join it.
    text.pop_back();
    text += R"(, "parts": [{"name": "block", "box": {"length": 1, "width": 1, "height": 1},
  "workPoints": [{"name": "p", "point": [0, 0, 0]}]}],
  "components": [{"name": "b", "part": "block", "placement": {"origin": [0, 0, 5]}}]})";
    std::ofstream(file_, std::ios::binary) << text;
  }
  ChainAssembly(const ChainAssembly&) = delete;
  ChainAssembly& operator=(const ChainAssembly&) = delete;
  ~ChainAssembly() { std::filesystem::remove(file_); }

  std::string File() const { return file_.string(); }

 private:
  std::filesystem::path file_;
};

void RunCommand(benchmark::State& state, const std::vector<std::string>& args) {
  std::vector<const char*> argv{"sledway"};
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  for (auto _ : state) {
    std::ostringstream out;
    std::ostringstream err;
    const int status =
        cli::RunSledway(static_cast<int>(argv.size()), argv.data(), cli::Console{out, err, false});
    if (status != 0) {
      state.SkipWithError(("exit status " + std::to_string(status) + ": " + err.str()).c_str());
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_RunAlongLines(benchmark::State& state) {
  const ChainAssembly assembly(state.range(0));
  RunCommand(state, {"run", assembly.File(), "--path", "sketch:chain/curve:1", "--follow",
                     "component:b/workpoint:p", "--steps", "10", "--format", "csv"});
}
BENCHMARK(BM_RunAlongLines)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

void BM_InspectLines(benchmark::State& state) {
  const ChainAssembly assembly(state.range(0));
  RunCommand(state, {"inspect", assembly.File()});
}
BENCHMARK(BM_InspectLines)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sledway

BENCHMARK_MAIN();
