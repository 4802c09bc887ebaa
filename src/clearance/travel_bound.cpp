#include "clearance/travel_bound.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "clearance/curvature_bound.hpp"
#include "host/part_entities.hpp"
#include "modelhost/component/edge_evaluator.hpp"
#include "modelhost/curves/curve_evaluator.hpp"
#include "modelhost/curves/curve_evaluator_2d.hpp"
#include "path/curve_evaluator_table.hpp"
#include "path/path_definition.hpp"
#include "path/path_entity.hpp"
#include "path/path_entity_chain.hpp"

namespace sledway::clearance {
namespace {

// The least turn onto a tangent turns the faster, the farther the component's line points from
// that tangent, without bound at a half turn; a step keeps it within two thirds of one, where
// it is at most twice the tangent's own.
constexpr double kMaxTurn = 2.0 * std::numbers::pi / 3.0;
// Where one piece ends and the next begins is known to the accuracy of the arc lengths (about
// 1e-10 of an entity's length); a step within this fraction of a piece's end is taken to reach
// the next piece too.
constexpr double kPieceEndPad = 1e-8;

// The curvature bounds of a curve and the arc length from its first parameter to another, as
// the evaluator that the path's entity uses measures it.
template <class Own, class Evaluator>
std::string Bounds(const Ref<Evaluator>& evaluator, CurvatureBounds& bounds,
                   std::vector<double>& lengths) {
  const auto own = std::dynamic_pointer_cast<Own>(evaluator);
  if (!own) return "it is not a curve of this model";
  if constexpr (requires { own->Curve(); }) {
    bounds = BoundCurvature(*own->Curve());
  } else {
    bounds = BoundCurvature(*own->Current().Curve());
  }
  if (!bounds.unbounded.empty()) return bounds.unbounded;
  double first = 0.0, last = 0.0;
  evaluator->GetParamRange(first, last);
  for (const CurvatureSpan& span : bounds.spans) {
    for (const double at : {span.first, span.last}) {
      double length = 0.0;
      if (!lengths.empty() && at == span.first) continue;
      evaluator->GetLengthBetweenParams(first, at, length);
      lengths.push_back(length);
    }
  }
  return {};
}

}  // namespace

TravelBound::TravelBound(CPath& path) : length_(path.Length()) {
  const Ref<CPathEnts> entities = path.PathEnts();
  const bool turns = path.IsAligned();
  for (int i = 1; i <= entities->Count(); ++i) {
    const Ref<CPathEnt> entity = entities->Item(i);
    const double start = entity->CurveLengthAtStart();
    const double end = entity->CurveLengthAtEnd();
    entityEnds_.push_back(end / length_);
    if (!turns || !unbounded_.empty()) {
      pieces_.push_back({start / length_, end / length_, 0.0});
      continue;
    }
    const std::string why = AddPieces(*entity);
    if (!why.empty()) {
      unbounded_ = "entity " + std::to_string(i) + " of the path (" +
                   (entity->EntType() == 2 ? "a part edge" : "a sketch curve") + "): " + why +
                   ", so the turn of the component between moves has no bound";
    }
  }
  std::sort(pieces_.begin(), pieces_.end(),
            [](const Piece& a, const Piece& b) { return a.start < b.start; });
}

std::string TravelBound::AddPieces(CPathEnt& entity) {
  CurvatureBounds bounds;
  std::vector<double> lengths;  // at the ends of the spans, the first span's start first
  std::string why;
  const Ref<IVObject> curve = entity.IVCurve();
  if (entity.EntType() == 0) {
    why = Bounds<model::CurveEvaluator2d>(MakeSketchCurveEvaluator2d(entity.IVCurveType(), curve),
                                          bounds, lengths);
  } else if (entity.EntType() == 1) {
    why = Bounds<model::CurveEvaluator>(MakeSketchCurveEvaluator3d(entity.IVCurveType(), curve),
                                        bounds, lengths);
  } else {
    const auto edge = std::dynamic_pointer_cast<IVEdge>(curve);
    if (!edge) return "it is not an edge";
    why = Bounds<model::EdgeEvaluator>(edge->GetEvaluator(), bounds, lengths);
  }
  if (!why.empty()) return why;
  const double start = entity.CurveLengthAtStart();
  const double length = entity.Length();
  // The distance along the path of a length along the curve's own direction.
  auto along = [&](double own) {
    return (start + (entity.Reversed() ? length - own : own)) / length_;
  };
  for (std::size_t k = 0; k < bounds.spans.size(); ++k) {
    const double a = along(lengths[k]);
    const double b = along(lengths[k + 1]);
    pieces_.push_back({std::min(a, b), std::max(a, b), bounds.spans[k].curvature});
  }
  return {};
}

std::vector<double> TravelBound::EntityEndsBetween(double from, double to) const {
  std::vector<double> ends;
  for (std::size_t i = 0; i + 1 < entityEnds_.size(); ++i) {
    const double end = entityEnds_[i];
    // An end at the lower of the two is crossed too: the motion leaves it forwards, or
    // arrives there backwards, on the next entity.
    if (end >= std::min(from, to) && end < std::max(from, to)) ends.push_back(end);
  }
  if (to < from) std::reverse(ends.begin(), ends.end());
  return ends;
}

double TravelBound::Step(double from, double to, double distance, double radius,
                         double turned) const {
  if (!(distance > 0.0) || pieces_.empty() || !unbounded_.empty()) return 0.0;
  const double room = std::abs(to - from);
  // Over a step h the follow point moves at most length h; the component turns by at most the
  // tangent's turn (curvature x length x h) over the cosine of half the angle it stands from
  // the line it started with, so a point at `radius` moves at most radius times that more.
  auto stepAt = [&](double curvature) {
    const double rate = curvature * length_;
    if (rate == 0.0 || radius == 0.0) return std::min(room, distance / length_);
    const double cap = (kMaxTurn - turned) / rate;
    if (!(cap > 0.0)) return 0.0;
    const double upper = std::min({room, cap, distance / (length_ + radius * rate)});
    const double cosine = std::cos(0.5 * (turned + rate * upper));
    return std::min(upper, distance / (length_ + radius * rate / cosine));
  };
  // The curvature is the largest of the pieces the step reaches: take them in order of travel
  // from the one that holds `from` until the step they allow ends within them.
  const bool forwards = to >= from;
  const auto holding =
      forwards
          ? std::lower_bound(pieces_.begin(), pieces_.end(), from,
                             [](const Piece& p, double f) { return p.end + kPieceEndPad < f; })
          : std::upper_bound(pieces_.begin(), pieces_.end(), from,
                             [](double f, const Piece& p) { return f < p.start - kPieceEndPad; });
  double curvature = 0.0;
  double step = 0.0;
  if (forwards) {
    for (auto piece = holding; piece != pieces_.end(); ++piece) {
      curvature = std::max(curvature, piece->curvature);
      step = stepAt(curvature);
      if (from + step <= piece->end - kPieceEndPad) break;
    }
  } else {
    for (auto piece = holding; piece != pieces_.begin();) {
      --piece;
      curvature = std::max(curvature, piece->curvature);
      step = stepAt(curvature);
      if (from - step >= piece->start + kPieceEndPad) break;
    }
  }
  return step;
}

double TravelBound::TangentTurnRate(double from, double to) const {
  const double low = std::min(from, to);
  const double high = std::max(from, to);
  double curvature = 0.0;
  for (const Piece& piece : pieces_) {
    if (piece.end + kPieceEndPad >= low && piece.start - kPieceEndPad <= high) {
      curvature = std::max(curvature, piece.curvature);
    }
  }
  return curvature * length_;
}

}  // namespace sledway::clearance
