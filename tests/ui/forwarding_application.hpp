#pragma once

#include <utility>

#include "host/host.hpp"

namespace sledway::test {

// An application that hands every call to another; a test overrides the call it wants to fail.
class ForwardingApplication : public IVApplication {
 public:
  explicit ForwardingApplication(Ref<IVApplication> inner) : inner_(std::move(inner)) {}
  Ref<IVDocument> GetActiveDocument() override { return inner_->GetActiveDocument(); }
  Ref<IVGeometryFactory> GetGeometryFactory() override { return inner_->GetGeometryFactory(); }
  Ref<IVObjectFactory> GetObjectFactory() override { return inner_->GetObjectFactory(); }
  Ref<IVCommandManager> GetCommandManager() override { return inner_->GetCommandManager(); }
  Ref<IVUserInterface> GetUserInterface() override { return inner_->GetUserInterface(); }
  WindowHandle GetMainWindowHandle() override { return inner_->GetMainWindowHandle(); }

 private:
  Ref<IVApplication> inner_;
};

}  // namespace sledway::test
