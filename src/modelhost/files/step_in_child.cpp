#include "modelhost/files/step_in_child.hpp"

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <system_error>

#include "modelhost/files/child_process.hpp"
#include "modelhost/files/placed_error.hpp"

namespace sledway::model {

namespace {

// The child's answer starts with one of these.
constexpr char kContents = 'C';
constexpr char kRefusal = 'R';

std::string TranslateToBytes(const std::filesystem::path& path, const StepTranslator& translate) {
  try {
    return kContents + EncodeStepContents(translate(path));
  } catch (const PlacedError& error) {
    return kRefusal + error.Problem();
  }
}

std::string Seconds(std::chrono::milliseconds limit) {
  const auto seconds = std::chrono::duration<double>(limit).count();
  char text[32];
  std::snprintf(text, sizeof text, "%g s", seconds);
  return text;
}

}  // namespace

StepContents ReadStepInChild(const std::filesystem::path& path, const StepTranslator& translate,
                             std::chrono::milliseconds limit) {
  ChildOutcome outcome;
  try {
    outcome = RunInChild([&] { return TranslateToBytes(path, translate); }, limit);
  } catch (const std::system_error& error) {
    throw PlacedError("", std::string("the file cannot be read: ") + error.what());
  }
  switch (outcome.ending) {
    case ChildOutcome::Ending::kFinished:
      break;
    case ChildOutcome::Ending::kExited:
      throw PlacedError("", "the STEP translator crashed on this file (exit status " +
                                std::to_string(outcome.code) + ")");
    case ChildOutcome::Ending::kSignalled:
      throw PlacedError("", "the STEP translator crashed on this file (" +
                                std::string(strsignal(outcome.code)) + ")");
    case ChildOutcome::Ending::kTimedOut:
      throw PlacedError("", "the STEP translator was stopped after " + Seconds(limit) +
                                ", the time limit for reading a file");
  }
  const std::string_view answer = outcome.output;
  if (!answer.empty() && answer.front() == kRefusal) {
    throw PlacedError("", std::string(answer.substr(1)));
  }
  try {
    if (answer.empty() || answer.front() != kContents) throw std::runtime_error("no contents");
    return DecodeStepContents(answer.substr(1));
  } catch (const std::runtime_error& error) {
    throw PlacedError("",
                      std::string("the STEP translator's answer cannot be read: ") + error.what());
  }
}

}  // namespace sledway::model
