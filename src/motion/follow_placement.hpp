#pragma once

#include <gp_Mat.hxx>
#include <gp_Trsf.hxx>
#include <gp_XYZ.hxx>

#include "motion/path_curve.hpp"
#include "motion/path_frame.hpp"

namespace sledway::motion {

// Where a roll mode puts a component with its follow point at a fraction of the path.
class FollowPlacement {
 public:
  virtual ~FollowPlacement() = default;
  // The next move: the placement at `fraction`, reached from the placement the last move gave.
  virtual gp_Trsf At(double fraction) = 0;
  // Where the motion from `standing` puts the component at `fraction`, leaving where the next
  // move starts as it was: the placement on the way between two moves.
  virtual gp_Trsf From(const gp_Trsf& standing, double fraction) const = 0;
};

// A component carried by a path frame: its orientation is the frame's at the distance times a
// fixed turn, its follow point on the path. The placement at a fraction is a property of the
// path alone.
class FramedPlacement final : public FollowPlacement {
 public:
  // `turn`: the component's rotation relative to the frame; `followPoint`: the follow point in
  // the component's own coordinates.
  FramedPlacement(const PathCurve& curve, const PathFrame& frame, const gp_Mat& turn,
                  const gp_XYZ& followPoint)
      : curve_(curve), frame_(frame), turn_(turn), followPoint_(followPoint) {}

  gp_Trsf At(double fraction) override { return From({}, fraction); }
  // The same at every fraction, wherever the component stood.
  gp_Trsf From(const gp_Trsf& standing, double fraction) const override;

 private:
  const PathCurve& curve_;
  const PathFrame& frame_;
  gp_Mat turn_;
  gp_XYZ followPoint_;
};

// The add-in's own turn: the least rotation from wherever the component's line points now onto
// the path's tangent, so the roll about the tangent is what the moves before added up to. The
// placement at a fraction depends on the placement before it. Without a line the component
// keeps its orientation.
class LeastTurnPlacement final : public FollowPlacement {
 public:
  // `rotation`: the component's orientation now; `line`: its tangent line in its own coordinates
  // (a zero vector for none); `followPoint` as for FramedPlacement.
  LeastTurnPlacement(const PathCurve& curve, const gp_Mat& rotation, const gp_XYZ& line,
                     const gp_XYZ& followPoint)
      : curve_(curve), rotation_(rotation), line_(line), followPoint_(followPoint) {}

  gp_Trsf At(double fraction) override;
  gp_Trsf From(const gp_Trsf& standing, double fraction) const override;

 private:
  // The least turn from `rotation` onto the tangent at `fraction`.
  gp_Trsf TurnedFrom(gp_Mat rotation, double fraction) const;

  const PathCurve& curve_;
  gp_Mat rotation_;
  gp_XYZ line_;
  gp_XYZ followPoint_;
};

}  // namespace sledway::motion
