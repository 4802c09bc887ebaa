#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/application.hpp"
#include "host/object.hpp"

namespace sledway {

// A picture an add-in hands the host, such as a button icon: the bytes of a PNG image.
class IVPictureDisp : public virtual IVObject {
 public:
  virtual std::vector<std::uint8_t> PngData() = 0;
};

// What the host calls on an add-in: Activate when it loads the add-in, Deactivate when it
// unloads it or quits.
class ApplicationAddInServer : public virtual IVObject {
 public:
  virtual void Activate(const Ref<IVAddInSite>& addInSiteObject, bool firstTime) = 0;
  virtual void Deactivate() = 0;
  virtual void ExecuteCommand(std::int32_t commandId) = 0;
  // The add-in's automation object; may be null.
  virtual Ref<IVObject> Automation() = 0;
};

// What an add-in library's DllGetClassObject hands out: it makes the add-in's server.
class IVClassFactory {
 public:
  virtual ~IVClassFactory() = default;
  virtual Ref<ApplicationAddInServer> CreateInstance() = 0;
};

// Result codes of the in-process server entry points.
inline constexpr std::int32_t kS_OK = 0;
inline constexpr std::int32_t kS_FALSE = 1;
inline constexpr std::int32_t kClassNotAvailable = static_cast<std::int32_t>(0x80040111u);
inline constexpr std::int32_t kSelfRegError = static_cast<std::int32_t>(0x80040200u);

// The marker category under a class's "Implemented Categories" that says it is an add-in of
// this host.
inline constexpr const char* kAddInCategory = "{E357129A-DB40-11d2-B783-0060B0F159EF}";
// The category the host's own add-in templates add beside it, with Settings\Version (DWORD 0).
inline constexpr const char* kVersionedAddInCategory = "{39AD2B5C-7A29-11D6-8E0A-0010B541CAA8}";

}  // namespace sledway

// The four entry points an add-in library exports with C linkage. Class ids are written in
// registry form, braces included ("{1ED471A1-4725-4827-B91F-4EE510CB2B8D}"), compared without
// regard to case.
extern "C" {
// Writes the library's class registration into the per-user settings store.
using DllRegisterServerFn = std::int32_t (*)();
// Removes it.
using DllUnregisterServerFn = std::int32_t (*)();
// Sets *factory to the library's factory for classId (owned by the library, valid while it is
// loaded) and returns kS_OK, or sets it null and returns kClassNotAvailable.
using DllGetClassObjectFn = std::int32_t (*)(const char* classId, sledway::IVClassFactory** factory);
// kS_OK when no object the library made is still alive, kS_FALSE otherwise.
using DllCanUnloadNowFn = std::int32_t (*)();
}
