#include "clearance/part_hierarchy.hpp"

#include <BRepBndLib.hxx>
#include <BRepMesh_IncrementalMesh.hxx>
#include <BRep_Tool.hxx>
#include <Poly_Triangulation.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <algorithm>
#include <cmath>

namespace sledway::clearance {
namespace {

// The mesh is a filter for the exact distance, so it need not be fine: a coarser one only
// sends more face pairs to the exact refinement.
constexpr double kRelativeDeflection = 2e-3;
constexpr double kAngularDeflection = 0.35;  // radians

// The triangle set, opened up to tell which mesh nodes make each triangle.
class NodedTriangleSet final : public BRepExtrema_TriangleSet {
 public:
  using BRepExtrema_TriangleSet::BRepExtrema_TriangleSet;

  std::array<int, 3> Nodes(int triangle) const {
    const BVH_Vec4i& nodes = myTriangles[static_cast<std::size_t>(triangle)];
    return {nodes.x(), nodes.y(), nodes.z()};
  }
  std::size_t NodeCount() const { return myVertexArray.size(); }
  const BVH_Vec3d& Node(std::size_t node) const { return myVertexArray[node]; }
};

// The surface parameters of every mesh node of `faces`, in the order the triangle set took the
// nodes in (face by face, each face's nodes in turn); empty when a face's mesh has none or the
// set numbered its nodes otherwise.
std::vector<gp_Pnt2d> NodeParameters(const BRepExtrema_ShapeList& faces,
                                     const NodedTriangleSet& set) {
  std::vector<gp_Pnt2d> parameters;
  parameters.reserve(set.NodeCount());
  for (const TopoDS_Face& face : faces) {
    TopLoc_Location location;
    const Handle(Poly_Triangulation) triangulation = BRep_Tool::Triangulation(face, location);
    if (!triangulation->HasUVNodes()) return {};
    for (int node = 1; node <= triangulation->NbNodes(); ++node) {
      const gp_Pnt point = triangulation->Node(node).Transformed(location.Transformation());
      const std::size_t index = parameters.size();
      if (index >= set.NodeCount() || set.Node(index).x() != point.X() ||
          set.Node(index).y() != point.Y() || set.Node(index).z() != point.Z()) {
        return {};
      }
      parameters.push_back(triangulation->UVNode(node));
    }
  }
  if (parameters.size() != set.NodeCount()) return {};
  return parameters;
}

// Sets the face number of `node` and of every node under it in `faces` (-1 where more than one
// face lies under it) and returns the node's.
int MarkNodeFaces(const BRepExtrema_TriangleSet& set, const BVH_Tree<double, 3>& tree, int node,
                  std::vector<int>& faces) {
  int face = -1;
  if (tree.IsOuter(node)) {
    face = set.GetFaceID(tree.BegPrimitive(node));
    for (int triangle = tree.BegPrimitive(node) + 1; triangle <= tree.EndPrimitive(node);
         ++triangle) {
      if (set.GetFaceID(triangle) != face) face = -1;
    }
  } else {
    const int left = MarkNodeFaces(set, tree, tree.Child<0>(node), faces);
    const int right = MarkNodeFaces(set, tree, tree.Child<1>(node), faces);
    face = left == right ? left : -1;
  }
  faces[static_cast<std::size_t>(node)] = face;
  return face;
}

}  // namespace

PartHierarchy::PartHierarchy(const TopoDS_Shape& body) : body_(body) {
  BRepBndLib::Add(body_, box_);
  if (box_.IsVoid()) return;
  size_ = std::sqrt(box_.SquareExtent());
  solid_ = TopExp_Explorer(body_, TopAbs_SOLID).More();
  BRepMesh_IncrementalMesh mesh(body_, kRelativeDeflection * size_, false, kAngularDeflection);
  for (TopExp_Explorer explorer(body_, TopAbs_FACE); explorer.More(); explorer.Next()) {
    const TopoDS_Face& face = TopoDS::Face(explorer.Current());
    TopLoc_Location location;
    const Handle(Poly_Triangulation) triangulation = BRep_Tool::Triangulation(face, location);
    if (triangulation.IsNull()) continue;
    deflection_ = std::max(deflection_, triangulation->Deflection());
    faceDeflections_.push_back(triangulation->Deflection());
    faces_.Append(face);
  }
  if (faces_.IsEmpty()) return;
  const Handle(NodedTriangleSet) set = new NodedTriangleSet(faces_);
  set->BVH();  // built now, so that no query pays for it
  nodeParameters_ = NodeParameters(faces_, *set);
  facets_.reserve(static_cast<std::size_t>(set->Size()));
  for (int triangle = 0; triangle < set->Size(); ++triangle) {
    Triangle corners;
    set->GetVertices(triangle, corners.a, corners.b, corners.c);
    facets_.push_back(MakeFacet(corners));
  }
  const BVH_Tree<double, 3>& tree = *set->BVH();
  nodeFaces_.resize(static_cast<std::size_t>(tree.Length()));
  if (tree.Length() > 0) MarkNodeFaces(*set, tree, 0, nodeFaces_);
  triangles_ = set;
  surfaces_.resize(static_cast<std::size_t>(faces_.Size()));
}

const FaceSurface& PartHierarchy::Surface(int faceId) const {
  std::unique_ptr<FaceSurface>& surface = surfaces_[static_cast<std::size_t>(faceId)];
  if (!surface) surface = std::make_unique<FaceSurface>(Face(faceId));
  return *surface;
}

std::optional<std::array<gp_Pnt2d, 3>> PartHierarchy::CornerParameters(int triangle) const {
  if (nodeParameters_.empty()) return std::nullopt;
  const std::array<int, 3> nodes =
      static_cast<const NodedTriangleSet&>(*triangles_).Nodes(triangle);
  return std::array<gp_Pnt2d, 3>{nodeParameters_[static_cast<std::size_t>(nodes[0])],
                                 nodeParameters_[static_cast<std::size_t>(nodes[1])],
                                 nodeParameters_[static_cast<std::size_t>(nodes[2])]};
}

std::size_t PartHierarchy::TriangleCount() const {
  return triangles_.IsNull() ? 0 : static_cast<std::size_t>(triangles_->Size());
}

}  // namespace sledway::clearance
