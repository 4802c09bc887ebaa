#include "modelhost/component/component.hpp"

#include <utility>

#include "host/host_error.hpp"
#include "modelhost/component/edge_proxy.hpp"
#include "modelhost/component/vertex_proxy.hpp"
#include "modelhost/component/work_axis_proxy.hpp"
#include "modelhost/component/work_point_proxy.hpp"
#include "modelhost/geometry/conversions.hpp"
#include "modelhost/geometry/matrix.hpp"
#include "modelhost/part/part.hpp"
#include "modelhost/sketch/planar_sketch.hpp"
#include "modelhost/sketch/sketch3d.hpp"

namespace sledway::model {

namespace {

// The cached proxy under `key`, made by `make` on first request.
template <class Map, class Key, class Make>
typename Map::mapped_type CachedProxy(Map& cache, const Key& key, Make make) {
  auto found = cache.find(key);
  if (found != cache.end()) return found->second;
  auto proxy = make();
  cache.emplace(key, proxy);
  return proxy;
}

}  // namespace

Component::Component(std::string name, Ref<model::Part> part, const gp_Trsf& placement)
    : name_(std::move(name)), part_(std::move(part)) {
  if (!part_) throw HostError(hresult::kPointer, "component '" + name_ + "' needs a part");
  try {
    placement_ = ToTrsf(std::make_shared<Matrix>(placement));
  } catch (const HostError& error) {
    throw HostError(error.Code(), "component '" + name_ + "': " + error.what());
  }
}

std::string Component::Name() {
  return name_;
}

Ref<IVMatrix> Component::GetTransformation() {
  return std::make_shared<Matrix>(placement_);
}

void Component::SetTransformation(const Ref<IVMatrix>& placement) {
  if (!placement) {
    throw HostError(hresult::kPointer, "component '" + name_ + "': no placement given");
  }
  try {
    placement_ = ToTrsf(placement);
  } catch (const HostError& error) {
    throw HostError(error.Code(), "component '" + name_ + "': " + error.what());
  }
  OnDisplayChanged.Raise();
}

Ref<IVVertex> Component::Vertex(int index) {
  if (index < 1 || index > part_->VertexCount()) {
    throw HostError(hresult::kBadIndex, "component '" + name_ + "' has no vertex " +
                                            std::to_string(index) + " (it has " +
                                            std::to_string(part_->VertexCount()) + ")");
  }
  return CachedProxy(vertices_, index, [&] {
    return std::make_shared<VertexProxy>(OccurrenceLink(weak_from_this()), index);
  });
}

Ref<IVEdgeProxy> Component::Edge(int index) {
  if (index < 1 || index > part_->EdgeCount()) {
    throw HostError(hresult::kBadIndex, "component '" + name_ + "' has no edge " +
                                            std::to_string(index) + " (it has " +
                                            std::to_string(part_->EdgeCount()) + ")");
  }
  return CachedProxy(edges_, index, [&] {
    return std::make_shared<EdgeProxy>(OccurrenceLink(weak_from_this()), index);
  });
}

Ref<IVWorkPoint> Component::WorkPoint(const std::string& name) {
  part_->WorkPoint(name);  // fails naming the work point when the part has none of that name
  return CachedProxy(workPoints_, name, [&] {
    return std::make_shared<WorkPointProxy>(OccurrenceLink(weak_from_this()), name);
  });
}

Ref<IVAxis> Component::WorkAxis(const std::string& name) {
  part_->WorkAxis(name);
  return CachedProxy(workAxes_, name, [&] {
    return std::make_shared<WorkAxisProxy>(OccurrenceLink(weak_from_this()), name);
  });
}

Ref<PlanarSketch> Component::Sketch(const std::string& name) {
  auto definition = part_->Sketch(name);
  return CachedProxy(sketches_, name, [&] {
    return std::make_shared<PlanarSketch>(definition, OccurrenceLink(weak_from_this()));
  });
}

Ref<model::Sketch3d> Component::Sketch3d(const std::string& name) {
  auto definition = part_->Sketch3d(name);
  return CachedProxy(sketches3d_, name, [&] {
    return std::make_shared<model::Sketch3d>(definition, OccurrenceLink(weak_from_this()));
  });
}

}  // namespace sledway::model
