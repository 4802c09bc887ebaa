#include "modelhost/files/placed_error.hpp"

#include <utility>

namespace sledway::model {

namespace {

std::string Join(const std::string& place, const std::string& problem) {
  return place.empty() ? problem : place + ": " + problem;
}

}  // namespace

PlacedError::PlacedError(std::string place, std::string problem)
    : std::runtime_error(Join(place, problem)),
      place_(std::move(place)),
      problem_(std::move(problem)) {}

std::string PlacedError::MessageFor(const std::string& file) const {
  return file + ": " + Join(place_, problem_);
}

}  // namespace sledway::model
