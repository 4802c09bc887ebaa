#pragma once

#include <TopoDS_Shape.hxx>
#include <functional>
#include <string>
#include <vector>

namespace sledway::model {

enum class PrimitiveKind {
  kBox,       // from the origin along +X (length), +Y (width), +Z (height)
  kCylinder,  // radius, height; axis +Z from the origin
  kSphere,    // radius; centre at the origin
};

// One dimension of a primitive: its name ("width") and the expression that drives it.
struct Dimension {
  std::string name;
  std::string expression;
};

// The recipe of a parameter-driven body: which primitive, and the expressions of its
// dimensions in the kind's order.
class Primitive {
 public:
  // Fails when the number of dimensions does not fit the kind.
  Primitive(PrimitiveKind kind, std::vector<Dimension> dimensions);

  PrimitiveKind Kind() const { return kind_; }
  // "box", "cylinder", "sphere".
  const char* KindName() const;
  const std::vector<Dimension>& Dimensions() const { return dimensions_; }

  // The body for the dimensions' values (model units, in the order of Dimensions()). Fails,
  // naming the part and the dimension, when a value is not a finite length above 1e-7 (for
  // example "part 'lid': width must be positive, got 0 mm", the value written by
  // `formatLength`), or when the body built is not valid.
  TopoDS_Shape Build(const std::string& partName, const std::vector<double>& values,
                     const std::function<std::string(double)>& formatLength) const;

 private:
  PrimitiveKind kind_;
  std::vector<Dimension> dimensions_;
};

}  // namespace sledway::model
