#pragma once

#include <gp_Ax1.hxx>

#include "host/part_entities.hpp"
#include "modelhost/component/occurrence_link.hpp"

namespace sledway::model {

// The infinite line of a work axis, given in part coordinates and reported in assembly
// coordinates where the component stands at each call. Its parameter is the signed distance
// from the root point along the direction.
class WorkAxisLine : public IVLine {
 public:
  WorkAxisLine(OccurrenceLink component, const gp_Ax1& axis);

  Ref<IVPoint> RootPoint() override;
  // A unit vector.
  Ref<IVVector> Direction() override;
  Ref<IVCurveEvaluator> GetEvaluator() override;

 private:
  OccurrenceLink component_;
  gp_Ax1 axis_;
};

}  // namespace sledway::model
