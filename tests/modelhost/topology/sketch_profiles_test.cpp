#include "modelhost/topology/sketch_profiles.hpp"

#include <gtest/gtest.h>

#include <GC_MakeArcOfCircle.hxx>
#include <GC_MakeSegment.hxx>
#include <Geom_Circle.hxx>
#include <Geom_TrimmedCurve.hxx>
#include <cmath>
#include <gp_Ax2.hxx>
#include <gp_Circ.hxx>
#include <limits>
#include <numbers>
#include <stdexcept>
#include <vector>

#include "host/host_error.hpp"

namespace sledway::model {
namespace {

// Stands for a sketch curve: the builds only hand it back.
struct SketchCurveToken : IVObject {};

// A curve of real geometry: its ends are where OCCT's curve starts and ends.
ProfileCurve CurveOf(const Handle(Geom_Curve) & curve) {
  return {std::make_shared<SketchCurveToken>(), curve->Value(curve->FirstParameter()),
          curve->Value(curve->LastParameter())};
}

ProfileCurve Segment(const gp_Pnt& a, const gp_Pnt& b) {
  return CurveOf(GC_MakeSegment(a, b).Value());
}

ProfileCurve Arc(const gp_Ax2& axis, double radius, double from, double to) {
  return CurveOf(GC_MakeArcOfCircle(gp_Circ(axis, radius), from, to, true).Value());
}

ProfileCurve FullCircle(const gp_Ax2& axis, double radius) {
  return CurveOf(new Geom_Circle(axis, radius));
}

// A rounded slot in a tilted plane: two straight sides and two half circles, listed in a
// shuffled order with two of the curves running against the loop.
std::vector<ProfileCurve> RoundedSlot(const gp_Ax2& plane, double halfLength, double radius) {
  const auto at = [&](double u, double v) {
    return plane.Location().Translated(gp_Vec(plane.XDirection()) * u +
                                       gp_Vec(plane.YDirection()) * v);
  };
  const double pi = std::numbers::pi;
  gp_Ax2 right = plane, left = plane;
  right.SetLocation(at(halfLength, 0));
  left.SetLocation(at(-halfLength, 0));
  return {Arc(left, radius, pi / 2, 3 * pi / 2),                        // left, upward to down
          Segment(at(halfLength, radius), at(-halfLength, radius)),     // top, leftwards
          Arc(right, radius, -pi / 2, pi / 2),                          // right
          Segment(at(halfLength, -radius), at(-halfLength, -radius))};  // bottom, against
}

std::vector<Ref<IVObject>> EntitiesOf(const Ref<IVProfilePath>& path) {
  std::vector<Ref<IVObject>> entities;
  for (int i = 1; i <= path->Count(); ++i) entities.push_back(path->Item(i)->GetSketchEntity());
  return entities;
}

// The curve of `curves` that holds `entity`.
const ProfileCurve& Find(const std::vector<ProfileCurve>& curves, const Ref<IVObject>& entity) {
  for (const ProfileCurve& curve : curves) {
    if (curve.entity == entity) return curve;
  }
  throw std::logic_error("entity not among the curves");
}

bool Touch(const ProfileCurve& a, const ProfileCurve& b) {
  for (const gp_Pnt& p : {a.start, a.end}) {
    for (const gp_Pnt& q : {b.start, b.end}) {
      if (p.Distance(q) < 1e-6) return true;
    }
  }
  return false;
}

// Every curve of the path meets the next one; for a loop the last meets the first too.
void ExpectJoinedInOrder(const std::vector<ProfileCurve>& curves,
                         const std::vector<Ref<IVObject>>& path, bool closed) {
  for (std::size_t i = 0; i + 1 < path.size(); ++i) {
    EXPECT_TRUE(Touch(Find(curves, path[i]), Find(curves, path[i + 1]))) << "at " << i;
  }
  if (closed && path.size() > 1) {
    EXPECT_TRUE(Touch(Find(curves, path.back()), Find(curves, path[0])));
  }
}

TEST(SketchProfiles, RoundedSlotIsOneLoopInOrderAlongIt) {
  const gp_Ax2 tilted(gp_Pnt(3, -2, 5), gp_Dir(1, 1, 1), gp_Dir(1, -1, 0));
  const auto curves = RoundedSlot(tilted, 4.0, 1.5);
  SketchProfiles profiles(curves, "slot");

  const Ref<IVProfile> closed = profiles.AddClosedProfile();
  ASSERT_EQ(closed->Count(), 1);
  const auto path = EntitiesOf(closed->Item(1));
  ASSERT_EQ(path.size(), 4u);
  // The loop starts with the first curve of the sketch and runs its way: after the left arc
  // (from the top down) comes the bottom side, then the right arc, then the top side.
  EXPECT_EQ(path,
            (std::vector{curves[0].entity, curves[3].entity, curves[2].entity, curves[1].entity}));
  ExpectJoinedInOrder(curves, path, true);

  // Each build makes new objects; within one build an item is the same object each time.
  EXPECT_EQ(closed->Item(1), closed->Item(1));
  EXPECT_EQ(closed->Item(1)->Item(2), closed->Item(1)->Item(2));
  EXPECT_NE(profiles.AddClosedProfile(), closed);

  try {
    profiles.AddOpenProfile();
    FAIL() << "a loop is no open chain";
  } catch (const HostError& error) {
    EXPECT_EQ(std::string(error.what()), "sketch 'slot' holds no open chain of curves");
  }
  EXPECT_THROW(closed->Item(0), HostError);
  EXPECT_THROW(closed->Item(2), HostError);
  EXPECT_THROW(closed->Item(1)->Item(5), HostError);
}

TEST(SketchProfiles, SeparateLoopsAndClosedCurvesEachMakeAPath) {
  const gp_Ax2 xy(gp_Pnt(0, 0, 0), gp_Dir(0, 0, 1));
  auto curves = RoundedSlot(xy, 2.0, 1.0);
  gp_Ax2 away = xy;
  away.SetLocation(gp_Pnt(20, 0, 0));
  curves.push_back(FullCircle(away, 3.0));
  SketchProfiles profiles(curves);

  const auto closed = profiles.AddClosedProfile();
  ASSERT_EQ(closed->Count(), 2);
  EXPECT_EQ(closed->Item(1)->Count(), 4);
  EXPECT_EQ(EntitiesOf(closed->Item(2)), std::vector{curves[4].entity});
  EXPECT_THROW(profiles.AddOpenProfile(), HostError);
}

TEST(SketchProfiles, OpenChainRunsFromAFreeEnd) {
  // A zigzag of four segments and an arc, given shuffled and partly reversed.
  const gp_Pnt p0(0, 0, 0), p1(1, 1, 0), p2(2, 0, 0), p3(3, 1, 0), p4(4, 0, 0);
  const gp_Ax2 arcAxis(gp_Pnt(5, 0, 0), gp_Dir(0, 0, 1));
  const std::vector<ProfileCurve> curves = {Segment(p2, p3), Segment(p1, p0), Segment(p4, p3),
                                            Segment(p1, p2),
                                            Arc(arcAxis, 1.0, 0, std::numbers::pi)};
  SketchProfiles profiles(curves);

  const auto open = profiles.AddOpenProfile();
  ASSERT_EQ(open->Count(), 1);
  const auto path = EntitiesOf(open->Item(1));
  // The free end on the curve listed first is p0 of the second curve; from there the chain
  // runs p0 p1 p2 p3 p4 and on along the arc.
  EXPECT_EQ(path, (std::vector{curves[1].entity, curves[3].entity, curves[0].entity,
                               curves[2].entity, curves[4].entity}));
  ExpectJoinedInOrder(curves, path, false);
  EXPECT_THROW(profiles.AddClosedProfile(), HostError);

  // A single curve runs from its own start.
  SketchProfiles single({Segment(p0, p1)});
  EXPECT_EQ(single.AddOpenProfile()->Item(1)->Count(), 1);
}

TEST(SketchProfiles, BranchPointsFormNoPath) {
  // A T: three segments meeting at one point; beside it a closed triangle and an open segment.
  const gp_Pnt centre(0, 0, 0);
  const std::vector<ProfileCurve> curves = {Segment(centre, gp_Pnt(1, 0, 0)),
                                            Segment(centre, gp_Pnt(-1, 0, 0)),
                                            Segment(gp_Pnt(0, -1, 0), centre),
                                            Segment(gp_Pnt(10, 0, 0), gp_Pnt(11, 0, 0)),
                                            Segment(gp_Pnt(11, 0, 0), gp_Pnt(10, 1, 0)),
                                            Segment(gp_Pnt(10, 1, 0), gp_Pnt(10, 0, 0)),
                                            Segment(gp_Pnt(20, 0, 0), gp_Pnt(21, 0, 0))};
  SketchProfiles profiles(curves);
  const auto closed = profiles.AddClosedProfile();
  ASSERT_EQ(closed->Count(), 1);
  EXPECT_EQ(EntitiesOf(closed->Item(1)),
            (std::vector{curves[3].entity, curves[4].entity, curves[5].entity}));
  const auto open = profiles.AddOpenProfile();
  ASSERT_EQ(open->Count(), 1);
  EXPECT_EQ(EntitiesOf(open->Item(1)), std::vector{curves[6].entity});

  // A circle with a segment starting on its seam: three ends meet there.
  const gp_Ax2 xy(gp_Pnt(0, 0, 0), gp_Dir(0, 0, 1));
  SketchProfiles lollipop({FullCircle(xy, 1.0), Segment(gp_Pnt(1, 0, 0), gp_Pnt(3, 0, 0))});
  EXPECT_THROW(lollipop.AddClosedProfile(), HostError);
  EXPECT_THROW(lollipop.AddOpenProfile(), HostError);
}

TEST(SketchProfiles, EndsJoinWithinAMillionthOfACentimetre) {
  const auto triangle = [](double gap) {
    return std::vector<ProfileCurve>{Segment(gp_Pnt(0, 0, 0), gp_Pnt(4, 0, 0)),
                                     Segment(gp_Pnt(4, gap, 0), gp_Pnt(0, 3, 0)),
                                     Segment(gp_Pnt(0, 3, 0), gp_Pnt(0, 0, 0))};
  };
  EXPECT_EQ(SketchProfiles(triangle(0.9e-6)).AddClosedProfile()->Item(1)->Count(), 3);
  SketchProfiles gapped(triangle(1.1e-6));
  EXPECT_THROW(gapped.AddClosedProfile(), HostError);
  EXPECT_EQ(gapped.AddOpenProfile()->Item(1)->Count(), 3);
}

TEST(SketchProfiles, RefusesEmptySketchesAndEndsThatAreNotNumbers) {
  SketchProfiles empty({}, "blank");
  EXPECT_THROW(empty.AddClosedProfile(), HostError);
  EXPECT_THROW(empty.AddOpenProfile(), HostError);

  auto curves = RoundedSlot(gp_Ax2(), 2.0, 1.0);
  curves[2].end.SetY(std::numeric_limits<double>::quiet_NaN());
  SketchProfiles broken(curves, "bent");
  try {
    broken.AddClosedProfile();
    FAIL() << "a NaN end was accepted";
  } catch (const HostError& error) {
    EXPECT_EQ(error.Code(), hresult::kInvalidArg);
    EXPECT_NE(std::string(error.what()).find("sketch 'bent': curve 3"), std::string::npos)
        << error.what();
  }
}

TEST(SketchProfiles, LongChainOnACoordinatePlane) {
  // Every end on the plane x = 0, listed back to front: the order comes from the joints alone.
  constexpr int kCount = 20000;
  std::vector<ProfileCurve> curves;
  for (int i = kCount - 1; i >= 0; --i) {
    curves.push_back(Segment(gp_Pnt(0, i, std::sin(i)), gp_Pnt(0, i + 1, std::sin(i + 1))));
  }
  const auto path = EntitiesOf(SketchProfiles(curves).AddOpenProfile()->Item(1));
  ASSERT_EQ(path.size(), static_cast<std::size_t>(kCount));
  // From the free end of the first listed curve (y = kCount) down to y = 0.
  for (int i = 0; i < kCount; ++i) ASSERT_EQ(path[i], curves[i].entity);
}

}  // namespace
}  // namespace sledway::model
