#pragma once

// Where the host shows commands: command bars (the classic interface) and the ribbons' tabs and
// panels, each recording the buttons placed on it.

#include <memory>
#include <string>
#include <vector>

#include "com_object.hpp"

namespace sledway::automation_host {

// The host's InterfaceStyleEnum values.
inline constexpr long kClassicInterface = 87809;
inline constexpr long kRibbonInterface = 87810;

// A button placed by the add-in: where ("CommandBar:<bar>" or "<ribbon>:<tab>:<panel>") and
// which definition.
struct PlacedButton {
  std::wstring place;
  std::wstring definition;
};
// Shared by the bars and panels that record placements and the controls that delete them.
using PlacedButtons = std::shared_ptr<std::vector<PlacedButton>>;

class UserInterfaceManagerObject final : public Object<::UserInterfaceManager> {
 public:
  explicit UserInterfaceManagerObject(IDispatch* application);

  HRESULT STDMETHODCALLTYPE get_CommandBars(IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE get_Ribbons(IDispatch** value) override;

  void SetInterfaceStyle(long style) { style_ = style; }
  const std::vector<PlacedButton>& placed() const { return *placed_; }

 private:
  long style_ = kRibbonInterface;
  PlacedButtons placed_ = std::make_shared<std::vector<PlacedButton>>();
  ComPtr<IDispatch> commandBars_;
  ComPtr<IDispatch> ribbons_;
};

}  // namespace sledway::automation_host
