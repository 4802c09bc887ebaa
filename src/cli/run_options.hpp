#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/assembly_source.hpp"

namespace sledway::cli {

// The word that clears a slot the assembly suggests: `--tangent none`, `--drive none`.
inline constexpr const char* kNone = "none";

// The options of `sledway run`, with the tool window's defaults.
struct RunOptions {
  AssemblyChoice assembly;
  std::optional<std::string> path;
  std::optional<std::string> follow;
  std::optional<std::string> tangent;
  int steps = 50;
  double delay = 0.0;  // seconds
  int reps = 1;
  std::string mode = "start-end";
  bool flipPath = false;
  bool flipEdge = false;
  bool noHide = false;
  std::optional<std::string> drive;
  std::optional<double> from;
  std::optional<double> to;
  std::string format = "table";
  std::optional<std::string> output;
  std::optional<std::string> frames;  // directory of the pictures of the run
  std::string size = "1280x800";      // of each picture
  // The components whose clearance to the moving one is measured after each move: none for no
  // check, an empty list for every other component.
  std::optional<std::vector<std::string>> clearance;
  bool stopAtContact = false;
  bool clearanceAtMoves = false;  // measure at the moves only, not over the motion between them
  std::optional<std::string> clearanceTolerance;  // a length; 0.001 mm when not given
  std::optional<std::string> video;               // a video of the run, its format by the extension
  int fps = 25;                                   // frames per second of the video
  std::string camera = "iso";                     // of the pictures and the video
  std::string background = "view";                // of the pictures: view or transparent
  std::vector<std::string> roll;  // "add-in", "minimal" or "up" "X,Y,Z"; empty: add-in
  std::string profile = "linear";
  std::vector<std::string> train;        // NAME:DISTANCE of each follower
  std::vector<std::string> trainFollow;  // each follower's follow point
};

}  // namespace sledway::cli
