#pragma once

#include <string>
#include <vector>

namespace sledway {
class CPath;
class CPathEnt;
}  // namespace sledway

namespace sledway::clearance {

// How far the points of a component can travel while the follow motion carries it from one
// fraction of its path to another: the follow point no farther than the path's length between
// them, and a point at a radius from the follow point no farther than that radius times the
// angle the component turns. The path is taken entity by entity, since the tangent, and with it
// the component's turn, may jump where one entity meets the next.
class TravelBound {
 public:
  // Reads the path's entities; the path must be picked and measured (CPath::Length). A path
  // whose component turns needs the turning of every entity: the tangent turns by at most the
  // distance times a bound on the curvature, taken piece by piece along the entity
  // (BoundCurvature). An entity with no such bound leaves the motion without one, and
  // Unbounded says which and why.
  explicit TravelBound(CPath& path);

  // Why the motion has no bound; empty when it has one.
  const std::string& Unbounded() const { return unbounded_; }

  // The fractions at which one entity ends and the next begins that the motion from `from` to
  // `to` crosses (from the lower of the two, inclusive, to the higher), in order of travel.
  std::vector<double> EntityEndsBetween(double from, double to) const;

  // The largest fraction step from `from` towards `to` (both on one entity; not past `to`)
  // over which no point of the component within `radius` of its follow point moves more than
  // `distance`, when the component stands turned by `turned` radians from where the follow
  // motion started (the earlier move). Zero when no step can be shown to be safe (the
  // component is turned too far for the turn to be bounded).
  double Step(double from, double to, double distance, double radius, double turned) const;
  // The most the path's tangent turns per fraction between `from` and `to` (both on one
  // entity), radians: the largest curvature bound of the pieces there times the path's length.
  double TangentTurnRate(double from, double to) const;
  double Length() const { return length_; }

 private:
  struct Piece {
    double start;      // fraction
    double end;        // fraction
    double curvature;  // 1 / model length: the tangent turns by at most this per length
  };
  // The pieces of one entity, or why it has no bound on its turn.
  std::string AddPieces(CPathEnt& entity);

  double length_ = 0.0;
  std::vector<Piece> pieces_;  // in order of fraction, covering the path
  std::vector<double> entityEnds_;
  std::string unbounded_;
};

}  // namespace sledway::clearance
