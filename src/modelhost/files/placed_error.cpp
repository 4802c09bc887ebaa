#include "modelhost/files/placed_error.hpp"

#include <utility>

#include "host/echoed_text.hpp"

namespace sledway::model {

namespace {

std::string Join(const std::string& place, const std::string& problem) {
  return place.empty() ? problem : place + ": " + problem;
}

}  // namespace

// The place is a JSON pointer made of the file's own keys, quoted as any text of the file is.
PlacedError::PlacedError(std::string place, std::string problem)
    : std::runtime_error(Join(EchoedText(place), problem)),
      place_(EchoedText(place)),
      problem_(std::move(problem)) {}

std::string PlacedError::MessageFor(const std::string& file) const {
  return file + ": " + Join(place_, problem_);
}

}  // namespace sledway::model
