#include "cli/path_check.hpp"

#include <Adaptor3d_Curve.hxx>
#include <Extrema_ExtPC.hxx>
#include <Extrema_LocateExtPC.hxx>
#include <GCPnts_AbscissaPoint.hxx>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <gp_Trsf.hxx>
#include <limits>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "cli/model_curves.hpp"
#include "host/part_entities.hpp"
#include "modelhost/curves/extended_curve.hpp"
#include "path/path_definition.hpp"

namespace sledway::cli {
namespace {

// Where a local search for the nearest point stops: parameter steps this small.
constexpr double kSearchTolerance = 1e-15;

// A place on one curve of the path where the follow point's distance has a local minimum.
struct Candidate {
  double distance = std::numeric_limits<double>::infinity();
  std::size_t piece = 0;
  double parameter = 0.0;
  gp_Vec tangent;
  gp_Trsf modelToCurve;
};

// The place at `parameter` of the curve, for `point` in the curve's own coordinates.
Candidate CandidateAt(const FramedCurve& framed, std::size_t piece, const gp_Pnt& point,
                      double parameter) {
  gp_Pnt onCurve;
  gp_Vec tangent;
  framed.curve->D1(parameter, onCurve, tangent);
  return {onCurve.Distance(point), piece, parameter, tangent, framed.modelToCurve};
}

// The curve's local minima of distance from `modelPoint`, and its two ends.
void AddCandidates(const FramedCurve& framed, std::size_t piece, const gp_Pnt& modelPoint,
                   std::vector<Candidate>& candidates) {
  const Adaptor3d_Curve& curve = *framed.curve;
  const gp_Pnt point = modelPoint.Transformed(framed.modelToCurve);
  candidates.push_back(CandidateAt(framed, piece, point, curve.FirstParameter()));
  candidates.push_back(CandidateAt(framed, piece, point, curve.LastParameter()));
  const Extrema_ExtPC extrema(point, curve, curve.FirstParameter(), curve.LastParameter());
  if (extrema.IsDone()) {
    for (int i = 1; i <= extrema.NbExt(); ++i) {
      if (extrema.IsMin(i)) {
        candidates.push_back(CandidateAt(framed, piece, point, extrema.Point(i).Parameter()));
      }
    }
  }
}

// The local minimum of distance from `modelPoint` that a search from `seed` finds, if any.
void AddLocalCandidate(const FramedCurve& framed, std::size_t piece, double seed,
                       const gp_Pnt& modelPoint, std::vector<Candidate>& candidates) {
  const Adaptor3d_Curve& curve = *framed.curve;
  const gp_Pnt point = modelPoint.Transformed(framed.modelToCurve);
  const Extrema_LocateExtPC search(point, curve, seed, curve.FirstParameter(),
                                   curve.LastParameter(), kSearchTolerance);
  if (search.IsDone() && search.IsMin()) {
    candidates.push_back(CandidateAt(framed, piece, point, search.Point().Parameter()));
  }
}

// Arc length between two parameters of the curve, a <= b.
double LengthBetween(const Adaptor3d_Curve& curve, double a, double b) {
  if (!(a < b)) return 0.0;
  return GCPnts_AbscissaPoint::Length(curve, a, b, model::kArcLengthTolerance);
}

// The parameter of the curve that lies `along` from the end the path enters it by.
double ParameterAt(const Adaptor3d_Curve& curve, bool reversed, double along, double length) {
  const double fromFirst = std::clamp(reversed ? length - along : along, 0.0, length);
  const GCPnts_AbscissaPoint place(model::kArcLengthTolerance, curve, fromFirst,
                                   curve.FirstParameter());
  return place.IsDone() ? place.Parameter() : curve.FirstParameter();
}

gp_Pnt FollowPointOf(const CPath& path) {
  const Ref<IVPoint> point = path.IsPointFromVertex() ? path.FollowVertex()->GetPoint()
                                                      : path.FollowWorkPoint()->GetPoint();
  return gp_Pnt(point->X(), point->Y(), point->Z());
}

gp_Vec TangentLineOf(const CPath& path) {
  if (path.IsTangentFromEdge()) {
    const std::array<double, 1> parameter{0.0};
    std::array<double, 3> tangent{};
    path.TangentEdge()->GetEvaluator()->GetTangent(parameter, tangent);
    return gp_Vec(tangent[0], tangent[1], tangent[2]);
  }
  const Ref<IVVector> direction = path.TangentAxis()->GetLine()->Direction();
  return gp_Vec(direction->X(), direction->Y(), direction->Z());
}

// The angle between two lines, 0 to pi/2; atan2 keeps it accurate near 0.
double LineAngle(const gp_Vec& a, const gp_Vec& b) {
  return std::atan2(a.Crossed(b).Magnitude(), std::abs(a.Dot(b)));
}

}  // namespace

PathCheck::PathCheck(CPath& path) {
  for (const Ref<CPathEnt>& entity : *path.PathEnts()) {
    pieces_.emplace_back(ModelCurveSource(entity->IVCurve()), entity->Reversed());
  }
  definitionLength_ = path.Length();
}

PathMeasurement PathCheck::Measure(const CPath& path, double fraction) const {
  const gp_Pnt point = FollowPointOf(path);
  // The curves where their owners stand now, made only for the pieces searched.
  std::unordered_map<std::size_t, FramedCurve> curves;
  const auto curveOf = [&](std::size_t piece) -> const FramedCurve& {
    auto found = curves.find(piece);
    if (found == curves.end()) found = curves.emplace(piece, pieces_[piece].source.Curve()).first;
    return found->second;
  };
  std::vector<double> startLengths;
  PathMeasurement measurement;
  for (std::size_t i = 0; i < pieces_.size(); ++i) {
    const Piece& piece = pieces_[i];
    // A curve keeps its length while the host keeps its shape; a rebuilt shape is measured anew.
    // The measured shape is held, so no new shape can take its address.
    if (piece.measuredShape.get() != piece.source.Shape()) {
      const FramedCurve& framed = curveOf(i);
      piece.measuredLength = LengthBetween(*framed.curve, framed.curve->FirstParameter(),
                                           framed.curve->LastParameter());
      piece.measuredShape = framed.shape;
    }
    startLengths.push_back(measurement.pathLength);
    measurement.pathLength += piece.measuredLength;
  }
  const double wanted = fraction * measurement.pathLength;
  // How far, along the path, a place on a piece is from where the fraction puts the follow point.
  const auto alongError = [&](const Candidate& candidate) {
    const Adaptor3d_Curve& curve = *curveOf(candidate.piece).curve;
    const double alongCurve =
        pieces_[candidate.piece].reversed
            ? LengthBetween(curve, candidate.parameter, curve.LastParameter())
            : LengthBetween(curve, curve.FirstParameter(), candidate.parameter);
    return std::abs(startLengths[candidate.piece] + alongCurve - wanted);
  };

  std::vector<Candidate> candidates;
  std::optional<Candidate> chosen;
  double chosenError = std::numeric_limits<double>::infinity();
  // First a local search on the piece that holds the wanted distance, from where the follow
  // point was found last on it, or else from the wanted place. Any place it finds is a point of
  // the path, so when that place meets the goals the follow point does; otherwise the whole
  // path is searched.
  std::size_t holder = 0;
  while (holder + 1 < pieces_.size() && startLengths[holder + 1] < wanted) ++holder;
  if (holder < pieces_.size()) {
    const Piece& piece = pieces_[holder];
    const double seed = piece.lastParameter
                            ? *piece.lastParameter
                            : ParameterAt(*curveOf(holder).curve, piece.reversed,
                                          wanted - startLengths[holder], piece.measuredLength);
    AddLocalCandidate(curveOf(holder), holder, seed, point, candidates);
    if (!candidates.empty() && candidates.front().distance < kDistanceGoal) {
      chosenError = alongError(candidates.front());
      if (chosenError < kTravelGoal * measurement.pathLength) chosen = candidates.front();
    }
  }
  if (chosen) {
    measurement.distance = chosen->distance;
  } else {
    candidates.clear();
    for (std::size_t i = 0; i < pieces_.size(); ++i) {
      AddCandidates(curveOf(i), i, point, candidates);
    }
    measurement.distance = std::numeric_limits<double>::infinity();
    for (const Candidate& candidate : candidates) {
      measurement.distance = std::min(measurement.distance, candidate.distance);
    }
    // Of the places as near as the nearest, the one nearest along the path to where the
    // fraction puts the follow point.
    for (const Candidate& candidate : candidates) {
      if (!(candidate.distance <= measurement.distance + kDistanceGoal)) continue;
      const double error = alongError(candidate);
      if (!chosen || error < chosenError) {
        chosen = candidate;
        chosenError = error;
      }
    }
  }
  if (chosen) pieces_[chosen->piece].lastParameter = chosen->parameter;

  measurement.travelError = chosenError / measurement.pathLength;
  measurement.pathLengthChanged =
      !(std::abs(measurement.pathLength - definitionLength_) <= kTravelGoal * definitionLength_);
  if (path.IsAligned() && chosen) {
    measurement.misalignment =
        LineAngle(TangentLineOf(path).Transformed(chosen->modelToCurve), chosen->tangent);
  }
  return measurement;
}

}  // namespace sledway::cli
