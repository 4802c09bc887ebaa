// What reading a STEP file in a child process costs: the same file translated in this process
// and through the child, which forks, translates, and hands the shapes back in binary.
//
//   build/<dir>/bench/step_reading_bench
//
// The difference of the two times is the isolation's cost.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "modelhost/files/step_in_child.hpp"
#include "modelhost/files/step_translation.hpp"

namespace sledway::model {
namespace {

const std::filesystem::path kAssembly = SLEDWAY_STEP_ASSEMBLY;

void BM_TranslateInThisProcess(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(TranslateStepFile(kAssembly));
}
BENCHMARK(BM_TranslateInThisProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TranslateInAChild(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadStepInChild(kAssembly, TranslateStepFile, kStepTimeLimit));
  }
}
BENCHMARK(BM_TranslateInAChild)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace sledway::model

BENCHMARK_MAIN();
