#include "modelhost/files/entity_names.hpp"

#include <algorithm>
#include <charconv>

#include "host/echoed_text.hpp"
#include "host/host_error.hpp"
#include "host/sketch.hpp"
#include "modelhost/component/component.hpp"
#include "modelhost/component/edge_proxy.hpp"
#include "modelhost/component/vertex_proxy.hpp"
#include "modelhost/component/work_axis_proxy.hpp"
#include "modelhost/component/work_point_proxy.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/part/part.hpp"
#include "modelhost/sketch/curve_kind_name.hpp"
#include "modelhost/sketch/planar_sketch.hpp"
#include "modelhost/sketch/sketch3d.hpp"

namespace sledway::model {

namespace {

struct Step {
  std::string_view kind;
  std::string_view name;
};

// Reads an entity name step by step, failing with the whole name in the message.
class NameReader {
 public:
  explicit NameReader(std::string_view name) : full_(name) {
    std::size_t start = 0;
    while (true) {
      const std::size_t end = std::min(name.find('/', start), name.size());
      const std::string_view text = name.substr(start, end - start);
      const std::size_t colon = text.find(':');
      if (colon == std::string_view::npos || colon == 0 || colon + 1 == text.size()) {
        Fail("'" + EchoedText(text) + "' is not kind:name");
      }
      steps_.push_back(Step{text.substr(0, colon), text.substr(colon + 1)});
      if (end == name.size()) break;
      start = end + 1;
    }
  }

  [[noreturn]] void Fail(const std::string& problem) const {
    throw HostError(hresult::kInvalidArg, "entity '" + EchoedText(full_) + "': " + problem);
  }

  bool AtEnd() const { return next_ == steps_.size(); }

  // The next step, which must be there.
  Step Next(std::string_view expected) {
    if (AtEnd()) Fail("the name ends where " + std::string(expected) + " should follow");
    return steps_[next_++];
  }

  void RequireEnd() const {
    if (!AtEnd()) {
      const Step& last = steps_[next_ - 1];
      Fail("nothing lies below '" +
           EchoedText(std::string(last.kind) + ":" + std::string(last.name)) + "'");
    }
  }

  // The number of a step, in 1 to `count`.
  int Index(const Step& step, int count, const std::string& owner) const {
    int index = 0;
    const auto [end, error] =
        std::from_chars(step.name.data(), step.name.data() + step.name.size(), index);
    if (error != std::errc() || end != step.name.data() + step.name.size()) {
      Fail("'" + EchoedText(step.name) + "' is not a number");
    }
    if (index < 1 || index > count) {
      Fail(owner + " has no " + std::string(step.kind) + " " + std::to_string(index) + " (" +
           std::string(step.kind) + " numbers run from 1 to " + std::to_string(count) + ")");
    }
    return index;
  }

 private:
  std::string_view full_;
  std::vector<Step> steps_;
  std::size_t next_ = 0;
};

bool Contains(const std::vector<std::string>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

template <class Sketch>
Ref<IVObject> ResolveCurve(NameReader& reader, const Ref<Sketch>& sketch,
                           const std::string& owner) {
  if (reader.AtEnd()) return sketch;
  const Step step = reader.Next("a curve");
  if (step.kind != "curve") {
    reader.Fail("unknown kind '" + EchoedText(step.kind) + "' in a sketch (expected curve)");
  }
  const int index = reader.Index(step, sketch->CurveCount(), owner);
  reader.RequireEnd();
  return sketch->Curve(index);
}

Ref<IVObject> ResolveOnComponent(NameReader& reader, const Ref<Component>& component) {
  const Ref<Part> part = component->Part();
  const std::string owner = "component '" + component->ComponentName() + "'";
  const Step step = reader.Next("an entity");
  const std::string name(step.name);
  if (step.kind == "sketch" || step.kind == "sketch3d") {
    const bool planar = step.kind == "sketch";
    if (!Contains(planar ? part->SketchNames() : part->Sketch3dNames(), name)) {
      reader.Fail(owner + " has no " + (planar ? "sketch" : "3D sketch") + " named '" +
                  EchoedText(name) + "'");
    }
    const std::string sketchOwner = (planar ? "sketch '" : "3D sketch '") + name + "' of " + owner;
    if (planar) return ResolveCurve(reader, component->Sketch(name), sketchOwner);
    return ResolveCurve(reader, component->Sketch3d(name), sketchOwner);
  }
  Ref<IVObject> entity;
  if (step.kind == "vertex") {
    entity = component->Vertex(reader.Index(step, part->VertexCount(), owner));
  } else if (step.kind == "edge") {
    entity = component->Edge(reader.Index(step, part->EdgeCount(), owner));
  } else if (step.kind == "workpoint") {
    if (!Contains(part->WorkPointNames(), name)) {
      reader.Fail(owner + " has no work point named '" + EchoedText(name) + "'");
    }
    entity = component->WorkPoint(name);
  } else if (step.kind == "workaxis") {
    if (!Contains(part->WorkAxisNames(), name)) {
      reader.Fail(owner + " has no work axis named '" + EchoedText(name) + "'");
    }
    entity = component->WorkAxis(name);
  } else {
    reader.Fail("unknown kind '" + EchoedText(step.kind) +
                "' on a component (expected vertex, edge, workpoint, workaxis, sketch, sketch3d)");
  }
  reader.RequireEnd();
  return entity;
}

std::string CurveKindText(const Ref<IVObject>& curve) {
  if (const auto curve2d = As<IVSketchEntity>(curve)) {
    return std::string("2D ") + CurveKindName(curve2d->ObjectType());
  }
  return std::string("3D ") + CurveKindName(As<IVSketchEntity3D>(curve)->ObjectType());
}

template <class Sketch>
void ListSketch(const EntityVisitor& visit, const std::string& name, const std::string& kind,
                const Ref<Sketch>& sketch) {
  visit({name, kind, sketch});
  for (int i = 1; i <= sketch->CurveCount(); ++i) {
    const Ref<IVObject> curve = sketch->Curve(i);
    visit({name + "/curve:" + std::to_string(i), CurveKindText(curve), curve});
  }
}

// The entities of the assembly in listing order. `kept`: the objects the components keep and
// hand out; otherwise objects of the same kinds made for the visit alone.
void Walk(const AssemblyDocument& document, const EntityVisitor& visit, bool kept) {
  for (const Ref<Component>& component : document.Components()) {
    const Ref<Part> part = component->Part();
    const std::string name = "component:" + component->ComponentName();
    visit({name, "component", component});
    for (int i = 1; i <= part->VertexCount(); ++i) {
      visit({name + "/vertex:" + std::to_string(i), "vertex",
             kept ? component->Vertex(i)
                  : std::make_shared<VertexProxy>(OccurrenceLink(component), i)});
    }
    for (int i = 1; i <= part->EdgeCount(); ++i) {
      visit({name + "/edge:" + std::to_string(i), "edge",
             kept ? Ref<IVObject>(component->Edge(i))
                  : std::make_shared<EdgeProxy>(OccurrenceLink(component), i)});
    }
    for (const std::string& point : part->WorkPointNames()) {
      visit({name + "/workpoint:" + point, "work point",
             kept ? component->WorkPoint(point)
                  : std::make_shared<WorkPointProxy>(OccurrenceLink(component), point)});
    }
    for (const std::string& axis : part->WorkAxisNames()) {
      visit({name + "/workaxis:" + axis, "work axis",
             kept ? component->WorkAxis(axis)
                  : std::make_shared<WorkAxisProxy>(OccurrenceLink(component), axis)});
    }
    for (const std::string& sketch : part->SketchNames()) {
      ListSketch(visit, name + "/sketch:" + sketch, "2D sketch", component->Sketch(sketch));
    }
    for (const std::string& sketch : part->Sketch3dNames()) {
      ListSketch(visit, name + "/sketch3d:" + sketch, "3D sketch", component->Sketch3d(sketch));
    }
  }
  for (const std::string& sketch : document.SketchNames()) {
    ListSketch(visit, "sketch:" + sketch, "2D sketch", document.Sketch(sketch));
  }
  for (const std::string& sketch : document.Sketch3dNames()) {
    ListSketch(visit, "sketch3d:" + sketch, "3D sketch", document.Sketch3d(sketch));
  }
}

}  // namespace

Ref<IVObject> ResolveEntity(const AssemblyDocument& document, std::string_view name) {
  NameReader reader(name);
  const Step step = reader.Next("an entity");
  const std::string stepName(step.name);
  if (step.kind == "component") {
    const Ref<Component> component = document.FindComponent(stepName);
    if (!component) reader.Fail("no component named '" + EchoedText(stepName) + "'");
    if (reader.AtEnd()) return component;
    return ResolveOnComponent(reader, component);
  }
  if (step.kind == "sketch") {
    const Ref<PlanarSketch> sketch = document.Sketch(stepName);
    if (!sketch) reader.Fail("no sketch named '" + EchoedText(stepName) + "'");
    return ResolveCurve(reader, sketch, "sketch '" + stepName + "'");
  }
  if (step.kind == "sketch3d") {
    const Ref<Sketch3d> sketch = document.Sketch3d(stepName);
    if (!sketch) reader.Fail("no 3D sketch named '" + EchoedText(stepName) + "'");
    return ResolveCurve(reader, sketch, "3D sketch '" + stepName + "'");
  }
  reader.Fail("unknown kind '" + EchoedText(step.kind) +
              "' (expected component, sketch, sketch3d)");
}

std::vector<NamedEntity> ListEntities(const AssemblyDocument& document) {
  std::vector<NamedEntity> list;
  Walk(
      document, [&](const NamedEntity& named) { list.push_back(named); }, true);
  return list;
}

void ForEachEntity(const AssemblyDocument& document, const EntityVisitor& visit) {
  Walk(document, visit, false);
}

}  // namespace sledway::model
