#pragma once

#include <functional>
#include <gp_Trsf.hxx>
#include <memory>
#include <string>

#include "host/curve_evaluator.hpp"
#include "modelhost/curves/curve_evaluator.hpp"

namespace sledway::model {

class Part;

// The evaluator of a part's edge seen through a component. It follows the part: after a
// rebuild of the part it evaluates the rebuilt edge of the same number, its arc lengths
// measured anew, while an evaluator of an edge of a part that was not rebuilt keeps what it
// measured.
class EdgeEvaluator : public IVCurveEvaluator {
 public:
  // `placement` as for CurveEvaluator; `edgeName` (such as "edge 3 of component 'cart:1'")
  // names the edge in failures. Fails when the edge is degenerate: it has no curve.
  EdgeEvaluator(Ref<Part> part, int index, std::function<gp_Trsf()> placement,
                std::string edgeName);

  void GetEndPoints(std::span<double, 3> start, std::span<double, 3> end) override;
  void GetParamRange(double& minParam, double& maxParam) override;
  void GetParamAtLength(double fromParam, double length, double& param) override;
  void GetLengthBetweenParams(double fromParam, double toParam, double& length) override;
  void GetPointAtParam(std::span<const double> params, std::span<double> points) override;
  void GetTangent(std::span<const double> params, std::span<double> tangents) override;

  // The evaluator of the part's current body.
  CurveEvaluator& Current();

 private:
  Ref<Part> part_;
  int index_;
  std::function<gp_Trsf()> placement_;
  std::string edgeName_;
  int generation_ = 0;
  std::unique_ptr<CurveEvaluator> current_;
};

}  // namespace sledway::model
