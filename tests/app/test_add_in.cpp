// A tiny add-in library for the desktop host's tests: one class that puts a button on a bar of
// its own and logs what the host calls, and one whose Activate throws. Registration writes only
// the first class, as a real add-in would.
#include <strings.h>

#include <atomic>
#include <stdexcept>
#include <string>

#include "host/add_in_server.hpp"
#include "platform/add_in_registry.hpp"

namespace {

constexpr const char* kWorkingClass = "{5E1D3A7C-0000-4000-8000-00000000A001}";
constexpr const char* kThrowingClass = "{5E1D3A7C-0000-4000-8000-00000000A002}";

std::string log;
std::atomic<int> liveObjects = 0;

class LoggingServer : public sledway::ApplicationAddInServer {
 public:
  LoggingServer() { ++liveObjects; }
  ~LoggingServer() override { --liveObjects; }

  void Activate(const sledway::Ref<sledway::IVAddInSite>& site, bool firstTime) override {
    log += firstTime ? "activate:first " : "activate:again ";
    button_ = site->CreateButtonHandler("TestAddInButton", 0, "Test", "A test button", "Test tip",
                                        nullptr, nullptr);
    auto bars = site->GetApplication()->GetUserInterface()->GetCommandBars();
    bars->Add("Test add-in")->GetControls()->Add(45061, button_->GetButtonDefinition());
  }
  void Deactivate() override {
    log += "deactivate ";
    button_.reset();
  }
  void ExecuteCommand(std::int32_t) override {}
  sledway::Ref<sledway::IVObject> Automation() override { return nullptr; }

 private:
  sledway::Ref<sledway::IVButtonHandler> button_;
};

class ThrowingServer : public LoggingServer {
 public:
  void Activate(const sledway::Ref<sledway::IVAddInSite>&, bool) override {
    throw std::runtime_error("the licence has run out");
  }
};

template <class Server>
class Factory : public sledway::IVClassFactory {
 public:
  sledway::Ref<sledway::ApplicationAddInServer> CreateInstance() override {
    return std::make_shared<Server>();
  }
};

bool Same(const char* a, const char* b) {
  return ::strcasecmp(a, b) == 0;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) std::int32_t DllRegisterServer() {
  try {
    sledway::platform::RegisterAddIn(
        {kWorkingClass, "Test add-in",
         sledway::platform::ModulePathOf(reinterpret_cast<const void*>(&DllRegisterServer)), true});
    return sledway::kS_OK;
  } catch (...) {
    return sledway::kSelfRegError;
  }
}

__attribute__((visibility("default"))) std::int32_t DllUnregisterServer() {
  try {
    sledway::platform::UnregisterAddIn(kWorkingClass);
    return sledway::kS_OK;
  } catch (...) {
    return sledway::kSelfRegError;
  }
}

__attribute__((visibility("default"))) std::int32_t DllGetClassObject(
    const char* classId, sledway::IVClassFactory** factory) {
  static Factory<LoggingServer> working;
  static Factory<ThrowingServer> throwing;
  *factory = Same(classId, kWorkingClass)    ? static_cast<sledway::IVClassFactory*>(&working)
             : Same(classId, kThrowingClass) ? &throwing
                                             : nullptr;
  return *factory ? sledway::kS_OK : sledway::kClassNotAvailable;
}

__attribute__((visibility("default"))) std::int32_t DllCanUnloadNow() {
  return liveObjects == 0 ? sledway::kS_OK : sledway::kS_FALSE;
}

// What the host called, for the tests.
__attribute__((visibility("default"))) const char* TestAddInLog() {
  return log.c_str();
}
}
