#pragma once

// The host's application, the add-in site, and its documents: an assembly with components and
// parameters, and a part.

#include <string>
#include <vector>

#include "com_object.hpp"
#include "parameter_objects.hpp"

namespace sledway::automation_host {

// The host's DocumentTypeEnum values.
inline constexpr long kPartDocumentType = 12290;
inline constexpr long kAssemblyDocumentType = 12291;

class ApplicationObject final : public Object<::Application> {
 public:
  ApplicationObject();
  ~ApplicationObject() override;

  HRESULT STDMETHODCALLTYPE get_ActiveDocument(IDispatch** value) override {
    return Give(activeDocument_, value);
  }
  HRESULT STDMETHODCALLTYPE get_TransientGeometry(IDispatch** value) override {
    return Give(geometry_, value);
  }
  HRESULT STDMETHODCALLTYPE get_TransientObjects(IDispatch** value) override {
    return Give(objects_, value);
  }
  HRESULT STDMETHODCALLTYPE get_CommandManager(IDispatch** value) override {
    return Give(commandManager_, value);
  }
  HRESULT STDMETHODCALLTYPE get_UserInterfaceManager(IDispatch** value) override {
    return Give(userInterface_, value);
  }
  HRESULT STDMETHODCALLTYPE get_MainFrameHWND(long* value) override;

  // The members the scene fills after making the application they all refer to.
  void SetParts(ComPtr<IDispatch> commandManager, ComPtr<IDispatch> userInterface) {
    commandManager_ = std::move(commandManager);
    userInterface_ = std::move(userInterface);
  }
  void SetActiveDocument(ComPtr<IDispatch> document) { activeDocument_ = std::move(document); }

 private:
  HWND window_ = nullptr;
  ComPtr<IDispatch> geometry_;
  ComPtr<IDispatch> objects_;
  ComPtr<IDispatch> commandManager_;
  ComPtr<IDispatch> userInterface_;
  ComPtr<IDispatch> activeDocument_;
};

// ApplicationAddInSite: what the host hands to the add-in's Activate.
ComPtr<IDispatch> NewAddInSite(IDispatch* application);

// A part document (for the add-in's "only in an assembly" answer).
ComPtr<IDispatch> NewPartDocument(IDispatch* application, std::wstring displayName);

// An assembly document with its parameters.
ComPtr<IDispatch> NewAssemblyDocument(IDispatch* application, std::wstring displayName,
                                      const std::vector<ComPtr<ParameterObject>>& modelParameters,
                                      const std::vector<ComPtr<ParameterObject>>& userParameters);

}  // namespace sledway::automation_host
