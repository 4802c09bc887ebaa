#pragma once

#include <gmock/gmock.h>

#include <memory>
#include <optional>
#include <span>

#include "../modelhost/model_test_helpers.hpp"

namespace sledway::test {

using model::ModelAssembly;
inline gp_Vec ToVec(const Ref<IVVector>& v) {
  return {v->X(), v->Y(), v->Z()};
}

template <class Call>
void ExpectHostError(Call call, std::uint32_t code, const char* text) {
  const HostError error = model::Refusal(call);
  EXPECT_EQ(error.Code(), code) << error.what();
  EXPECT_THAT(error.what(), ::testing::HasSubstr(text));
}

// An edge over a real evaluator that counts the measurements, and can report a length of its
// own: the model host refuses to make a curve of length 0.
class SpyEdge : public IVEdge,
                public IVCurveEvaluator,
                public std::enable_shared_from_this<SpyEdge> {
 public:
  SpyEdge(Ref<IVCurveEvaluator> real, std::optional<double> length = std::nullopt)
      : real_(std::move(real)), length_(length) {}
  int measurements = 0;

  Ref<IVCurveEvaluator> GetEvaluator() override { return shared_from_this(); }
  Ref<IVEntityCollection> GetTangentChain() override { return nullptr; }
  Ref<IVComponent> ContainingOccurrence() override { return nullptr; }
  void GetEndPoints(std::span<double, 3> s, std::span<double, 3> e) override {
    real_->GetEndPoints(s, e);
  }
  void GetParamRange(double& a, double& b) override { real_->GetParamRange(a, b); }
  void GetParamAtLength(double u, double l, double& p) override {
    real_->GetParamAtLength(u, l, p);
  }
  void GetLengthBetweenParams(double a, double b, double& length) override {
    ++measurements;
    real_->GetLengthBetweenParams(a, b, length);
    length = length_.value_or(length);
  }
  void GetPointAtParam(std::span<const double> u, std::span<double> p) override {
    real_->GetPointAtParam(u, p);
  }
  void GetTangent(std::span<const double> u, std::span<double> t) override {
    real_->GetTangent(u, t);
  }

 private:
  Ref<IVCurveEvaluator> real_;
  std::optional<double> length_;
};

}  // namespace sledway::test
