#pragma once

#include <TopoDS_Shape.hxx>
#include <filesystem>
#include <vector>

#include "modelhost/files/step_contents.hpp"
#include "modelhost/parameters/length_unit.hpp"

namespace sledway::model {

// A STEP file read with every length in model units (centimetres) whatever unit the file is
// written in. Open CASCADE translates it in a child process (see ReadStepInChild), so that no
// file can crash or hang the program. Failures are PlacedErrors without a place whose problem
// does not repeat the path: the caller names the file (and the member of an assembly file that
// asked for it).
class StepFile {
 public:
  using Occurrence = StepContents::Occurrence;

  explicit StepFile(const std::filesystem::path& path);

  // The length unit the file is written in (millimetres when it is none of the five known).
  LengthUnit FileUnit() const { return contents_.fileUnit; }
  // Everything in the file as one shape, in place.
  const TopoDS_Shape& WholeShape() const { return contents_.whole; }
  // The occurrences of the assembly at the top of the file; for a file whose top holds no
  // single assembly, one occurrence per top-level shape, in place. Fails for a placement
  // that is not a rigid motion (scaled or mirrored).
  const std::vector<Occurrence>& TopOccurrences() const;

 private:
  StepContents contents_;
};

}  // namespace sledway::model
