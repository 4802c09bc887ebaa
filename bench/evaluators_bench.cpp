// Cost of one follow step on each curve kind, through the model host's evaluators and bare.
//
//   build/<dir>/bench/evaluators_bench --benchmark_counters_tabular=true
//
// BM_Evaluator/<kind> does what the follow motion asks of an evaluator at one distance:
// parameter range, parameter at length, point; parameter range, parameter at length again,
// tangent. BM_BareOcct/<kind> is one GCPnts_AbscissaPoint solve plus one D1 on the same
// adaptor at the same distances. Their ratio is the evaluator's overhead. The distances cycle
// through 97 fractions of the length, so no two consecutive steps ask for the same one.
// BM_Evaluator also reports length_error, the relative error of the measured length against
// the closed form where the kind has one (zero means none or exact).

#include <benchmark/benchmark.h>

#include <GCPnts_AbscissaPoint.hxx>
#include <Geom2dAdaptor_Curve.hxx>
#include <cmath>
#include <functional>
#include <gp_Ax2.hxx>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "closed_forms.hpp"
#include "modelhost/curves/curve_evaluator.hpp"
#include "modelhost/curves/curve_evaluator_2d.hpp"
#include "modelhost/curves/curve_makers.hpp"
#include "modelhost/curves/extended_curve.hpp"

namespace sledway::model {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kFractions = 97;

double Fraction(std::int64_t step) {
  return double(step % kFractions) / (kFractions - 1);
}

const gp_Ax2 kFrame(gp_Pnt(1, -2, 3), gp_Dir(1, 1, 1), gp_Dir(1, -1, 0));

std::vector<gp_Pnt> WavyPoints() {
  std::vector<gp_Pnt> points;
  for (int i = 0; i < 12; ++i) {
    const double t = i / 11.0;
    points.emplace_back(40 * t, 6 * std::sin(3 * kPi * t), 4 * std::cos(2 * kPi * t) + 3 * t);
  }
  return points;
}

std::vector<gp_Pnt2d> WavyPoints2d() {
  std::vector<gp_Pnt2d> points;
  for (const gp_Pnt& p : WavyPoints()) points.emplace_back(p.X(), p.Y());
  return points;
}

template <class Evaluator, class Point, class Tangent>
void FollowSteps(benchmark::State& state, Evaluator& evaluator, double closedLength) {
  double first = 0.0;
  double last = 0.0;
  evaluator.GetParamRange(first, last);
  double length = 0.0;
  evaluator.GetLengthBetweenParams(first, last, length);
  std::int64_t step = 0;
  Point point{};
  Tangent tangent{};
  for (auto _ : state) {
    const double distance = Fraction(step++) * length;
    double param = 0.0;
    evaluator.GetParamRange(first, last);
    evaluator.GetParamAtLength(first, distance, param);
    evaluator.GetPointAtParam({&param, 1}, point);
    evaluator.GetParamRange(first, last);
    evaluator.GetParamAtLength(first, distance, param);
    evaluator.GetTangent({&param, 1}, tangent);
    benchmark::DoNotOptimize(point);
    benchmark::DoNotOptimize(tangent);
  }
  state.counters["length_error"] =
      closedLength > 0.0 ? std::abs(length - closedLength) / closedLength : 0.0;
}

template <class Adaptor, class Pnt, class Vec>
void BareSteps(benchmark::State& state, const Adaptor& curve) {
  const double first = curve.FirstParameter();
  const double length =
      GCPnts_AbscissaPoint::Length(curve, first, curve.LastParameter(), kArcLengthTolerance);
  std::int64_t step = 0;
  Pnt point;
  Vec tangent;
  for (auto _ : state) {
    const double distance = Fraction(step++) * length;
    const GCPnts_AbscissaPoint solver(kArcLengthTolerance, curve, distance, first);
    curve.D1(solver.Parameter(), point, tangent);
    benchmark::DoNotOptimize(point);
    benchmark::DoNotOptimize(tangent);
  }
}

void Register3d(const std::string& kind, const Handle(Adaptor3d_Curve) & curve,
                double closedLength) {
  benchmark::RegisterBenchmark(
      ("BM_Evaluator/" + kind).c_str(), [curve, closedLength](benchmark::State& state) {
        CurveEvaluator evaluator(curve);
        FollowSteps<CurveEvaluator, double[3], double[3]>(state, evaluator, closedLength);
      });
  benchmark::RegisterBenchmark(("BM_BareOcct/" + kind).c_str(), [curve](benchmark::State& state) {
    BareSteps<Adaptor3d_Curve, gp_Pnt, gp_Vec>(state, *curve);
  });
}

void Register2d(const std::string& kind, const Handle(Geom2d_Curve) & curve, double closedLength) {
  benchmark::RegisterBenchmark(
      ("BM_Evaluator/" + kind).c_str(), [curve, closedLength](benchmark::State& state) {
        CurveEvaluator2d evaluator(curve);
        FollowSteps<CurveEvaluator2d, double[2], double[2]>(state, evaluator, closedLength);
      });
  benchmark::RegisterBenchmark(("BM_BareOcct/" + kind).c_str(), [curve](benchmark::State& state) {
    const Geom2dAdaptor_Curve adaptor(curve);
    BareSteps<Adaptor2d_Curve2d, gp_Pnt2d, gp_Vec2d>(state, adaptor);
  });
}

void RegisterAll() {
  Register3d("line", MakeLine({0, 0, 0}, {3, 4, 12}, "line"), 13.0);
  Register3d("arc", MakeArc(kFrame, 2.5, 0.3, 4.0, "arc"), 2.5 * 3.7);
  Register3d("ellipse", MakeEllipse(kFrame, 20, 5, "ellipse"), testing::EllipsePerimeter(20, 5));
  Register3d("spline", MakeSpline(WavyPoints(), "spline"), 0.0);
  Register3d("helix", MakeHelix(kFrame, 3, 2, 2.5, "helix"), testing::HelixLength(3, 2, 2.5));
  Register2d("line_2d", MakeLine2d({0, 0}, {3, 4}, "line"), 5.0);
  Register2d("arc_2d", MakeArc2d({1, 1}, 2.5, 5.0, 1.0, "arc"), 2.5 * (2 * kPi - 4.0));
  Register2d("ellipse_2d", MakeEllipse2d({0, 0}, {1, 2}, 20, 5, "ellipse"),
             testing::EllipsePerimeter(20, 5));
  Register2d("elliptical_arc_2d", MakeEllipticalArc2d({0, 0}, {1, 0}, 7, 3, 0, kPi, "arc"),
             testing::EllipsePerimeter(7, 3) / 2);
  Register2d("spline_2d", MakeSpline2d(WavyPoints2d(), "spline"), 0.0);
}

}  // namespace
}  // namespace sledway::model

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  sledway::model::RegisterAll();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
