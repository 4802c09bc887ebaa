// Opening large assembly files: many components of one part, one part with many work points,
// and one sketch of many curves together with its profile.
//
//   build/<dir>/bench/loading_bench --benchmark_counters_tabular=true
//
// Each benchmark loads a file text made beforehand, so the figures are the reader and the model
// alone. The time per item (items_per_second) stays flat as the count grows when loading is
// linear.

#include <benchmark/benchmark.h>

#include <string>

#include "host/profiles.hpp"
#include "large_assembly_texts.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/files/assembly_file.hpp"
#include "modelhost/sketch/planar_sketch.hpp"

namespace sledway {
namespace {

void Load(benchmark::State& state, const std::string& text) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(model::LoadAssemblyText(text, "bench.json", {}));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_LoadComponents(benchmark::State& state) {
  Load(state, test::ComponentsFile(state.range(0)));
}
BENCHMARK(BM_LoadComponents)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

void BM_LoadWorkPoints(benchmark::State& state) {
  Load(state, test::WorkPointsFile(state.range(0)));
}
BENCHMARK(BM_LoadWorkPoints)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

// The sketch is one open chain of short lines; its profile is that one chain.
void BM_LoadSketchAndProfile(benchmark::State& state) {
  const std::string text = test::ChainSketchFile(state.range(0));
  for (auto _ : state) {
    const Ref<model::AssemblyDocument> document = model::LoadAssemblyText(text, "bench.json", {});
    const Ref<IVProfile> profile = document->Sketch("chain")->GetProfiles()->AddOpenProfile();
    if (profile->Item(1)->Count() != state.range(0)) state.SkipWithError("not one chain");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadSketchAndProfile)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sledway

BENCHMARK_MAIN();
