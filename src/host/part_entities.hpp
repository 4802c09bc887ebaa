#pragma once

#include "host/collections.hpp"
#include "host/component.hpp"
#include "host/curve_evaluator.hpp"
#include "host/geometry.hpp"

namespace sledway {

// Vertices, edges and work features are reported in assembly coordinates, where their
// component currently stands.

class IVVertex : public virtual IVOccurrenceMember {
 public:
  virtual Ref<IVPoint> GetPoint() = 0;
};

class IVWorkPoint : public virtual IVOccurrenceMember {
 public:
  virtual Ref<IVPoint> GetPoint() = 0;
};

class IVEdge : public virtual IVOccurrenceMember {
 public:
  virtual Ref<IVCurveEvaluator> GetEvaluator() = 0;
  // The edges of the same body that continue this one with a common tangent, in order along
  // the chain, this edge among them.
  virtual Ref<IVEntityCollection> GetTangentChain() = 0;
};

// An edge of a part as seen in the assembly, through one occurrence.
class IVEdgeProxy : public virtual IVEdge {};

// An infinite straight line.
class IVLine : public virtual IVObject {
 public:
  virtual Ref<IVPoint> RootPoint() = 0;
  virtual Ref<IVVector> Direction() = 0;
  virtual Ref<IVCurveEvaluator> GetEvaluator() = 0;
};

class IVAxis : public virtual IVOccurrenceMember {
 public:
  virtual Ref<IVLine> GetLine() = 0;
};

}  // namespace sledway
