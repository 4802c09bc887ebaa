// The four entry points of the add-in library for a Qt host, with C linkage: the host registers the
// library, asks it for the class factory of the add-in server, and unloads it when nothing of it
// lives.
#include <QString>
#include <cstdint>
#include <exception>

#include "addin/add_in_identity.hpp"
#include "addin/sledway_server.hpp"
#include "host/add_in_server.hpp"
#include "host/host_error.hpp"
#include "platform/add_in_registry.hpp"
#include "platform/live_objects.hpp"
#include "platform/qt_desktop_services.hpp"
#include "ui/qt/face_widgets.hpp"
#include "ui/qt/qt_form_factory.hpp"

namespace sledway {
namespace {

class SledwayClassFactory : public IVClassFactory {
 public:
  Ref<ApplicationAddInServer> CreateInstance() override {
    // The library carries its own copy of the platform services; what the host installed for
    // itself does not reach it. Message boxes and yields go through Qt, which the host runs.
    static const platform::ScopedDesktopServices services(platform::QtDesktopServices());
    static qtface::QtFormFactory faces;
    return std::make_shared<CSledway>(faces);
  }
};

SledwayClassFactory& Factory() {
  static SledwayClassFactory factory;
  return factory;
}

}  // namespace
}  // namespace sledway

extern "C" {

std::int32_t DllRegisterServer() {
  try {
    const std::string library =
        sledway::platform::ModulePathOf(reinterpret_cast<const void*>(&DllRegisterServer));
    if (library.empty()) return sledway::kSelfRegError;
    sledway::platform::RegisterAddIn(sledway::SledwayRegistration(library));
    return sledway::kS_OK;
  } catch (const std::exception&) {
    return sledway::kSelfRegError;
  }
}

std::int32_t DllUnregisterServer() {
  try {
    sledway::platform::UnregisterAddIn(sledway::kAddInClassId);
    return sledway::kS_OK;
  } catch (const std::exception&) {
    return sledway::kSelfRegError;
  }
}

std::int32_t DllGetClassObject(const char* classId, sledway::IVClassFactory** factory) {
  if (factory == nullptr) return static_cast<std::int32_t>(sledway::hresult::kPointer);
  *factory = nullptr;
  if (classId == nullptr || QString::fromLatin1(classId).compare(
                                QLatin1String(sledway::kAddInClassId), Qt::CaseInsensitive) != 0) {
    return sledway::kClassNotAvailable;
  }
  *factory = &sledway::Factory();
  return sledway::kS_OK;
}

std::int32_t DllCanUnloadNow() {
  // A window dropped by the add-in waits for Qt to delete it, with its code in this library.
  const bool inUse = sledway::LiveObjects() != 0 || sledway::qtface::FormDialog::Alive() != 0;
  return inUse ? sledway::kS_FALSE : sledway::kS_OK;
}

}  // extern "C"
