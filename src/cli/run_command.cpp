#include "cli/run_command.hpp"

#include <CLI/CLI.hpp>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <gp_Trsf.hxx>
#include <gp_XYZ.hxx>
#include <memory>
#include <numbers>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "app/view/frame_recorder.hpp"
#include "app/view/image_file.hpp"
#include "cli/assembly_source.hpp"
#include "cli/atomic_file.hpp"
#include "cli/drive_choice.hpp"
#include "cli/input_files.hpp"
#include "cli/interrupt_cleanup.hpp"
#include "cli/motion_options.hpp"
#include "cli/option_checks.hpp"
#include "cli/output_target.hpp"
#include "cli/path_check.hpp"
#include "cli/progress_bar.hpp"
#include "cli/result_writers.hpp"
#include "cli/run_clearance.hpp"
#include "cli/slot_picking.hpp"
#include "cli/usage_error.hpp"
#include "cli/video_output.hpp"
#include "host/echoed_text.hpp"
#include "modelhost/application/application.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/files/entity_names.hpp"
#include "modelhost/parameters/length_unit.hpp"
#include "path/path_definition.hpp"
#include "platform/desktop.hpp"
#include "ui/run_sequences.hpp"

namespace sledway::cli {
namespace {

// The entity a slot option names, or the suggestion; an empty name when neither gives one.
std::string SlotName(const std::optional<std::string>& option, const std::string& suggested) {
  return option.value_or(suggested);
}

Ref<IVObject> Resolve(const model::AssemblyDocument& document, const std::string& option,
                      const std::string& name) {
  try {
    return model::ResolveEntity(document, name);
  } catch (const std::exception& error) {
    throw UsageError(option + ": " + error.what());
  }
}

// The names FrameRecorder gives the pictures: frame-00001.png, ...
bool IsFrameName(const std::string& name) {
  constexpr std::string_view kPrefix = "frame-";
  constexpr std::string_view kSuffix = ".png";
  if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix)) return false;
  const std::string_view number =
      std::string_view(name).substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
  return number.size() >= 5 && number.find_first_not_of("0123456789") == std::string_view::npos;
}

// "WxH" in pixels, each side 16 to 8192.
std::pair<int, int> PictureSize(const std::string& text) {
  int width = 0, height = 0;
  char end = 0;
  if (std::sscanf(text.c_str(), "%dx%d%c", &width, &height, &end) != 2 || width < 16 ||
      height < 16 || width > 8192 || height > 8192) {
    throw UsageError("--size: '" + EchoedText(text) +
                     "' is not WxH with sides of 16 to 8192 pixels");
  }
  return {width, height};
}

// The pictures of the run when --frames asks for them.
std::unique_ptr<app::FrameRecorder> MakeFrameRecorder(
    const RunOptions& options, const Ref<model::AssemblyDocument>& document) {
  if (!options.frames) return nullptr;
  const auto [width, height] = PictureSize(options.size);
  try {
    return std::make_unique<app::FrameRecorder>(document, *options.frames, width, height,
                                                options.background == "transparent"
                                                    ? app::Background::kTransparent
                                                    : app::Background::kView);
  } catch (const std::exception& error) {
    throw UsageError(std::string("--frames: ") + error.what());
  }
}

// The component's rotation as a unit axis and an angle of 0 to 180 degrees.
void RotationOf(const Ref<IVMatrix>& placement, MoveRow& row) {
  gp_Trsf trsf;
  trsf.SetValues(placement->Cell(1, 1), placement->Cell(1, 2), placement->Cell(1, 3),
                 placement->Cell(1, 4), placement->Cell(2, 1), placement->Cell(2, 2),
                 placement->Cell(2, 3), placement->Cell(2, 4), placement->Cell(3, 1),
                 placement->Cell(3, 2), placement->Cell(3, 3), placement->Cell(3, 4));
  gp_XYZ axis;
  double angle = 0.0;
  if (!trsf.GetRotation(axis, angle) || axis.Modulus() == 0.0) {
    row.rotationAxis = {0.0, 0.0, 0.0};
    row.rotationAngle = 0.0;
    return;
  }
  // The same rotation with a positive angle of at most half a turn.
  if (angle < 0.0) {
    angle = -angle;
    axis.Reverse();
  }
  angle = std::fmod(angle, 2.0 * std::numbers::pi);
  if (angle > std::numbers::pi) {
    angle = 2.0 * std::numbers::pi - angle;
    axis.Reverse();
  }
  axis.Normalize();
  row.rotationAxis = {axis.X(), axis.Y(), axis.Z()};
  row.rotationAngle = angle * 180.0 / std::numbers::pi;
}

// The next picture of the run. Its temporary file goes, should an interrupt end the runner
// while it is written.
void Capture(app::FrameRecorder& frames) {
  const RemovedOnInterrupt temporary(app::TemporaryPngFor(frames.NextFile()).string());
  frames.Capture();
}

// Where the rows go, as messages name it.
std::string OutputName(const RunOptions& options) {
  return options.output ? "'" + EchoedText(*options.output) + "'" : std::string("standard output");
}

// A measure that is not a number makes the largest one not a number too, so the check fails.
void KeepLargest(double& largest, double measure) {
  if (!(measure <= largest)) largest = measure;
}

Ref<IVPoint> FollowPoint(const CPath& path) {
  return path.IsPointFromVertex() ? path.FollowVertex()->GetPoint()
                                  : path.FollowWorkPoint()->GetPoint();
}

// Prints the messages the add-in showed during "Position" or "Run" besides the one that tells
// the outcome's own failure (a failed move's box, or the failure's text), which the runner
// reports in its own words.
void PrintOtherMessages(const std::vector<std::string>& shown, const MotionOutcome& outcome,
                        std::ostream& err) {
  bool told = outcome.end == MotionEnd::kCompleted;
  const std::string failureText =
      outcome.end == MotionEnd::kMoveFailed ? std::string(kMoveFailedMessage) : outcome.failure;
  for (const std::string& text : shown) {
    if (!told && text == failureText) {
      told = true;
      continue;
    }
    err << "sledway: " << EscapedText(text) << '\n';
  }
}

// Everything a run needs once the slots are picked.
struct PreparedRun {
  OpenedAssembly assembly;
  Ref<model::Application> app;
  Ref<CPath> path;
  std::string followName;
  RunHeader header;
};

PreparedRun Prepare(const RunOptions& options) {
  if (options.output) CheckOutputTarget("--output", *options.output);
  if (options.video) CheckOutputTarget("--video", *options.video);
  PreparedRun run;
  run.assembly = OpenAssembly(options.assembly);
  // What the run writes must not land on what it reads, through any name or link.
  const InputFiles inputs(run.assembly.files);
  if (options.output) inputs.RefuseOverwrite("--output", *options.output);
  if (options.frames) inputs.RefuseWritesInto("--frames", *options.frames, IsFrameName);
  if (options.video) inputs.RefuseOverwrite("--video", *options.video);
  run.app = model::Application::Create();
  run.path = std::make_shared<CPath>();
  model::AssemblyDocument& document = *run.assembly.document;
  const model::SuggestedRun suggested = run.assembly.run.value_or(model::SuggestedRun{});
  const std::string pathName = SlotName(options.path, suggested.path);
  const std::string followName = SlotName(options.follow, suggested.follow);
  run.followName = followName;
  std::string tangentName = SlotName(options.tangent, suggested.tangent);
  if (tangentName == kNone) tangentName.clear();
  if (pathName.empty()) throw UsageError("no path: give --path NAME (sledway inspect lists them)");
  if (followName.empty()) {
    throw UsageError("no follow point: give --follow NAME (sledway inspect lists them)");
  }
  const Ref<IVObject> pathEntity = Resolve(document, "--path", pathName);
  const Ref<IVObject> followEntity = Resolve(document, "--follow", followName);
  const Ref<IVObject> tangentEntity =
      tangentName.empty() ? nullptr : Resolve(document, "--tangent", tangentName);
  const std::optional<DriveChoice> drive = ChooseDrive(document, options, run.assembly.run);

  run.app->SetActiveDocument(run.assembly.document);
  CPath& path = *run.path;
  path.Steps(options.steps);
  path.Reps(options.reps);
  path.Pause(options.delay);
  path.SES(options.mode == "start-end-start");
  path.HidePath(!options.noHide);
  path.FlipPath(options.flipPath);
  path.FlipEdge(options.flipEdge);
  PickSlot(run.app, run.path, SelectionSlot::kPath, pathEntity, pathName);
  PickSlot(run.app, run.path, SelectionSlot::kFollowPoint, followEntity, followName);
  if (tangentEntity) {
    PickSlot(run.app, run.path, SelectionSlot::kTangentLine, tangentEntity, tangentName);
  }
  if (drive) {
    path.Driven(drive->parameter);
    path.DriveFrom(drive->from);
    path.DriveTo(drive->to);
  }

  const model::LengthUnit unit = document.DisplayUnit();
  run.header = RunHeader{.assembly = run.assembly.name,
                         .lengthUnit = std::string(model::LengthUnitLabel(unit)),
                         .pathLength = path.Length() / model::CentimetresPerUnit(unit),
                         .plannedMoves = static_cast<std::int64_t>(options.reps) * options.steps *
                                         (path.SES() ? 2 : 1),
                         .driven = drive ? drive->parameter : "",
                         .drivenUnits = drive ? drive->units : ""};
  return run;
}

}  // namespace

CLI::App* AddRunCommand(CLI::App& app, RunOptions& options) {
  CLI::App* command = app.add_subcommand(
      "run", "Move a component along a path, step by step (the default sample without options)");
  AddAssemblyChoice(*command, options.assembly);
  command
      ->add_option("--path", options.path,
                   "The path: a sketch curve (its whole profile comes along) or an edge (its "
                   "tangent chain comes along)")
      ->check(NonEmpty());
  command->add_option("--follow", options.follow, "The follow point: a vertex or a work point")
      ->check(NonEmpty());
  command
      ->add_option("--tangent", options.tangent,
                   "A straight edge or work axis to keep tangent to the path; none for no "
                   "alignment")
      ->check(NonEmpty());
  command->add_option("--steps", options.steps, "Moves per pass")
      ->transform(DecimalInteger())
      ->check(CLI::Range(1, 1'000'000'000))
      ->capture_default_str();
  command->add_option("--delay", options.delay, "Seconds to wait after each move")
      ->check(FiniteNumber() & CLI::Range(0.0, 4'294'967.295))
      ->capture_default_str();
  command->add_option("--reps", options.reps, "Repetitions")
      ->transform(DecimalInteger())
      ->check(CLI::Range(1, 1'000'000'000))
      ->capture_default_str();
  command->add_option("--mode", options.mode, "start-end or start-end-start")
      ->check(CLI::IsMember({"start-end", "start-end-start"}))
      ->capture_default_str();
  command->add_flag("--flip-path", options.flipPath, "Travel from the path's other end");
  command->add_flag("--flip-edge", options.flipEdge, "Reverse the tangent line");
  command->add_flag("--no-hide", options.noHide, "Keep the path's component visible");
  command
      ->add_option("--drive", options.drive,
                   "A parameter to drive in step with the motion; none for no drive")
      ->check(NonEmpty());
  command->add_option("--from", options.from, "The driven value at the start of travel")
      ->check(FiniteNumber());
  command->add_option("--to", options.to, "The driven value at the end of travel")
      ->check(FiniteNumber());
  command->add_option("--format", options.format, "table, csv or json")->capture_default_str();
  command
      ->add_option("--output", options.output,
                   "Write the rows to this file (whole or not at all) instead of standard "
                   "output")
      ->check(NonEmpty());
  command->add_option("--frames", options.frames,
                      "Draw the view after \"Position\" and after every move into "
                      "DIR/frame-00001.png, ... (starts an Xvfb when there is no display)");
  command->add_option("--size", options.size, "Size of each picture, WxH in pixels")
      ->capture_default_str();
  command
      ->add_option_function<std::vector<std::string>>(
          "--clearance",
          // CLI11 hands a bare --clearance over as one empty name.
          [&options](const std::vector<std::string>& names) {
            options.clearance.emplace();
            for (const std::string& name : names) {
              if (!name.empty()) options.clearance->push_back(name);
            }
          },
          "The least distance from the moving component to the components named (to every "
          "other one when none is named) at each move and over the whole motion, and where "
          "it touches them")
      ->expected(0, CLI::detail::expected_max_vector_size);
  command->add_flag("--stop-at-contact", options.stopAtContact,
                    "End the run at the first move in contact, or after a contact on the way "
                    "to it (implies --clearance)");
  command->add_flag("--clearance-at-moves", options.clearanceAtMoves,
                    "Measure clearance at the moves only, not between them (implies "
                    "--clearance)");
  command
      ->add_option("--clearance-tolerance", options.clearanceTolerance,
                   "The distance at or below which components count as in contact, a length "
                   "(0.001 mm; implies --clearance)")
      ->check(NonEmpty());
  AddVideoOptions(*command, options);
  AddMotionOptions(*command, options);
  return command;
}

int RunRunCommand(const RunOptions& options, const Console& console) {
  const OutputFormat format = ParseOutputFormat(options.format);
  CheckFramingOptions(options);
  PreparedRun run = Prepare(options);
  // Refused motion options leave nothing written: no picture, no video, no rows.
  RunMotionPlan motion(options, *run.assembly.document, run.app, *run.path, run.followName);
  const std::unique_ptr<app::FrameRecorder> frames =
      MakeFrameRecorder(options, run.assembly.document);
  std::unique_ptr<app::VideoRecorder> video;
  if (options.video) {
    const auto [width, height] = PictureSize(options.size);
    video = MakeVideoRecorder(*options.video, options.fps, run.assembly.document, width, height);
  }
  // An interrupt must not leave the video's temporary file behind, however far it grew.
  std::optional<RemovedOnInterrupt> videoTemporary;
  if (video) videoTemporary.emplace(video->TemporaryPath());
  CPath& path = *run.path;
  if (frames || video) {
    const Ref<IVPoint> point = FollowPoint(path);
    const app::RunFraming framing =
        FramingOf(options, path, {point->X(), point->Y(), point->Z()}, motion.Train());
    if (frames) frames->Frame(framing);
    if (video) video->Frame(framing);
  }
  const PathCheck check(path);
  std::optional<RunClearance> clearance;
  if (options.clearance || options.stopAtContact || options.clearanceTolerance ||
      options.clearanceAtMoves) {
    clearance.emplace(options, *run.assembly.document, path, run.app, motion.Motion());
    run.header.clearance = true;
  }
  const double perUnit = model::CentimetresPerUnit(run.assembly.document->DisplayUnit());

  // The add-in shows each failure in a message box. The runner reports how "Position" and "Run"
  // ended itself, so it keeps the boxes and prints only those that say something else.
  std::vector<std::string> shown;
  platform::DesktopServices services;
  services.showMessage = [&](const std::string& text, const std::string&) {
    shown.push_back(text);
  };
  const platform::ScopedDesktopServices installed(services);

  // A file is written whole or not at all; standard output gets each row as it is made.
  std::optional<AtomicFile> file;
  if (options.output) file.emplace(*options.output);
  std::ostream& sink = file ? file->Stream() : console.out;
  const std::unique_ptr<ResultWriter> writer = MakeResultWriter(format, sink);
  writer->Begin(run.header);
  RunCheck summary;
  summary.plannedMoves = run.header.plannedMoves;
  if (!motion.IsAddInOnly()) summary.motion = motion.Summary();
  const auto finish = [&](const MotionOutcome& outcome, const std::string& failurePrefix) {
    summary.moves = outcome.moves;
    summary.recomputeFailures = outcome.recomputeFailures;
    if (outcome.end != MotionEnd::kCompleted) summary.failure = failurePrefix + outcome.failure;
    summary.passed = summary.failure.empty() && summary.recomputeFailures == 0 &&
                     summary.maxDistance < kDistanceGoal &&
                     summary.maxMisalignment.value_or(0.0) < kMisalignmentGoal &&
                     summary.maxTravelError < kTravelGoal && !summary.pathChangedLength;
    writer->End(summary);
    if (file) {
      file->Commit();
    } else if (!console.out.flush()) {
      throw std::runtime_error("standard output cannot be written");
    }
    PrintOtherMessages(shown, outcome, console.err);
  };

  MotionOutcome position = PositionAtStart(run.app, run.assembly.document, path);
  if (position.end == MotionEnd::kCompleted) {
    try {
      motion.Start();
    } catch (const std::exception& error) {
      position.end = MotionEnd::kFailed;
      position.failure = error.what();
    }
  }
  if (position.end != MotionEnd::kCompleted) {
    // "Position" is no move of the run: the outcome counts none.
    MotionOutcome noMoves = position;
    noMoves.moves = 0;
    noMoves.recomputeFailures = 0;
    finish(noMoves, "\"Position\" failed: ");
    console.err << "sledway: " << EscapedText(summary.failure) << '\n';
    return 1;
  }
  shown.clear();
  if (frames) Capture(*frames);
  if (clearance) {
    clearance->AtStart(path.FlipPath() ? path.Steps() : 0, path.FlipPath() ? 1.0 : 0.0);
  }

  // With a video the bar counts encoded frames: "Position" and each move, once per pass.
  ProgressBar progress(
      console.err,
      video ? (run.header.plannedMoves + 1) * video->PassesPerFrame() : run.header.plannedMoves,
      console.errIsTerminal);
  if (video) {
    video->OnProgress([&](std::int64_t encoded) { progress.Update(encoded); });
    video->Capture();
  }
  const MotionOutcome outcome = RunPath(
      run.app, run.assembly.document, path,
      [&](const RunMove& move) {
        MoveRow row;
        if (clearance) row.clearance = clearance->AfterMove(move.index, move.step, move.fraction);
        row.index = move.index;
        row.repetition = move.repetition;
        row.pass = move.pass;
        row.step = move.step;
        row.fraction = move.fraction;
        row.drivenValue = move.drivenValue;
        row.recomputed = move.recomputed;
        const Ref<IVPoint> point = FollowPoint(path);
        row.followPoint = {point->X() / perUnit, point->Y() / perUnit, point->Z() / perUnit};
        RotationOf(path.FollowComponent()->GetTransformation(), row);
        row.trainPoints = motion.TrainPoints(perUnit);
        const PathMeasurement measured = check.Measure(path, move.fraction);
        row.distanceFromPath = measured.distance;
        row.misalignment = measured.misalignment;
        KeepLargest(summary.maxDistance, measured.distance);
        if (measured.misalignment) {
          if (!summary.maxMisalignment) summary.maxMisalignment = 0.0;
          KeepLargest(*summary.maxMisalignment, *measured.misalignment);
        }
        KeepLargest(summary.maxTravelError, measured.travelError);
        summary.pathChangedLength = summary.pathChangedLength || measured.pathLengthChanged;
        writer->Row(row);
        // Rows that cannot be written end the run rather than vanish.
        if (!sink) throw std::runtime_error(OutputName(options) + " cannot be written");
        if (frames) Capture(*frames);
        if (video) {
          video->Capture();
        } else {
          progress.Update(move.index);
        }
        if (clearance) {
          if (const std::optional<std::string> stop = clearance->StopMessage()) {
            throw std::runtime_error(*stop);
          }
        }
      },
      motion.Hooks());
  // A video is of a whole run; one that stopped early leaves none.
  if (video && outcome.end == MotionEnd::kCompleted) video->Finish();
  progress.Finish();
  if (clearance) summary.clearance = clearance->Summary();
  finish(outcome, "");

  if (outcome.end != MotionEnd::kCompleted) {
    console.err << "sledway: the run ended after " << outcome.moves << " of "
                << run.header.plannedMoves << " moves: " << EscapedText(outcome.failure) << '\n';
    return 1;
  }
  if (outcome.recomputeFailures > 0) {
    console.err << "sledway: the assembly could not be recomputed after "
                << outcome.recomputeFailures << " of " << outcome.moves << " moves\n";
    return 1;
  }
  if (summary.pathChangedLength) {
    console.err << "sledway: the check failed: the path changed length during the run, so the "
                   "fractions no longer measure the path it was picked as\n";
    return 1;
  }
  if (!summary.passed) {
    console.err << "sledway: the check failed: the follow point left the path, was not where "
                   "its fraction puts it along the path, or the tangent line left the path's "
                   "tangent\n";
    return 1;
  }
  return 0;
}

}  // namespace sledway::cli
