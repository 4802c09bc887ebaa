#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <gp_Ax2.hxx>
#include <gp_Ax3.hxx>
#include <gp_Pnt.hxx>
#include <gp_Pnt2d.hxx>
#include <gp_Trsf.hxx>
#include <gp_Vec.hxx>
#include <memory>
#include <optional>
#include <span>
#include <utility>

#include "host/host.hpp"
#include "modelhost/application/application.hpp"
#include "modelhost/component/component.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/parameters/parameter_table.hpp"
#include "modelhost/part/part.hpp"
#include "modelhost/sketch/planar_sketch.hpp"
#include "modelhost/sketch/planar_sketch_definition.hpp"
#include "modelhost/sketch/sketch3d.hpp"
#include "modelhost/sketch/sketch3d_definition.hpp"

namespace sledway::test {

inline gp_Pnt ToPnt(const Ref<IVPoint>& p) {
  return {p->X(), p->Y(), p->Z()};
}
inline gp_Vec ToVec(const Ref<IVVector>& v) {
  return {v->X(), v->Y(), v->Z()};
}

// An application with one active assembly document.
struct ModelAssembly {
  Ref<model::Application> app = model::Application::Create();
  Ref<model::AssemblyDocument> doc = model::AssemblyDocument::Create("assembly");
  ModelAssembly() { app->SetActiveDocument(doc); }
};

template <class Call>
void ExpectHostError(Call call, std::uint32_t code, const char* text) {
  try {
    call();
    ADD_FAILURE() << "no error; expected: " << text;
  } catch (const HostError& error) {
    EXPECT_EQ(error.Code(), code) << error.what();
    EXPECT_THAT(error.what(), ::testing::HasSubstr(text));
  }
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
