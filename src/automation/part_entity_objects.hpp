#pragma once

// Components and what lives on them, as the assembly sees it through the host's proxies:
// ComponentOccurrence, VertexProxy, WorkPointProxy, EdgeProxy (and Edge), WorkAxisProxy, Line.

#include "automation/host_object.hpp"
#include "host/component.hpp"
#include "host/part_entities.hpp"

namespace sledway::automation {

class ComponentObject final : public HostObject, public IVComponent {
 public:
  using HostObject::HostObject;
  std::string Name() override;
  Ref<IVMatrix> GetTransformation() override;
  void SetTransformation(const Ref<IVMatrix>& placement) override;
  bool Fixed() override;
  void Fixed(bool fixed) override;
  bool Visible() override;
  void Visible(bool visible) override;
};

// The containing occurrence of a proxy; null for what the assembly owns.
template <class Interface>
class OccurrenceMemberObject : public HostObject, public Interface {
 public:
  using HostObject::HostObject;
  Ref<IVComponent> ContainingOccurrence() override {
    return ReadObject<IVComponent>(member::kContainingOccurrence, Role::kComponent);
  }
};

class VertexObject final : public OccurrenceMemberObject<IVVertex> {
 public:
  using OccurrenceMemberObject::OccurrenceMemberObject;
  Ref<IVPoint> GetPoint() override;
};

class WorkPointObject final : public OccurrenceMemberObject<IVWorkPoint> {
 public:
  using OccurrenceMemberObject::OccurrenceMemberObject;
  Ref<IVPoint> GetPoint() override;
};

template <class Interface>
class EdgeObjectOf final : public OccurrenceMemberObject<Interface> {
 public:
  using OccurrenceMemberObject<Interface>::OccurrenceMemberObject;
  Ref<IVCurveEvaluator> GetEvaluator() override {
    return this->template ReadObject<IVCurveEvaluator>(member::kEvaluator, Role::kCurveEvaluator);
  }
  Ref<IVEntityCollection> GetTangentChain() override {
    return this->template ReadObject<IVEntityCollection>(member::kTangentiallyConnectedEdges,
                                                         Role::kEntityCollection);
  }
};

using EdgeObject = EdgeObjectOf<IVEdge>;
using EdgeProxyObject = EdgeObjectOf<IVEdgeProxy>;

class AxisObject final : public OccurrenceMemberObject<IVAxis> {
 public:
  using OccurrenceMemberObject::OccurrenceMemberObject;
  Ref<IVLine> GetLine() override;
};

class LineObject final : public HostObject, public IVLine {
 public:
  using HostObject::HostObject;
  Ref<IVPoint> RootPoint() override;
  Ref<IVVector> Direction() override;
  Ref<IVCurveEvaluator> GetEvaluator() override;
};

}  // namespace sledway::automation
