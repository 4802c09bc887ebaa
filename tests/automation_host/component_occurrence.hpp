#pragma once

// A component of the assembly: its placement, which the add-in moves, with the record of every
// placement put and a switch to refuse the next one.

#include <string>
#include <vector>

#include "affine.hpp"
#include "com_object.hpp"

namespace sledway::automation_host {

// A refusal armed for the next Transformation put of any component.
struct PlacementFailure {
  HRESULT code = S_OK;
  std::wstring text;
};

class ComponentOccurrenceObject final : public Object<::ComponentOccurrence> {
 public:
  ComponentOccurrenceObject(IDispatch* application, std::wstring name, const Affine& placement,
                            bool grounded, PlacementFailure& failure);

  HRESULT STDMETHODCALLTYPE get_Name(BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_Transformation(IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE put_Transformation(IDispatch* value) override;
  HRESULT STDMETHODCALLTYPE get_Grounded(VARIANT_BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_Grounded(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL value) override;

  const std::wstring& name() const { return name_; }
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
  PlacementFailure& failure_;
};

}  // namespace sledway::automation_host
