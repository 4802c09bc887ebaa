#include "clearance/local_distance.hpp"

#include <Precision.hxx>
#include <algorithm>
#include <array>
#include <cmath>

namespace sledway::clearance {
namespace {

// At most two parameters on each side.
constexpr std::size_t kMost = 4;
using Vector = std::array<double, kMost>;
using Matrix = std::array<Vector, kMost>;

constexpr int kMostSteps = 60;
constexpr int kMostDampings = 16;
// A gradient this small beside the gap and the cell's speed is a stationary point: the gap
// stands that near square to the cell, and the distance is exact to the square of it. Smaller is
// not always reachable: near the minimum the squared distance changes by less than its rounding,
// and the descent stops there.
constexpr double kStationary = 1e-6;

std::size_t Dimension(const Cell& cell) {
  return cell.face != nullptr ? 2 : cell.edge != nullptr ? 1 : 0;
}

// A cell's point with its first and second derivatives along its parameters.
struct Jet {
  gp_Pnt point;
  std::array<gp_Vec, 2> d{};
  std::array<std::array<gp_Vec, 2>, 2> dd{};
};

Jet Evaluate(const Cell& cell, const double* parameters, const gp_Trsf* place) {
  Jet jet;
  if (cell.face != nullptr) {
    cell.face->Surface().D2(parameters[0], parameters[1], jet.point, jet.d[0], jet.d[1],
                            jet.dd[0][0], jet.dd[1][1], jet.dd[0][1]);
    jet.dd[1][0] = jet.dd[0][1];
  } else if (cell.edge != nullptr) {
    cell.edge->D2(parameters[0], jet.point, jet.d[0], jet.dd[0][0]);
  } else {
    jet.point = cell.corner;
  }
  if (place != nullptr) {
    jet.point.Transform(*place);
    for (gp_Vec* vector :
         {&jet.d[0], &jet.d[1], &jet.dd[0][0], &jet.dd[0][1], &jet.dd[1][0], &jet.dd[1][1]}) {
      vector->Transform(*place);
    }
  }
  return jet;
}

// Keeps a parameter within the face's box, or the edge's range, where it does not repeat:
// beyond, a surface or curve may not be defined at all.
void Bound(const Cell& cell, double* parameters) {
  if (cell.face != nullptr) {
    const BRepAdaptor_Surface& surface = cell.face->Surface();
    if (!surface.IsUPeriodic()) {
      parameters[0] =
          std::clamp(parameters[0], surface.FirstUParameter(), surface.LastUParameter());
    }
    if (!surface.IsVPeriodic()) {
      parameters[1] =
          std::clamp(parameters[1], surface.FirstVParameter(), surface.LastVParameter());
    }
  } else if (cell.edge != nullptr && !(cell.edge->IsClosed() && cell.edge->IsPeriodic())) {
    parameters[0] =
        std::clamp(parameters[0], cell.edge->FirstParameter(), cell.edge->LastParameter());
  }
}

// Half the squared distance between the two cells' points, with its gradient and Hessian over
// both cells' parameters, and each parameter's own scale (the squared speed of its cell along
// it), which damps a step evenly whatever the parameters' units.
struct Model {
  Jet first, second;
  gp_Vec gap;  // from the second cell's point to the first's
  double value = 0.0;
  Vector gradient{};
  Matrix hessian{};
  Vector scale{};
};

class Problem {
 public:
  Problem(const Cell& first, const Cell& second, const gp_Trsf& place)
      : first_(first),
        second_(second),
        place_(place),
        split_(Dimension(first)),
        size_(split_ + Dimension(second)) {}

  std::size_t Size() const { return size_; }

  void Bounded(Vector& x) const {
    Bound(first_, x.data());
    Bound(second_, x.data() + split_);
  }

  // Which parameters stand at a bound the gradient pushes them beyond: they are held there,
  // so that the others still take full Newton steps.
  std::array<bool, kMost> Held(const Vector& x, const Vector& gradient) const {
    Vector bounded = x;
    for (std::size_t i = 0; i < size_; ++i) bounded[i] -= gradient[i];
    Bounded(bounded);
    std::array<bool, kMost> held{};
    for (std::size_t i = 0; i < size_; ++i) held[i] = bounded[i] == x[i] && gradient[i] != 0.0;
    return held;
  }

  Model At(const Vector& x) const {
    Model m;
    m.first = Evaluate(first_, x.data(), nullptr);
    m.second = Evaluate(second_, x.data() + split_, &place_);
    m.gap = gp_Vec(m.second.point, m.first.point);
    m.value = 0.5 * m.gap.SquareMagnitude();
    // The gap moves with the first cell's parameters and against the second's; the two cells'
    // parameters do not mix in its second derivatives.
    for (std::size_t i = 0; i < size_; ++i) {
      const gp_Vec along = Along(m, i);
      m.gradient[i] = m.gap.Dot(along);
      m.scale[i] = along.SquareMagnitude();
      for (std::size_t j = 0; j < size_; ++j) {
        m.hessian[i][j] = along.Dot(Along(m, j));
        const bool firstI = i < split_;
        if (firstI != (j < split_)) continue;
        const gp_Vec& curvature = firstI ? m.first.dd[i][j] : m.second.dd[i - split_][j - split_];
        m.hessian[i][j] += (firstI ? 1.0 : -1.0) * m.gap.Dot(curvature);
      }
    }
    return m;
  }

 private:
  gp_Vec Along(const Model& m, std::size_t i) const {
    return i < split_ ? m.first.d[i] : -m.second.d[i - split_];
  }

  const Cell& first_;
  const Cell& second_;
  const gp_Trsf& place_;
  std::size_t split_;
  std::size_t size_;
};

// Solves a·x = b over the first `size` unknowns by Cholesky's factoring; false when `a` is not
// positive definite, a pivot falling to `floor` times its diagonal or below. (Signed indices:
// gcc 12 at -O2 miscompiles the back substitution counted down in std::size_t.)
bool SolvePositive(Matrix a, const Vector& b, Vector& x, int size, double floor) {
  for (int j = 0; j < size; ++j) {
    const double diagonal = a[j][j];
    double pivot = diagonal;
    for (int k = 0; k < j; ++k) pivot -= a[j][k] * a[j][k];
    if (!(pivot > 0.0) || !(pivot > floor * std::abs(diagonal))) return false;
    a[j][j] = std::sqrt(pivot);
    for (int i = j + 1; i < size; ++i) {
      double sum = a[i][j];
      for (int k = 0; k < j; ++k) sum -= a[i][k] * a[j][k];
      a[i][j] = sum / a[j][j];
    }
  }
  Vector y{};
  for (int i = 0; i < size; ++i) {
    double sum = b[i];
    for (int k = 0; k < i; ++k) sum -= a[i][k] * y[k];
    y[i] = sum / a[i][i];
  }
  for (int i = size - 1; i >= 0; --i) {
    double sum = y[i];
    for (int k = i + 1; k < size; ++k) sum -= a[k][i] * x[k];
    x[i] = sum / a[i][i];
  }
  return true;
}

// One step from `m` at `x` that brings the cells nearer: Newton's, damped towards the
// gradient's (Levenberg and Marquardt) while it does not. False when none does.
bool Step(const Problem& problem, Vector& x, Model& m, double& damping) {
  const std::size_t size = problem.Size();
  const std::array<bool, kMost> held = problem.Held(x, m.gradient);
  for (int attempt = 0; attempt < kMostDampings; ++attempt) {
    Matrix damped = m.hessian;
    Vector downhill{};
    for (std::size_t i = 0; i < size; ++i) {
      damped[i][i] += damping * std::max(m.scale[i], 1e-300);
      downhill[i] = -m.gradient[i];
      if (!held[i]) continue;
      // Out of the system: its row and column say only that it does not move.
      for (std::size_t j = 0; j < size; ++j) damped[i][j] = damped[j][i] = 0.0;
      damped[i][i] = 1.0;
      downhill[i] = 0.0;
    }
    Vector descent{};
    if (SolvePositive(damped, downhill, descent, static_cast<int>(size), 1e-14)) {
      Vector trial = x;
      for (std::size_t i = 0; i < size; ++i) trial[i] += descent[i];
      problem.Bounded(trial);
      Model next = problem.At(trial);
      if (next.value <= m.value) {
        x = trial;
        m = std::move(next);
        damping = damping < 1e-9 ? 0.0 : damping * 0.1;
        return true;
      }
    }
    damping = damping == 0.0 ? 1e-6 : damping * 10.0;
  }
  return false;
}

}  // namespace

std::optional<LocalNearest> LocalDistance(const Cell& first, const Cell& second,
                                          const gp_Trsf& secondToFirst, double scale) {
  const Problem problem(first, second, secondToFirst);
  const std::size_t size = problem.Size();
  const std::size_t split = Dimension(first);
  Vector x{first.x, first.y, 0.0, 0.0};
  x[split] = second.x;
  x[split + 1] = second.y;
  problem.Bounded(x);
  Model m = problem.At(x);
  const double settled = 1e-13 * scale;
  double damping = 0.0;
  for (int step = 0; step < kMostSteps && m.value > 0.0 && size > 0; ++step) {
    const gp_Pnt before = m.first.point;
    const gp_Pnt otherBefore = m.second.point;
    if (!Step(problem, x, m, damping)) break;
    if (before.Distance(m.first.point) + otherBefore.Distance(m.second.point) <= settled) break;
  }

  const double distance = m.gap.Magnitude();
  if (distance > Precision::Confusion()) {
    // A stationary point: the gap square to both cells there (an edge's end, where the solve
    // was stopped, is not one unless the gap is square to the edge).
    for (std::size_t i = 0; i < size; ++i) {
      if (std::abs(m.gradient[i]) > kStationary * distance * std::sqrt(m.scale[i])) {
        return std::nullopt;
      }
    }
    // A minimum, not a saddle: the Hessian at least nearly positive (a plane along a cylinder
    // keeps its distance along the axis, so the least is a line).
    Matrix nudged = m.hessian;
    for (std::size_t i = 0; i < size; ++i) nudged[i][i] += 1e-9 * m.scale[i];
    Vector unused{};
    if (size > 0 && !SolvePositive(nudged, m.gradient, unused, static_cast<int>(size), 0.0))
      return std::nullopt;
  }
  if (first.face != nullptr && !first.face->Contains(gp_Pnt2d(x[0], x[1]))) return std::nullopt;
  if (second.face != nullptr && !second.face->Contains(gp_Pnt2d(x[split], x[split + 1]))) {
    return std::nullopt;
  }
  return LocalNearest{distance, m.first.point, m.second.point};
}

}  // namespace sledway::clearance
