#include "clearance/local_distance.hpp"

#include <BRepPrimAPI_MakeBox.hxx>
#include <BRepPrimAPI_MakeCylinder.hxx>
#include <BRepPrimAPI_MakeSphere.hxx>
#include <BRep_Tool.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <gp_Ax1.hxx>
#include <gp_Vec.hxx>
#include <optional>

#include "../modelhost/model_test_helpers.hpp"
#include "clearance/clearance_check.hpp"
#include "clearance/part_hierarchy.hpp"

namespace sledway::clearance {
namespace {

constexpr double kExact = 1e-9;

// The first face of `shape` on a surface of `type`; with a `normal`, the flat face whose outward
// normal it is.
TopoDS_Face FaceOf(const TopoDS_Shape& shape, GeomAbs_SurfaceType type,
                   std::optional<gp_Dir> normal = {}) {
  for (TopExp_Explorer explorer(shape, TopAbs_FACE); explorer.More(); explorer.Next()) {
    const TopoDS_Face& face = TopoDS::Face(explorer.Current());
    const BRepAdaptor_Surface surface(face);
    if (surface.GetType() != type) continue;
    if (!normal) return face;
    gp_Dir axis = surface.Plane().Axis().Direction();
    if (face.Orientation() == TopAbs_REVERSED) axis.Reverse();
    if (axis.IsEqual(*normal, 1e-12)) return face;
  }
  return {};
}

using model::Shifted;

TEST(LocalDistance, ASphereBesideACylinderFromARoughStartIsItsCentresDistanceLessTheRadii) {
  // A cylinder of radius 1.5 up the z axis; a sphere of radius 0.4 about (0, 0, 0) placed with
  // its centre 2.3 from the axis, turned about its own centre so that its parameters move too.
  const FaceSurface cylinder(FaceOf(BRepPrimAPI_MakeCylinder(1.5, 6.0).Shape(), GeomAbs_Cylinder));
  const FaceSurface sphere(FaceOf(BRepPrimAPI_MakeSphere(0.4).Shape(), GeomAbs_Sphere));
  for (const double angle : {0.3, 1.9, 4.0}) {
    gp_Trsf turn;
    turn.SetRotation(gp_Ax1(gp::Origin(), gp_Dir(1.0, 1.0, 0.0)), angle);
    const gp_Trsf place = Shifted(2.3 * std::cos(angle), 2.3 * std::sin(angle), 3.2) * turn;
    // Started a tenth of a turn and a good way up from the nearest points.
    const std::optional<LocalNearest> nearest =
        LocalDistance(Cell::Face(cylinder, angle + 0.6, 2.5),
                      Cell::Face(sphere, angle + std::numbers::pi + 0.5, 0.4), place, 6.0);
    ASSERT_TRUE(nearest) << angle;
    EXPECT_NEAR(nearest->distance, 2.3 - 1.5 - 0.4, kExact);
    EXPECT_NEAR(nearest->onFirst.X(), 1.5 * std::cos(angle), kExact);
    EXPECT_NEAR(nearest->onFirst.Y(), 1.5 * std::sin(angle), kExact);
    EXPECT_NEAR(nearest->onFirst.Z(), 3.2, kExact);
    EXPECT_NEAR(
        nearest->onSecond.Distance(gp_Pnt(2.3 * std::cos(angle), 2.3 * std::sin(angle), 3.2)), 0.4,
        kExact);
  }
}

TEST(LocalDistance, ABoxCornerBesideACylinderIsNoMinimumOfTheFacesButOfTheCorner) {
  // A unit box with its corner at (2, 1.5, 1): its corner is 2.5 from the axis, 1 from the
  // cylinder, and lies on the boundary of its bottom face.
  const TopoDS_Shape box = BRepPrimAPI_MakeBox(1.0, 1.0, 1.0).Shape();
  const FaceSurface cylinder(FaceOf(BRepPrimAPI_MakeCylinder(1.5, 6.0).Shape(), GeomAbs_Cylinder));
  const FaceSurface bottom(FaceOf(box, GeomAbs_Plane, gp_Dir(0.0, 0.0, -1.0)));
  const gp_Trsf place = Shifted(2.0, 1.5, 1.0);
  EXPECT_FALSE(
      LocalDistance(Cell::Face(cylinder, 0.7, 2.0), Cell::Face(bottom, 0.2, 0.2), place, 6.0));
  const std::optional<LocalNearest> corner =
      LocalDistance(Cell::Face(cylinder, 0.7, 2.0), Cell::Corner(gp::Origin()), place, 6.0);
  ASSERT_TRUE(corner);
  EXPECT_NEAR(corner->distance, 1.0, kExact);
  EXPECT_NEAR(corner->onFirst.Distance(gp_Pnt(1.2, 0.9, 1.0)), 0.0, kExact);
}

TEST(LocalDistance, AnEdgeReachingItsEndIsNoMinimum) {
  // A segment from (3, 0, 0) to (4, 0, 0) beside a cylinder of radius 1.5: its nearest point is
  // its start, an end, so the corner there holds the minimum, not the edge.
  const TopoDS_Shape box = BRepPrimAPI_MakeBox(gp_Pnt(3.0, 0.0, 2.0), 1.0, 1.0, 1.0).Shape();
  const FaceSurface cylinder(FaceOf(BRepPrimAPI_MakeCylinder(1.5, 6.0).Shape(), GeomAbs_Cylinder));
  const FaceSurface side(FaceOf(box, GeomAbs_Plane, gp_Dir(0.0, -1.0, 0.0)));
  int bottoms = 0;
  for (const BoundaryEdge& edge : side.Boundary()) {
    const gp_Pnt start = edge.curve.Value(edge.curve.FirstParameter());
    const gp_Pnt end = edge.curve.Value(edge.curve.LastParameter());
    if (std::abs(start.Z() - end.Z()) > 0.5 || start.Z() > 2.5) continue;  // the bottom edge
    ++bottoms;
    const double middle = 0.5 * (edge.curve.FirstParameter() + edge.curve.LastParameter());
    EXPECT_FALSE(LocalDistance(Cell::Face(cylinder, 0.2, 1.0), Cell::Edge(edge.curve, middle),
                               gp_Trsf(), 6.0));
  }
  EXPECT_EQ(bottoms, 1);
}

TEST(LocalDistance, TwoEdgesNearestInTheirMiddlesMeetTheirClosedForm) {
  // The top rim of a cylinder of radius 1.5 and height 6, and a straight edge along x at
  // y = 1.8, 0.4 above the top: nearest at the rim's point (0, 1.5, 6), sqrt(0.3² + 0.4²) away.
  const TopoDS_Shape pillar = BRepPrimAPI_MakeCylinder(1.5, 6.0).Shape();
  const FaceSurface top(FaceOf(pillar, GeomAbs_Plane, gp_Dir(0.0, 0.0, 1.0)));
  ASSERT_EQ(top.Boundary().size(), 1u);
  const BoundaryEdge& rim = top.Boundary().front();
  EXPECT_TRUE(rim.closed);
  const TopoDS_Shape box = BRepPrimAPI_MakeBox(gp_Pnt(-0.5, 0.0, 0.0), 1.0, 1.0, 1.0).Shape();
  const FaceSurface bottom(FaceOf(box, GeomAbs_Plane, gp_Dir(0.0, 0.0, -1.0)));
  const gp_Trsf place = Shifted(0.0, 1.8, 6.4);
  int found = 0;
  for (const BoundaryEdge& edge : bottom.Boundary()) {
    const gp_Pnt start = edge.curve.Value(edge.curve.FirstParameter());
    const gp_Pnt end = edge.curve.Value(edge.curve.LastParameter());
    if (start.Y() != 0.0 || end.Y() != 0.0) continue;  // the edge along x nearest the rim
    ++found;
    const std::optional<LocalNearest> nearest =
        LocalDistance(Cell::Edge(rim.curve, 1.0),
                      Cell::Edge(edge.curve, edge.curve.FirstParameter()), place, 6.0);
    ASSERT_TRUE(nearest);
    EXPECT_NEAR(nearest->distance, 0.5, kExact);
    EXPECT_NEAR(nearest->onFirst.Distance(gp_Pnt(0.0, 1.5, 6.0)), 0.0, kExact);
    EXPECT_NEAR(nearest->onSecond.Distance(gp_Pnt(0.0, 1.8, 6.4)), 0.0, kExact);
  }
  EXPECT_EQ(found, 1);
}

TEST(ClearanceCheck, ABoxEdgeAboveACylinderRimOrBesideItIsAtTheClosedFormDistance) {
  // A cube of 1 cm over the rim of a cylinder of radius 1.5 cm and height 6 cm: its near bottom
  // edge runs along x at y = 1.8, 0.4 above the top, so the nearest points are that edge's
  // middle and the rim's point at y = 1.5: sqrt(0.3² + 0.4²) apart, edge against edge.
  const auto document = model::AssemblyDocument::Create("rim");
  const auto cube = document->AddBoxPart("cube", "10 mm", "10 mm", "10 mm");
  const auto pillar = document->AddCylinderPart("pillar", "15 mm", "60 mm");
  const auto moving = document->AddComponent("cube:1", cube, Shifted(-0.5, 1.8, 6.4));
  const auto fixed = document->AddComponent("pillar:1", pillar, gp_Trsf());
  ClearanceCheck check(moving, {fixed}, 1e-4);
  const Clearance clearance = check.Measure();
  EXPECT_NEAR(clearance.nearest->distance, 0.5, kExact);
  EXPECT_NEAR(clearance.nearest->onOther.Distance(gp_Pnt(0.0, 1.5, 6.0)), 0.0, kExact);
  EXPECT_NEAR(clearance.nearest->onMoving.Distance(gp_Pnt(0.0, 1.8, 6.4)), 0.0, kExact);

  // Beside the cylinder, its vertical edge at (2, 1.5) nearest the axis: 2.5 - 1.5 apart.
  moving->SetTransformation(std::make_shared<model::Matrix>(Shifted(2.0, 1.5, 1.0)));
  EXPECT_NEAR(check.Measure().nearest->distance, 1.0, kExact);
}

TEST(PartHierarchy, EachTrianglesCornerParametersLieOnItsCorners) {
  // The parameters the local solves start from are the mesh's own: at each corner, the face's
  // surface is at the corner's point.
  for (const TopoDS_Shape& body :
       {BRepPrimAPI_MakeCylinder(1.5, 6.0).Shape(), BRepPrimAPI_MakeSphere(0.4).Shape()}) {
    const PartHierarchy hierarchy(body);
    ASSERT_GT(hierarchy.TriangleCount(), 0u);
    for (int triangle = 0; triangle < static_cast<int>(hierarchy.TriangleCount()); ++triangle) {
      const auto parameters = hierarchy.CornerParameters(triangle);
      ASSERT_TRUE(parameters);
      const Triangle& corners = hierarchy.TriangleFacet(triangle).corners;
      const int face = hierarchy.Triangles()->GetFaceID(triangle);
      int corner = 0;
      for (const BVH_Vec3d& point : {corners.a, corners.b, corners.c}) {
        const gp_Pnt onSurface = hierarchy.Surface(face).Surface().Value((*parameters)[corner].X(),
                                                                         (*parameters)[corner].Y());
        EXPECT_NEAR(onSurface.Distance(gp_Pnt(point.x(), point.y(), point.z())), 0.0, kExact);
        ++corner;
      }
    }
  }
}

}  // namespace
}  // namespace sledway::clearance
