#pragma once

#include <gp_Dir.hxx>
#include <gp_Pnt.hxx>
#include <vector>

#include "motion/path_curve.hpp"
#include "motion/path_frame.hpp"

namespace sledway::motion {

// The rotation-minimising frame of a path: the normal turns about no axis but the one the
// tangent's own turning needs, so it never rolls about the tangent. Computed once by the
// double-reflection method over a sub-division of every entity, fine enough that the tangent
// turns by at most kMaxTurnPerPiece over a piece; a distance between two pieces' ends gets one
// more double reflection from the piece's start, so the frame at a distance depends on the path
// alone, never on which distances were asked before.
class MinimalFrame final : public PathFrame {
 public:
  static constexpr double kMaxTurnPerPiece = 5e-3;  // radians

  // The frame's normal at distance 0 is `startNormal` made perpendicular to the tangent there.
  MinimalFrame(const PathCurve& curve, const gp_Dir& startNormal);

  gp_Mat FrameAt(double distance) const override;
  // The angle (radians, -pi to pi) about the tangent by which the normal comes back turned after
  // one loop of a closed path: the frame's holonomy.
  double Holonomy() const;
  std::size_t PieceCount() const { return samples_.size() - 1; }

 private:
  struct Sample {
    double distance;
    gp_Pnt point;
    gp_Dir tangent;
    gp_Dir normal;
  };
  // A sample at the last one's point with the next entity's tangent, where the two differ.
  void TurnAtCorner(const gp_Dir& tangentAfter);
  // Halves [from, to] (distances, or parameters of one entity) until the tangent turns by at
  // most kMaxTurnPerPiece over each piece, and adds a sample at the end of each: `tangentAt(x)`
  // reads the tangent, `sampleAt(from, to, tangent)` makes the sample at `to`.
  template <class TangentAt, class SampleAt>
  void Subdivide(double from, double to, const gp_Dir& tangentFrom, const gp_Dir& tangentTo,
                 int depth, const TangentAt& tangentAt, const SampleAt& sampleAt);
  // The pieces of entity `index` by its own parameter.
  void SampleByParameter(std::size_t index, const PathCurve::Parameters& params);

  const PathCurve& curve_;
  std::vector<Sample> samples_;
};

}  // namespace sledway::motion
