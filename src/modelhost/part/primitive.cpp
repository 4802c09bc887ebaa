#include "modelhost/part/primitive.hpp"

#include <BRepCheck_Analyzer.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRepPrimAPI_MakeCylinder.hxx>
#include <BRepPrimAPI_MakeSphere.hxx>
#include <Standard_Failure.hxx>
#include <cmath>
#include <cstddef>
#include <utility>

#include "host/host_error.hpp"
#include "modelhost/topology/model_reach.hpp"

namespace sledway::model {

namespace {

// Below this a dimension (model units) makes no solid that OCCT can check.
constexpr double kSmallestDimension = 1e-7;

// OCCT builds these primitives from exact planes, cylinders, spheres, lines and circles with a
// tolerance of 1e-7; with every dimension at least a thousand times that and small enough for
// rounding to stay ten thousand times below it, the body is valid by construction. Only a body
// with a dimension outside this range is put through the (costly) shape analysis.
constexpr double kValidByConstructionFrom = 1e-4;
constexpr double kValidByConstructionTo = 1e5;

bool NeedsAnalysis(const std::vector<double>& values) {
  for (const double value : values) {
    if (value < kValidByConstructionFrom || value > kValidByConstructionTo) return true;
  }
  return false;
}

std::size_t DimensionCount(PrimitiveKind kind) {
  switch (kind) {
    case PrimitiveKind::kBox:
      return 3;
    case PrimitiveKind::kCylinder:
      return 2;
    case PrimitiveKind::kSphere:
      return 1;
  }
  return 0;
}

TopoDS_Shape MakeBody(PrimitiveKind kind, const std::vector<double>& v) {
  switch (kind) {
    case PrimitiveKind::kBox:
      return BRepPrimAPI_MakeBox(v[0], v[1], v[2]).Shape();
    case PrimitiveKind::kCylinder:
      return BRepPrimAPI_MakeCylinder(v[0], v[1]).Shape();
    case PrimitiveKind::kSphere:
      return BRepPrimAPI_MakeSphere(v[0]).Shape();
  }
  return {};
}

}  // namespace

Primitive::Primitive(PrimitiveKind kind, std::vector<Dimension> dimensions)
    : kind_(kind), dimensions_(std::move(dimensions)) {
  if (dimensions_.size() != DimensionCount(kind_)) {
    throw HostError(hresult::kInvalidArg, std::string("a ") + KindName() + " has " +
                                              std::to_string(DimensionCount(kind_)) +
                                              " dimensions, not " +
                                              std::to_string(dimensions_.size()));
  }
}

const char* Primitive::KindName() const {
  switch (kind_) {
    case PrimitiveKind::kBox:
      return "box";
    case PrimitiveKind::kCylinder:
      return "cylinder";
    case PrimitiveKind::kSphere:
      return "sphere";
  }
  return "primitive";
}

TopoDS_Shape Primitive::Build(const std::string& partName, const std::vector<double>& values,
                              const std::function<std::string(double)>& formatLength) const {
  const std::string part = "part '" + partName + "': ";
  if (values.size() != dimensions_.size()) {
    throw HostError(hresult::kInvalidArg,
                    part + "expected " + std::to_string(dimensions_.size()) + " dimension values");
  }
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (!std::isfinite(values[i])) {
      throw HostError(hresult::kInvalidArg,
                      part + dimensions_[i].name + " must be a finite length");
    }
    if (values[i] <= kSmallestDimension) {
      throw HostError(hresult::kInvalidArg, part + dimensions_[i].name + " must be positive, got " +
                                                formatLength(values[i]));
    }
    // The value itself is left out: written out in full it would run to hundreds of digits.
    if (values[i] > kModelReach) {
      throw HostError(hresult::kInvalidArg,
                      part + dimensions_[i].name + " must be at most " + formatLength(kModelReach));
    }
  }
  TopoDS_Shape body;
  try {
    body = MakeBody(kind_, values);
  } catch (const Standard_Failure&) {
    // The kernel's own text speaks of its internals, not of the part.
    throw HostError(hresult::kFail,
                    part + "the " + KindName() + " cannot be built from these dimensions");
  }
  if (body.IsNull() || (NeedsAnalysis(values) && !BRepCheck_Analyzer(body).IsValid())) {
    throw HostError(hresult::kFail, part + "the " + KindName() + " built is not a valid solid");
  }
  return body;
}

}  // namespace sledway::model
