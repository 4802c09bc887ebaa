#pragma once

#include <stdexcept>
#include <string>

namespace sledway::model {

// A problem found at one place of an assembly file, raised by the readers, which do not know
// the file's name; the loader turns it into an AssemblyFileError. The place is a JSON pointer,
// "line L, column C", or empty for the file as a whole.
class PlacedError : public std::runtime_error {
 public:
  PlacedError(std::string place, std::string problem);

  const std::string& Place() const { return place_; }
  const std::string& Problem() const { return problem_; }

  // "<file>: <place>: <problem>", leaving out an empty place.
  std::string MessageFor(const std::string& file) const;

 private:
  std::string place_;
  std::string problem_;
};

}  // namespace sledway::model
