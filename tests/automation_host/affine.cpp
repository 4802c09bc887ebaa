#include "affine.hpp"

#include <cmath>

namespace sledway::automation_host {

Vec3 operator+(const Vec3& a, const Vec3& b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}

Vec3 operator-(const Vec3& a, const Vec3& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Vec3 operator*(double scale, const Vec3& v) {
  return {scale * v.x, scale * v.y, scale * v.z};
}

double Dot(const Vec3& a, const Vec3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double Norm(const Vec3& v) {
  return std::sqrt(Dot(v, v));
}

Vec3 Normalized(const Vec3& v) {
  const double length = Norm(v);
  return length > 0.0 ? (1.0 / length) * v : v;
}

Affine Affine::Translation(const Vec3& offset) {
  Affine moved;
  moved.cell[0][3] = offset.x;
  moved.cell[1][3] = offset.y;
  moved.cell[2][3] = offset.z;
  return moved;
}

Affine Affine::Rotation(const Vec3& axis, double angle) {
  const Vec3 k = Normalized(axis);
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  const double t = 1.0 - c;
  Affine turned;
  turned.cell[0] = {t * k.x * k.x + c, t * k.x * k.y - s * k.z, t * k.x * k.z + s * k.y, 0.0};
  turned.cell[1] = {t * k.x * k.y + s * k.z, t * k.y * k.y + c, t * k.y * k.z - s * k.x, 0.0};
  turned.cell[2] = {t * k.x * k.z - s * k.y, t * k.y * k.z + s * k.x, t * k.z * k.z + c, 0.0};
  return turned;
}

Affine Affine::RotationBetween(const Vec3& from, const Vec3& to, const Vec3* axis) {
  const Vec3 a = Normalized(from);
  const Vec3 b = Normalized(to);
  const Vec3 normal = Cross(a, b);
  const double sine = Norm(normal);
  const double cosine = Dot(a, b);
  if (sine > 1e-14) return Rotation(normal, std::atan2(sine, cosine));
  if (cosine > 0.0) return Affine{};
  if (axis != nullptr && Norm(*axis) > 0.0 && std::abs(Dot(Normalized(*axis), a)) < 1e-12) {
    return Rotation(*axis, std::acos(-1.0));
  }
  const Vec3 other = std::abs(a.x) < 0.9 ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
  return Rotation(Cross(a, other), std::acos(-1.0));
}

Vec3 Affine::Point(const Vec3& p) const {
  return Direction(p) + TranslationPart();
}

Vec3 Affine::Direction(const Vec3& v) const {
  return {cell[0][0] * v.x + cell[0][1] * v.y + cell[0][2] * v.z,
          cell[1][0] * v.x + cell[1][1] * v.y + cell[1][2] * v.z,
          cell[2][0] * v.x + cell[2][1] * v.y + cell[2][2] * v.z};
}

Affine Affine::After(const Affine& first) const {
  Affine product;
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 4; ++column) {
      double sum = column == 3 ? cell[row][3] : 0.0;
      for (int k = 0; k < 3; ++k) sum += cell[row][k] * first.cell[k][column];
      product.cell[row][column] = sum;
    }
  }
  return product;
}

}  // namespace sledway::automation_host
