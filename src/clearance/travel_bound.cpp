#include "clearance/travel_bound.hpp"

#include <algorithm>
#include <cmath>
#include <gp_Vec.hxx>
#include <numbers>

#include "path/path_definition.hpp"
#include "path/path_entity.hpp"
#include "path/path_entity_chain.hpp"

namespace sledway::clearance {
namespace {

// The least turn onto a tangent turns the faster, the farther the component's line points from
// that tangent, without bound at a half turn; a step keeps it within two thirds of one, where
// it is at most twice the tangent's own.
constexpr double kMaxTurn = 2.0 * std::numbers::pi / 3.0;

gp_Vec PointOf(const Ref<IVPoint>& point) {
  return {point->X(), point->Y(), point->Z()};
}

// The radius of the circle through three points; infinite when they lie on one line.
double Circumradius(const gp_Vec& a, const gp_Vec& b, const gp_Vec& c) {
  const double twiceArea = (b - a).Crossed(c - a).Magnitude();
  if (twiceArea == 0.0) return std::numeric_limits<double>::infinity();
  return (b - a).Magnitude() * (c - b).Magnitude() * (a - c).Magnitude() / (2.0 * twiceArea);
}

// Kinds as a proxy reports them: a curve of the assembly's own sketch reports its native code.
bool IsStraight(IVCurveKind kind) {
  const IVCurveKind proxy = ProxyKind(kind);
  return proxy == IVCurveKind::kSketchLineProxy || proxy == IVCurveKind::kSketchLine3DProxy;
}

bool IsCircular(IVCurveKind kind) {
  const IVCurveKind proxy = ProxyKind(kind);
  return proxy == IVCurveKind::kSketchArcProxy || proxy == IVCurveKind::kSketchCircleProxy ||
         proxy == IVCurveKind::kSketchArc3DProxy || proxy == IVCurveKind::kSketchCircle3DProxy;
}

}  // namespace

TravelBound::TravelBound(CPath& path) : length_(path.Length()) {
  const Ref<CPathEnts> entities = path.PathEnts();
  const bool turns = path.IsAligned();
  for (int i = 1; i <= entities->Count(); ++i) {
    const Ref<CPathEnt> entity = entities->Item(i);
    const double start = entity->CurveLengthAtStart();
    const double end = entity->CurveLengthAtEnd();
    double curvature = 0.0;
    const IVCurveKind kind = entity->IVCurveType();
    if (turns && !IsStraight(kind)) {
      if (!IsCircular(kind)) {
        if (unbounded_.empty()) {
          unbounded_ = "entity " + std::to_string(i) + " of the path is " +
                       (kind == IVCurveKind::kEdge ? "a part edge" : "a sketch curve") +
                       " other than a sketch line, arc or circle, so the turn of the component "
                       "between moves has no bound";
        }
      } else {
        const double third = (end - start) / 3.0;
        curvature = 1.0 / Circumradius(PointOf(entity->PartPathPoint(start)),
                                       PointOf(entity->PartPathPoint(start + third)),
                                       PointOf(entity->PartPathPoint(start + 2.0 * third)));
      }
    }
    pieces_.push_back({start / length_, end / length_, curvature});
  }
}

const TravelBound::Piece& TravelBound::PieceAt(double fraction) const {
  const auto piece = std::find_if(pieces_.begin(), pieces_.end(),
                                  [fraction](const Piece& p) { return p.end >= fraction; });
  return piece == pieces_.end() ? pieces_.back() : *piece;
}

std::vector<double> TravelBound::EntityEndsBetween(double from, double to) const {
  std::vector<double> ends;
  for (std::size_t i = 0; i + 1 < pieces_.size(); ++i) {
    const double end = pieces_[i].end;
    // An end at the lower of the two is crossed too: the motion leaves it forwards, or
    // arrives there backwards, on the next entity.
    if (end >= std::min(from, to) && end < std::max(from, to)) ends.push_back(end);
  }
  if (to < from) std::reverse(ends.begin(), ends.end());
  return ends;
}

double TravelBound::Step(double from, double to, double distance, double radius,
                         double turned) const {
  if (!(distance > 0.0) || pieces_.empty()) return 0.0;
  const double room = std::abs(to - from);
  const Piece& piece = PieceAt(0.5 * (from + to));
  // Over a step h the follow point moves at most length h; the component turns by at most the
  // tangent's turn (curvature x length x h) over the cosine of half the angle it stands from
  // the line it started with, so a point at `radius` moves at most radius times that more.
  const double rate = piece.curvature * length_;
  if (rate == 0.0 || radius == 0.0) return std::min(room, distance / length_);
  const double cap = (kMaxTurn - turned) / rate;
  if (!(cap > 0.0)) return 0.0;
  const double upper = std::min({room, cap, distance / (length_ + radius * rate)});
  const double cosine = std::cos(0.5 * (turned + rate * upper));
  return std::min(upper, distance / (length_ + radius * rate / cosine));
}

double TravelBound::TangentTurnRate(double from, double to) const {
  return pieces_.empty() ? 0.0 : PieceAt(0.5 * (from + to)).curvature * length_;
}

}  // namespace sledway::clearance
