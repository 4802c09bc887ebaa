#pragma once

#include <gp_Ax3.hxx>
#include <gp_Dir.hxx>
#include <gp_Dir2d.hxx>
#include <gp_Pnt.hxx>
#include <gp_Pnt2d.hxx>
#include <gp_Trsf.hxx>
#include <string>

#include "modelhost/files/json_node.hpp"
#include "modelhost/parameters/length_unit.hpp"

namespace sledway::model {

// Reads the geometric values of an assembly file, written in the file's length unit and in
// degrees, into model units (centimetres, radians). Every refusal is a PlacedError at the value.
class GeometryReader {
 public:
  explicit GeometryReader(LengthUnit fileUnit) : fileUnit_(fileUnit) {}

  // A coordinate or length, refused when it lies beyond what the model can hold.
  double Length(const JsonNode& node) const;
  // A radius or height: a length the model can build with, refused in the file's own unit
  // ("got -5 mm") when it is not positive, too small to tell from zero or too large to hold.
  double PositiveLength(const JsonNode& node) const;
  // The same refusals for a size already in model units that the file gave as `given`.
  void RequireBuildableSize(const JsonNode& node, double modelLength,
                            const std::string& given) const;
  // A number of the file as the file wrote it, with the file's unit: "1e-300 mm".
  std::string GivenText(double given) const;
  // "the major radius (2 mm) is smaller than the minor radius (5 mm)", in the file's unit.
  std::string LengthText(double modelLength) const;
  double Angle(const JsonNode& node) const;
  gp_Pnt Point(const JsonNode& node) const;
  gp_Pnt2d Point2d(const JsonNode& node) const;
  // Any length but (nearly) zero: shorter than 1e-12 counts as zero-length.
  gp_Dir Direction(const JsonNode& node) const;
  gp_Dir2d Direction2d(const JsonNode& node) const;
  // {"origin", "normal", "xDir"}: xDir is projected into the plane, refused when parallel to
  // the normal.
  gp_Ax3 Plane(const JsonNode& node) const;
  // A component's placement: {"origin"} alone, with {"axis", "angle"}, or with {"xDir",
  // "zDir"}; the identity for a missing placement.
  gp_Trsf Placement(const JsonNode& node) const;

 private:
  LengthUnit fileUnit_;
};

}  // namespace sledway::model
