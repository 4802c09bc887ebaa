#pragma once

#include <CLI/CLI.hpp>
#include <memory>
#include <string>

#include "app/view/video_recorder.hpp"
#include "cli/run_options.hpp"
#include "host/object.hpp"

namespace sledway::model {
class AssemblyDocument;
}

namespace sledway::cli {

// --video FILE and --fps N of `sledway run`.
void AddVideoOptions(CLI::App& command, RunOptions& options);

// The video --video asks for, `width` x `height` pixels at `fps`. A file name or rate no video
// takes is a UsageError; a file that cannot be made throws std::runtime_error.
std::unique_ptr<app::VideoRecorder> MakeVideoRecorder(const std::string& file, int fps,
                                                      const Ref<model::AssemblyDocument>& document,
                                                      int width, int height);

}  // namespace sledway::cli
