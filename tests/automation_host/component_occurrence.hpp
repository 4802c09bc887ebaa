#pragma once

// A component of the assembly: its placement, which the add-in moves, with the record of every
// placement put, a switch to refuse the next one and a look after each.

#include <functional>
#include <string>
#include <vector>

#include "affine.hpp"
#include "com_object.hpp"

namespace sledway::automation_host {

// What the host does around every component's Transformation put: a refusal armed for the next
// one, and a look a test takes after each one that took effect.
struct PlacementHooks {
  HRESULT code = S_OK;
  std::wstring text;
  std::function<void()> afterPut;
};

class ComponentOccurrenceObject final : public Object<::ComponentOccurrence> {
 public:
  ComponentOccurrenceObject(IDispatch* application, std::wstring name, const Affine& placement,
                            bool grounded, PlacementHooks& hooks);

  HRESULT STDMETHODCALLTYPE get_Name(BSTR* value) override { return GiveText(name_, value); }
  HRESULT STDMETHODCALLTYPE get_Transformation(IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE put_Transformation(IDispatch* value) override;
  HRESULT STDMETHODCALLTYPE get_Grounded(VARIANT_BOOL* value) override {
    return GiveBoolean(grounded_, value);
  }
  HRESULT STDMETHODCALLTYPE put_Grounded(VARIANT_BOOL value) override {
    grounded_ = value != VARIANT_FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL* value) override {
    return GiveBoolean(visible_, value);
  }
  HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL value) override;

  const Affine& placement() const { return placement_; }
  bool visible() const { return visible_; }
  // Every placement put that took effect, in order.
  const std::vector<Affine>& placements() const { return placements_; }
  // Every Visible put, in order.
  const std::vector<bool>& visibilities() const { return visibilities_; }

 private:
  std::wstring name_;
  Affine placement_;
  bool grounded_;
  bool visible_ = true;
  std::vector<Affine> placements_;
  std::vector<bool> visibilities_;
  PlacementHooks& hooks_;
};

// What a component's part or sketch shows in the assembly: `Interface` (and `Bases`) with the
// ContainingOccurrence every one of them answers.
template <class Interface, class... Bases>
class OccurrenceMemberObject : public Object<Interface, Bases..., ::OccurrenceMember> {
 public:
  OccurrenceMemberObject(IDispatch* application, ComponentOccurrenceObject& component,
                         long type = object_type::kHostObject)
      : Object<Interface, Bases..., ::OccurrenceMember>(application, type), component_(component) {}

  HRESULT STDMETHODCALLTYPE get_ContainingOccurrence(IDispatch** value) override {
    return Give(static_cast<IDispatch*>(&component_), value);
  }

 protected:
  ComponentOccurrenceObject& component_;
};

}  // namespace sledway::automation_host
