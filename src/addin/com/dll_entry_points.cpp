// The four entry points of sledway.dll, the in-process COM server the CAD host registers, loads
// and activates. They are exported undecorated through sledway.def.

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <olectl.h>

#include <exception>

#include "addin/add_in_identity.hpp"
#include "addin/com/add_in_server_object.hpp"
#include "addin/com/class_factory.hpp"
#include "addin/com/host_activation.hpp"
#include "platform/add_in_registry.hpp"
#include "platform/live_objects.hpp"
#include "platform/win32/png_bitmap.hpp"
#include "platform/win32/wide_text.hpp"
#include "ui/win32/window.hpp"

namespace sledway::com {
namespace {

// What the library starts for its objects stops when the last of them goes: COM may unload it
// from then on.
void ReleaseWhatObjectsStarted() {
  platform::StopGdiPlus();
  win32::UnregisterWindowClasses();
}

ClassFactory& Factory() {
  static ClassFactory factory([]() -> IDispatch* {
    WhenNoneLive(ReleaseWhatObjectsStarted);
    return new AddInServerObject(ActivateInHost);
  });
  return factory;
}

bool IsSledwayClass(REFCLSID classId) {
  CLSID sledway{};
  return SUCCEEDED(CLSIDFromString(platform::Wide(kAddInClassId).c_str(), &sledway)) &&
         IsEqualCLSID(classId, sledway);
}

}  // namespace
}  // namespace sledway::com

extern "C" {

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID classId, REFIID iid, LPVOID* object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (!sledway::com::IsSledwayClass(classId)) return CLASS_E_CLASSNOTAVAILABLE;
  return sledway::com::Factory().QueryInterface(iid, object);
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return sledway::LiveObjects() == 0 ? S_OK : S_FALSE;
}

// Registers for the current user only, so that no administrator is needed.
HRESULT STDAPICALLTYPE DllRegisterServer() {
  try {
    const std::string library =
        sledway::platform::ModulePathOf(reinterpret_cast<const void*>(&DllRegisterServer));
    if (library.empty()) return SELFREG_E_CLASS;
    sledway::platform::RegisterAddIn(sledway::SledwayRegistration(library));
    return S_OK;
  } catch (const std::exception&) {
    return SELFREG_E_CLASS;
  }
}

HRESULT STDAPICALLTYPE DllUnregisterServer() {
  try {
    sledway::platform::UnregisterAddIn(sledway::kAddInClassId);
    return S_OK;
  } catch (const std::exception&) {
    return SELFREG_E_CLASS;
  }
}

}  // extern "C"
