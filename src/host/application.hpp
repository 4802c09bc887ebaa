#pragma once

#include <cstdint>
#include <string>

#include "host/collections.hpp"
#include "host/document.hpp"
#include "host/geometry.hpp"
#include "host/interaction.hpp"
#include "host/user_interface.hpp"

namespace sledway {

// A native window handle; 0 when there is no window.
using WindowHandle = std::intptr_t;

class IVApplication : public virtual IVObject {
 public:
  // The document the user works in, or null when none is open.
  virtual Ref<IVDocument> GetActiveDocument() = 0;
  virtual Ref<IVGeometryFactory> GetGeometryFactory() = 0;
  virtual Ref<IVObjectFactory> GetObjectFactory() = 0;
  virtual Ref<IVCommandManager> GetCommandManager() = 0;
  virtual Ref<IVUserInterface> GetUserInterface() = 0;
  virtual WindowHandle GetMainWindowHandle() = 0;
};

// What the host hands an add-in when it activates it.
class IVAddInSite : public virtual IVObject {
 public:
  virtual Ref<IVApplication> GetApplication() = 0;
  // A new button; the icons may be null. Fails with kUnexpected when the host refuses the icons.
  virtual Ref<IVButtonHandler> CreateButtonHandler(const std::string& internalName,
                                                   std::int32_t kind,
                                                   const std::string& displayName,
                                                   const std::string& description,
                                                   const std::string& tooltip,
                                                   const Ref<IVObject>& standardIcon,
                                                   const Ref<IVObject>& largeIcon) = 0;
};

}  // namespace sledway
