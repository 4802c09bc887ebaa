#include "modelhost/component/edge_evaluator.hpp"

#include <BRepAdaptor_Curve.hxx>
#include <BRep_Tool.hxx>
#include <utility>

#include "host/host_error.hpp"
#include "modelhost/part/part.hpp"

namespace sledway::model {

EdgeEvaluator::EdgeEvaluator(Ref<Part> part, int index, std::function<gp_Trsf()> placement,
                             std::string edgeName)
    : part_(std::move(part)),
      index_(index),
      placement_(std::move(placement)),
      edgeName_(std::move(edgeName)) {
  Current();
}

CurveEvaluator& EdgeEvaluator::Current() {
  if (current_ && generation_ == part_->Generation()) return *current_;
  const TopoDS_Edge edge = part_->Edge(index_);
  if (BRep_Tool::Degenerated(edge)) {
    throw HostError(hresult::kFail, edgeName_ + " is degenerate: it has no curve");
  }
  current_ = std::make_unique<CurveEvaluator>(new BRepAdaptor_Curve(edge), placement_);
  generation_ = part_->Generation();
  return *current_;
}

void EdgeEvaluator::GetEndPoints(std::span<double, 3> start, std::span<double, 3> end) {
  Current().GetEndPoints(start, end);
}

void EdgeEvaluator::GetParamRange(double& minParam, double& maxParam) {
  Current().GetParamRange(minParam, maxParam);
}

void EdgeEvaluator::GetParamAtLength(double fromParam, double length, double& param) {
  Current().GetParamAtLength(fromParam, length, param);
}

void EdgeEvaluator::GetLengthBetweenParams(double fromParam, double toParam, double& length) {
  Current().GetLengthBetweenParams(fromParam, toParam, length);
}

void EdgeEvaluator::GetPointAtParam(std::span<const double> params, std::span<double> points) {
  Current().GetPointAtParam(params, points);
}

void EdgeEvaluator::GetTangent(std::span<const double> params, std::span<double> tangents) {
  Current().GetTangent(params, tangents);
}

}  // namespace sledway::model
