#pragma once

#include <CLI/CLI.hpp>
#include <memory>
#include <string>

#include "app/view/run_framing.hpp"
#include "app/view/video_recorder.hpp"
#include "cli/run_options.hpp"
#include "host/object.hpp"
#include "motion/path_motion.hpp"
#include "path/path_definition.hpp"

namespace sledway::model {
class AssemblyDocument;
}

namespace sledway::cli {

// --video FILE, --fps N, --camera and --background of `sledway run`.
void AddVideoOptions(CLI::App& command, RunOptions& options);

// A UsageError for a framing option that no picture of the run would use.
void CheckFramingOptions(const RunOptions& options);

// How the pictures of the run are framed: the leader is the path's follow component with its
// follow point `leaderFollow` (model space), then the train. The path must be measured.
app::RunFraming FramingOf(const RunOptions& options, CPath& path, const gp_Pnt& leaderFollow,
                          const std::vector<motion::Follower>& train);

// The video --video asks for, `width` x `height` pixels at `fps`. A file name or rate no video
// takes is a UsageError; a file that cannot be made throws std::runtime_error.
std::unique_ptr<app::VideoRecorder> MakeVideoRecorder(const std::string& file, int fps,
                                                      const Ref<model::AssemblyDocument>& document,
                                                      int width, int height);

}  // namespace sledway::cli
