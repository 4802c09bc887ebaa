#pragma once

#include <TopoDS_Shape.hxx>
#include <gp_Trsf.hxx>
#include <string>
#include <string_view>
#include <vector>

#include "modelhost/parameters/length_unit.hpp"

namespace sledway::model {

// What the model host takes from a STEP file, with every length in model units (centimetres).
struct StepContents {
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

  // The length unit the file is written in (millimetres when it is none of the five known).
  LengthUnit fileUnit = LengthUnit::kMillimetre;
  // Everything in the file as one shape, in place.
  TopoDS_Shape whole;
  // The occurrences of the assembly at the top of the file; for a file whose top holds no
  // single assembly, one occurrence per top-level shape, in place.
  std::vector<Occurrence> occurrences;
};

// The contents as bytes for another process of this same program, and back. Shapes keep what
// they share (two occurrences of one product refer to one shape again) and every number keeps
// all its bits. Decoding throws std::runtime_error for bytes that end early.
std::string EncodeStepContents(const StepContents& contents);
StepContents DecodeStepContents(std::string_view bytes);

}  // namespace sledway::model
