#pragma once

// The test host's geometry values: vectors and rigid placements of model space (centimetres),
// in closed form.

#include <array>

namespace sledway::automation_host {

struct Vec3 {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

Vec3 operator+(const Vec3& a, const Vec3& b);
Vec3 operator-(const Vec3& a, const Vec3& b);
Vec3 operator*(double scale, const Vec3& v);
double Dot(const Vec3& a, const Vec3& b);
Vec3 Cross(const Vec3& a, const Vec3& b);
double Norm(const Vec3& v);
// The unit vector along `v`; `v` itself when it has no length.
Vec3 Normalized(const Vec3& v);

// A placement of model space: p -> R p + t, kept as the host's 4x4 matrix without its last row
// (0 0 0 1). Points are columns, so the translation is column 4.
struct Affine {
  std::array<std::array<double, 4>, 3> cell{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}}};

  static Affine Translation(const Vec3& offset);
  // The rotation about the unit `axis` through the origin by `angle` (right hand).
  static Affine Rotation(const Vec3& axis, double angle);
  // The rotation through the origin that turns `from` onto `to`. Parallel vectors give the
  // identity; opposite ones a half turn about `axis` when it is perpendicular to `from`,
  // otherwise about some perpendicular.
  static Affine RotationBetween(const Vec3& from, const Vec3& to, const Vec3* axis);

  Vec3 Point(const Vec3& p) const;
  Vec3 Direction(const Vec3& v) const;
  Vec3 TranslationPart() const { return {cell[0][3], cell[1][3], cell[2][3]}; }
  // The placement that applies `first`, then this one.
  Affine After(const Affine& first) const;
};

}  // namespace sledway::automation_host
