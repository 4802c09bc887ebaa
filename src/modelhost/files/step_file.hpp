#pragma once

#include <TDocStd_Document.hxx>
#include <TopoDS_Shape.hxx>
#include <filesystem>
#include <gp_Trsf.hxx>
#include <string>
#include <vector>

#include "modelhost/parameters/length_unit.hpp"

namespace sledway::model {

// A STEP file read through Open CASCADE's XCAF document, with every length in model units
// (centimetres) whatever unit the file is written in. Failures are PlacedErrors without a
// place whose problem does not repeat the path: the caller names the file (and the member of an
// assembly file that asked for it).
class StepFile {
 public:
  // One occurrence at the top of the file.
  struct Occurrence {
    std::string name;
    // What the occurrence refers to: the name of the product and a key that is equal for
    // occurrences of the same product.
    std::string productName;
    std::string productKey;
    // The product's shape in its own coordinates (a compound for a sub-assembly).
    TopoDS_Shape shape;
    gp_Trsf placement;
  };

  explicit StepFile(const std::filesystem::path& path);
  ~StepFile();
  StepFile(const StepFile&) = delete;
  StepFile& operator=(const StepFile&) = delete;

  // The length unit the file is written in (millimetres when it is none of the five known).
  LengthUnit FileUnit() const { return fileUnit_; }
  // Everything in the file as one shape, in place.
  TopoDS_Shape WholeShape() const;
  // The occurrences of the assembly at the top of the file; for a file whose top holds no
  // single assembly, one occurrence per top-level shape, in place. Fails for a placement
  // that is not a rigid motion (scaled or mirrored).
  std::vector<Occurrence> TopOccurrences() const;

 private:
  Handle(TDocStd_Document) document_;
  LengthUnit fileUnit_ = LengthUnit::kMillimetre;
};

}  // namespace sledway::model
