// The cost of a run's video, under an Xvfb of its own with Mesa's software renderer.
//
//   build/default/bench/video_bench --benchmark_counters_tabular=true
//
// BM_Render: drawing the default sample's 1280 x 720 view into a picture after a move, what
// `sledway run --video` does for every frame (the move itself is not timed). BM_Encode: 50
// such pictures of a run encoded into a whole video, H.264 in MP4, GIF (both passes) or VP9 in
// WebM; "per_frame" is the encoding time of one frame, "bytes_per_s" the file's size per
// second of video at 25 frames per second, and "psnr_db" how close the decoded video comes to
// the pictures (peak signal to noise over the RGB of all frames, as a player shows them). Times are
// the process's CPU time, over all its threads (Mesa's renderer and the encoders use several). At
// the end the program prints each format's encoding time as a share of the rendering time, and the
// peak resident memory (VmHWM) of `sledway run --video` at 160 x 120 for 500 and 5,000 steps.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <Image_AlienPixMap.hxx>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/video/video_encoder.hpp"
#include "app/view/offscreen_view.hpp"
#include "app/view/picture_pixels.hpp"
#include "app/view/xvfb_display.hpp"
#include "cli/slot_picking.hpp"
#include "modelhost/application/application.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/files/entity_names.hpp"
#include "modelhost/files/sample_assemblies.hpp"
#include "path/path_definition.hpp"
#include "tests/app/runner_process.hpp"
#include "tests/app/video_reader.hpp"

namespace sledway::app {
namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr int kFrames = 50;
constexpr int kFps = 25;

// The default sample with its suggested path and follower, in a view of its own.
struct RunView {
  RunView() {
    const model::SampleAssembly sample = model::SampleAssemblies().front();
    document = model::ReadSampleAssembly(sample).document;
    app->SetActiveDocument(document);
    path->Steps(kFrames);
    cli::PickSlot(app, path, SelectionSlot::kPath, model::ResolveEntity(*document, sample.run.path),
                  sample.run.path);
    cli::PickSlot(app, path, SelectionSlot::kFollowPoint,
                  model::ResolveEntity(*document, sample.run.follow), sample.run.follow);
    view = std::make_unique<OffscreenView>(document, kWidth, kHeight);
  }
  void Move(int step) {
    path->MoveToPointOnPath(app, static_cast<double>(step % kFrames) / kFrames);
  }

  Ref<model::Application> app = model::Application::Create();
  Ref<model::AssemblyDocument> document;
  Ref<CPath> path = std::make_shared<CPath>();
  std::unique_ptr<OffscreenView> view;
};

// Made on first use; it goes before the display it draws on.
std::unique_ptr<RunView> scene;
RunView& Scene() {
  if (!scene) scene = std::make_unique<RunView>();
  return *scene;
}

// The pictures of one run, drawn once and encoded by every benchmark of a format.
const std::vector<Image_AlienPixMap>& Pictures() {
  static const std::vector<Image_AlienPixMap> pictures = [] {
    std::vector<Image_AlienPixMap> drawn(kFrames);
    for (int i = 0; i < kFrames; ++i) {
      Scene().Move(i);
      drawn[static_cast<std::size_t>(i)].InitCopy(Scene().view->Draw());
    }
    return drawn;
  }();
  return pictures;
}

void BM_Render(benchmark::State& state) {
  int step = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Scene().Move(step++);
    state.ResumeTiming();
    benchmark::DoNotOptimize(Scene().view->Draw().Data());
  }
  state.counters["per_frame"] =
      benchmark::Counter(static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Render)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// Peak signal to noise of the video in `file` against the pictures it was made of, in dB.
double PeakSignalToNoise(const std::filesystem::path& file) {
  const std::vector<Image_AlienPixMap>& pictures = Pictures();
  double squares = 0.0;
  std::size_t values = 0;
  std::size_t index = 0;
  test::DecodeVideo(file, [&](const std::vector<std::uint8_t>& rgb) {
    const PicturePixels picture = PixelsOf(pictures.at(index++));
    const bool blueFirst = picture.order == PixelOrder::kBgr || picture.order == PixelOrder::kBgra;
    const int bytes = BytesPerPixel(picture.order);
    for (int y = 0; y < kHeight; ++y) {
      const std::uint8_t* row = picture.top + y * picture.rowStride;
      for (int x = 0; x < kWidth; ++x) {
        const std::uint8_t* shown = &rgb[static_cast<std::size_t>((y * kWidth + x) * 3)];
        for (int c = 0; c < 3; ++c) {
          const double error =
              static_cast<double>(shown[c]) - row[x * bytes + (blueFirst ? 2 - c : c)];
          squares += error * error;
        }
      }
    }
    values += static_cast<std::size_t>(kWidth * kHeight * 3);
  });
  return 10.0 * std::log10(255.0 * 255.0 * static_cast<double>(values) / squares);
}

void BM_Encode(benchmark::State& state, const std::string& extension) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("sledway-video-bench" + extension);
  const std::vector<Image_AlienPixMap>& pictures = Pictures();
  std::uintmax_t bytes = 0;
  for (auto _ : state) {
    VideoEncoder encoder(file, kWidth, kHeight, kFps);
    for (const Image_AlienPixMap& picture : pictures) encoder.Add(PixelsOf(picture));
    encoder.Finish();
    bytes = std::filesystem::file_size(file);
  }
  state.counters["psnr_db"] = PeakSignalToNoise(file);
  std::filesystem::remove(file);
  state.counters["per_frame"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kFrames,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["bytes_per_s"] = static_cast<double>(bytes) * kFps / kFrames;
}
BENCHMARK_CAPTURE(BM_Encode, mp4, std::string(".mp4"))
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(BM_Encode, gif, std::string(".gif"))
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(BM_Encode, webm, std::string(".webm"))
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

// Peak resident memory of the runner making a 160 x 120 video of `steps` moves, in MB.
double RunnerPeakMegabytes(const char* steps) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / "sledway-video-bench-memory.mp4";
  const test::RunnerProcess run = test::RunProcess(
      SLEDWAY_RUNNER, {"run", "--steps", steps, "--video", file.string(), "--size", "160x120"});
  std::filesystem::remove(file);
  return run.status == 0 ? static_cast<double>(run.peakKilobytes) / 1024.0 : -1.0;
}

// Per-frame times as the benchmarks report them, gathered for the summary: the process's CPU
// time, and the time on the clock, which also counts the X server's share of the drawing.
class Summary : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const auto perFrame = run.counters.find("per_frame");
      if (perFrame == run.counters.end() || run.iterations == 0) continue;
      const double frames = static_cast<double>(run.iterations) *
                            (run.benchmark_name().rfind("BM_Encode", 0) == 0 ? kFrames : 1);
      times_[run.benchmark_name()] = {perFrame->second, run.real_accumulated_time / frames};
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void Print() const {
    const auto render = times_.find("BM_Render/process_time");
    if (render == times_.end()) return;
    const auto [renderCpu, renderClock] = render->second;
    std::printf("\nrendering at %dx%d: %.1f ms of CPU, %.1f ms on the clock per frame\n", kWidth,
                kHeight, renderCpu * 1e3, renderClock * 1e3);
    for (const auto& [name, times] : times_) {
      if (name == render->first) continue;
      std::printf("%-28s %.1f ms of CPU (%.0f%% of rendering), %.1f ms on the clock (%.0f%%)\n",
                  name.c_str(), times.first * 1e3, 100.0 * times.first / renderCpu,
                  times.second * 1e3, 100.0 * times.second / renderClock);
    }
  }

 private:
  // CPU and clock seconds per frame.
  std::map<std::string, std::pair<double, double>> times_;
};

}  // namespace
}  // namespace sledway::app

int main(int argc, char** argv) {
  using namespace sledway::app;
  benchmark::Initialize(&argc, argv);
  const XvfbDisplay display(kWidth, kHeight);
  Summary summary;
  benchmark::RunSpecifiedBenchmarks(&summary);
  summary.Print();
  scene.reset();
  const double peak500 = RunnerPeakMegabytes("500");
  const double peak5000 = RunnerPeakMegabytes("5000");
  std::printf(
      "peak memory of sledway run --video, 160x120: %.1f MB for 500 steps, %.1f MB for "
      "5000 steps\n",
      peak500, peak5000);
  benchmark::Shutdown();
  return 0;
}
