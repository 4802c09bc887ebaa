// Peak memory of `sledway inspect` on assemblies of many components of one box part (each
// listed with its 8 vertices and 12 edges), the program itself run on a file made beforehand:
//
//   build/<dir>/bench/inspect_bench --benchmark_counters_tabular=true
//
// The listing is printed as it is made, so the peak is that of the opened assembly: the peak per
// component (peak_kB_per_component) stays flat as the count grows.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "large_assembly_texts.hpp"

namespace sledway {
namespace {

void BM_InspectComponents(benchmark::State& state) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() /
      ("sledway-inspect-bench-" + std::to_string(::getpid()) + ".json");
  std::ofstream(file) << test::ComponentsFile(state.range(0));
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  for (auto _ : state) {
    const char* const argv[] = {"sledway", "inspect", file.c_str(), nullptr};
    pid_t child = 0;
    if (::posix_spawn(&child, SLEDWAY_EXECUTABLE, &actions, nullptr, const_cast<char* const*>(argv),
                      environ) != 0) {
      state.SkipWithError("sledway cannot be started");
      break;
    }
    int status = 0;
    struct rusage usage {};
    ::wait4(child, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("inspect failed");
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.counters["peak_kB_per_component"] =
        static_cast<double>(usage.ru_maxrss) / static_cast<double>(state.range(0));
  }
  ::posix_spawn_file_actions_destroy(&actions);
  std::filesystem::remove(file);
}
BENCHMARK(BM_InspectComponents)
    ->Arg(45'000)
    ->Arg(150'000)
    ->Arg(450'000)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace
}  // namespace sledway

BENCHMARK_MAIN();
