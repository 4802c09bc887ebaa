#pragma once

#include <gp_Mat.hxx>

namespace sledway::motion {

// An orthonormal frame along a path that a roll mode defines: at every distance its first
// column is the path's unit tangent, the other two say which way the roll stands. A component
// carried by the frame keeps its orientation relative to it.
class PathFrame {
 public:
  virtual ~PathFrame() = default;
  // Columns: tangent, normal, tangent x normal.
  virtual gp_Mat FrameAt(double distance) const = 0;
};

}  // namespace sledway::motion
