// sledway.dll's life in the automation test host, under Wine: reloaded again and again, with a
// button definition left from an earlier session, deactivated during a run and a pick, and
// activated over a host that sets up nothing.

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "com_apartment.hpp"
#include "dispatch_call.hpp"
#include "scripted_object.hpp"
#include "sledway_in_test_host.hpp"

namespace sledway::automation {
namespace {

using namespace in_test_host;
using automation_host::Value;

using SledwayLifeInTestHost = automation_host::ComApartment;

HRESULT Activate(IDispatch& server, IDispatch* site) {
  VARIANT siteArgument{};
  siteArgument.vt = VT_DISPATCH;
  siteArgument.pdispVal = site;
  VARIANT firstTime{};
  firstTime.vt = VT_BOOL;
  firstTime.boolVal = VARIANT_FALSE;
  return Call(server, kActivate, {siteArgument, firstTime});
}

// The window classes sledway.dll has registered now.
int RegisteredClasses() {
  const HMODULE library = GetModuleHandleW(SLEDWAY_DLL);
  int registered = 0;
  for (const wchar_t* name : {L"SledwayWindow", L"SledwayPictureBox"}) {
    WNDCLASSEXW found{};
    found.cbSize = sizeof found;
    if (library != nullptr && GetClassInfoExW(library, name, &found)) ++registered;
  }
  return registered;
}

long long Microseconds(std::chrono::steady_clock::duration duration) {
  return std::chrono::duration_cast<std::chrono::microseconds>(duration).count();
}

TEST_F(SledwayLifeInTestHost, TenReloadsLeaveOneButtonThatOpensTheWindow) {
  auto owner = std::make_unique<TestHost>();
  TestHost& host = *owner;
  const com::test::ActivationContext library(SLEDWAY_DLL);
  // An earlier session left its definition in the host: the add-in takes it as its own.
  {
    const Value commands = automation_host::Get(host.Application(), L"CommandManager").value;
    const Value definitions =
        automation_host::Get(commands.Object().Get(), L"ControlDefinitions").value;
    ASSERT_TRUE(
        automation_host::Get(definitions.Object().Get(), L"AddButtonDefinition",
                             {Value(L"Sledway").Raw(), Value(L"Sledway").Raw(), Value(4L).Raw()})
            .Succeeded());
  }
  ComPtr<IDispatch> server;
  ASSERT_NO_FATAL_FAILURE(CreateAndActivate(host, server));
  ASSERT_EQ(host.PlacedButtons().size(), 1u);
  EXPECT_EQ(host.ButtonSinks(L"Sledway"), 1u);

  long long activating = 0;
  long long deactivating = 0;
  for (int cycle = 1; cycle <= 10; ++cycle) {
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(Call(*server.Get(), kDeactivate, {}), S_OK);
    const auto deactivated = std::chrono::steady_clock::now();
    EXPECT_TRUE(host.PlacedButtons().empty()) << "cycle " << cycle;
    EXPECT_EQ(host.ExecuteButton(L"Sledway"), S_FALSE) << "cycle " << cycle;
    // Every other cycle the host makes a new server, as after unloading the library.
    if (cycle % 2 == 0) {
      server.Reset();
      EXPECT_EQ(CanUnloadNow(), S_OK);
      ASSERT_EQ(
          CoCreateInstance(kSledwayClass, nullptr, CLSCTX_INPROC_SERVER, kApplicationAddInServer,
                           reinterpret_cast<void**>(server.GetAddressOf())),
          S_OK);
    }
    const auto reactivating = std::chrono::steady_clock::now();
    ASSERT_EQ(Activate(*server.Get(), host.Site()), S_OK) << "cycle " << cycle;
    activating += Microseconds(std::chrono::steady_clock::now() - reactivating);
    deactivating += Microseconds(deactivated - started);
    ASSERT_EQ(host.PlacedButtons().size(), 1u) << "cycle " << cycle;
    EXPECT_EQ(host.ButtonSinks(L"Sledway"), 1u) << "cycle " << cycle;
    std::printf("cycle %d: %ld test-host objects, %d window classes\n", cycle,
                TestHost::LiveObjects(), RegisteredClasses());
  }
  // Figures for the record, not checks: they depend on the machine and its load.
  std::printf("Activate %lld us, Deactivate %lld us on average over ten cycles\n", activating / 10,
              deactivating / 10);

  // Activated twice without a deactivation: still one button, and it works.
  ASSERT_EQ(Activate(*server.Get(), host.Site()), S_OK);
  EXPECT_EQ(host.PlacedButtons().size(), 1u);
  EXPECT_EQ(host.ButtonSinks(L"Sledway"), 1u);
  EXPECT_EQ(host.ExecuteButton(L"Sledway"), S_OK);
  HWND window = ShownWindow(L"Sledway 2.0");
  EXPECT_NE(window, nullptr);
  EXPECT_EQ(RegisteredClasses(), 2);

  ASSERT_EQ(Call(*server.Get(), kDeactivate, {}), S_OK);
  Pump();
  EXPECT_FALSE(IsWindow(window));
  server.Reset();
  EXPECT_EQ(CanUnloadNow(), S_OK);
  // The library may be unloaded now: its window classes are gone with its last object.
  EXPECT_EQ(RegisteredClasses(), 0);
  owner.reset();
  EXPECT_EQ(TestHost::LiveObjects(), 0);
}

// Calls `call` when the message it posts is dispatched: a host's request arriving through its
// message loop.
class PostedCall {
 public:
  explicit PostedCall(std::function<void()> call) : call_(std::move(call)) {
    static const ATOM kind = [] {
      WNDCLASSW description{};
      description.lpfnWndProc = [](HWND window, UINT message, WPARAM w, LPARAM l) -> LRESULT {
        if (message != WM_APP) return DefWindowProcW(window, message, w, l);
        reinterpret_cast<PostedCall*>(GetWindowLongPtrW(window, GWLP_USERDATA))->call_();
        return 0;
      };
      description.hInstance = GetModuleHandleW(nullptr);
      description.lpszClassName = L"SledwayTestPostedCall";
      return RegisterClassW(&description);
    }();
    window_ = CreateWindowExW(0, MAKEINTATOM(kind), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~PostedCall() { DestroyWindow(window_); }
  PostedCall(const PostedCall&) = delete;
  PostedCall& operator=(const PostedCall&) = delete;

  void Post() const { PostMessageW(window_, WM_APP, 0, 0); }

 private:
  std::function<void()> call_;
  HWND window_ = nullptr;
};

enum class DeactivateAt { kMove, kMessageLoopAfterAMove, kPick };

// The host ends the session while the add-in works: inside the third placement of a run, in the
// message loop's turn that follows it, or while a pick runs. The path's component is shown
// again, the run moves no more, no message shows, and nothing of the host or the add-in is left.
TEST_F(SledwayLifeInTestHost, DeactivateDuringARunOrAPickPutsBackWhatItHidAndSaysNothing) {
  for (const DeactivateAt when :
       {DeactivateAt::kMove, DeactivateAt::kMessageLoopAfterAMove, DeactivateAt::kPick}) {
    SCOPED_TRACE(static_cast<int>(when));
    auto owner = std::make_unique<TestHost>();
    TestHost& host = *owner;
    const com::test::ActivationContext library(SLEDWAY_DLL);
    ComPtr<IDispatch> server;
    ASSERT_NO_FATAL_FAILURE(CreateAndActivate(host, server));
    ASSERT_EQ(host.ExecuteButton(L"Sledway"), S_OK);
    HWND window = ShownWindow(L"Sledway 2.0");
    ASSERT_NE(window, nullptr);
    ToolWindow tool(window);
    HRESULT deactivated = E_PENDING;
    const auto deactivate = [&] { deactivated = Call(*server.Get(), kDeactivate, {}); };
    const PostedCall posted(deactivate);

    tool.Click(tool.Slot(L"Path"));
    const RefusedMessageBoxes messages;
    ASSERT_TRUE(messages.Hooked());
    if (when == DeactivateAt::kPick) {
      ASSERT_TRUE(host.InteractionRunning());
      deactivate();
      EXPECT_FALSE(host.InteractionRunning());
    } else {
      EXPECT_EQ(host.Click(host.Entity(L"Rail:1/Sketch1/Line1")), S_OK);
      tool.Click(tool.Slot(L"Follow point"));
      EXPECT_EQ(host.Click(host.Entity(L"Cart:1/WorkPoint1")), S_OK);
      Pump();
      tool.Type(tool.RightOf(tool.Label(L"Steps:"), L"Edit"), L"10");
      tool.Click(tool.Button(L"Position"));
      const std::size_t before = host.Placements(L"Cart:1").size();
      int placements = 0;
      host.AfterEachPlacement([&] {
        if (++placements != 3) return;
        EXPECT_FALSE(host.Visible(L"Rail:1"));
        if (when == DeactivateAt::kMove) {
          deactivate();
          EXPECT_TRUE(host.Visible(L"Rail:1"));
        } else {
          posted.Post();
        }
      });
      tool.Click(tool.Button(L"Run"));
      host.AfterEachPlacement(nullptr);
      EXPECT_EQ(host.Placements(L"Cart:1").size(), before + 3);
      EXPECT_EQ(host.Visibilities(L"Rail:1"), (std::vector<bool>{false, true}));
    }
    EXPECT_EQ(deactivated, S_OK);
    Pump();
    EXPECT_EQ(messages.Count(), 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(host.PlacedButtons().empty());
    server.Reset();
    EXPECT_EQ(CanUnloadNow(), S_OK);
    owner.reset();
    EXPECT_EQ(TestHost::LiveObjects(), 0);
  }
}

// A site whose application is Nothing, and one whose application has no member at all: the
// activation fails naming the host's member, and holds nothing of the site.
TEST_F(SledwayLifeInTestHost, AnActivationThatSetsUpNothingFailsNamingTheMember) {
  const com::test::ActivationContext library(SLEDWAY_DLL);
  test::ScriptedObject emptyApplication;
  for (IDispatch* application :
       {static_cast<IDispatch*>(nullptr), static_cast<IDispatch*>(&emptyApplication)}) {
    test::ScriptedObject site;
    site.Define(L"Application", [application](WORD, DISPPARAMS&, VARIANT* result, EXCEPINFO*) {
      result->vt = VT_DISPATCH;
      result->pdispVal = application;
      if (application != nullptr) application->AddRef();
      return S_OK;
    });
    ComPtr<IDispatch> server;
    ASSERT_EQ(
        CoCreateInstance(kSledwayClass, nullptr, CLSCTX_INPROC_SERVER, kApplicationAddInServer,
                         reinterpret_cast<void**>(server.GetAddressOf())),
        S_OK);
    VARIANT siteArgument{};
    siteArgument.vt = VT_DISPATCH;
    siteArgument.pdispVal = &site;
    VARIANT firstTime{};
    firstTime.vt = VT_BOOL;
    firstTime.boolVal = VARIANT_TRUE;
    VARIANT reversed[] = {firstTime, siteArgument};
    DISPPARAMS params{reversed, nullptr, 2, 0};
    EXCEPINFO exception{};
    EXPECT_EQ(server->Invoke(kActivate, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                             nullptr, &exception, nullptr),
              DISP_E_EXCEPTION);
    const std::wstring said =
        exception.bstrDescription == nullptr ? L"" : exception.bstrDescription;
    EXPECT_NE(said.find(application == nullptr ? L"ApplicationAddInSite.Application"
                                               : L"Application.CommandManager"),
              std::wstring::npos)
        << said;
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
    EXPECT_EQ(site.references, 0u);
    EXPECT_EQ(emptyApplication.references, 0u);
    server.Reset();
    EXPECT_EQ(CanUnloadNow(), S_OK);
  }
}

}  // namespace
}  // namespace sledway::automation
