// sledway.dll's life in the automation test host, under Wine: reloaded again and again (with the
// ribbon and with classic bars), deactivated during a run and a pick, and activated over a host
// that sets up nothing.

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "com_apartment.hpp"
#include "scripted_object.hpp"
#include "sledway_in_test_host.hpp"

namespace sledway::automation {
namespace {

using namespace in_test_host;
using automation_host::InterfaceStyle;

using SledwayLifeInTestHost = automation_host::ComApartment;

// The window classes sledway.dll has registered now.
int RegisteredClasses() {
  int registered = 0;
  for (const wchar_t* name : {L"SledwayWindow", L"SledwayPictureBox"}) {
    WNDCLASSW found{};
    if (GetClassInfoW(GetModuleHandleW(SLEDWAY_DLL), name, &found)) ++registered;
  }
  return registered;
}

std::vector<std::wstring> Places(const TestHost& host) {
  std::vector<std::wstring> places;
  for (const auto& placed : host.PlacedButtons()) places.push_back(placed.place);
  return places;
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

// With the ribbon, a definition an earlier session left is taken as the add-in's; the classic
// host refuses the icons once. Every other cycle the host makes a new server, as after unloading
// the library; at the end it activates twice without a deactivation.
TEST_F(SledwayLifeInTestHost, TenReloadsLeaveOneButtonThatOpensTheWindow) {
  for (const InterfaceStyle style : {InterfaceStyle::kRibbon, InterfaceStyle::kClassic}) {
    auto owner = std::make_unique<TestHost>();
    TestHost& host = *owner;
    host.SetInterfaceStyle(style);
    const std::vector<std::wstring> places =
        style == InterfaceStyle::kRibbon
            ? std::vector<std::wstring>{L"Assembly:id_TabAssemble:id_PanelSledway"}
            : std::vector<std::wstring>{L"CommandBar:SledwayBar",
                                        L"CommandBar:AMxAssemblyPanelCmdBar"};
    if (style == InterfaceStyle::kClassic) host.RefuseIconsOnce();
    if (style == InterfaceStyle::kRibbon) host.LeaveButtonDefinition(L"Sledway");
    const com::test::ActivationContext library(SLEDWAY_DLL);
    ComPtr<IDispatch> server;
    ASSERT_NO_FATAL_FAILURE(CreateAndActivate(host, server));
    for (int cycle = 1; cycle <= 11; ++cycle) {
      SCOPED_TRACE(cycle);
      EXPECT_EQ(Places(host), places);
      EXPECT_EQ(host.ButtonSinks(L"Sledway"), 1u);
      EXPECT_EQ(host.ButtonDefinitions(), 1u);
      if (cycle == 11) break;
      ASSERT_EQ(Call(*server.Get(), kDeactivate, {}), S_OK);
      EXPECT_TRUE(host.PlacedButtons().empty());
      EXPECT_EQ(host.ExecuteButton(L"Sledway"), S_FALSE);
      if (cycle % 2 == 0) {
        server.Reset();
        EXPECT_EQ(CanUnloadNow(), S_OK);
        server = CreateServer();
      }
      ASSERT_EQ(Activate(*server.Get(), host.Site()), S_OK);
    }

    ASSERT_EQ(Activate(*server.Get(), host.Site()), S_OK);
    EXPECT_EQ(Places(host), places);
    EXPECT_EQ(host.ExecuteButton(L"Sledway"), S_OK);
    HWND window = ShownWindow(L"Sledway 2.0");
    EXPECT_NE(window, nullptr);
    EXPECT_EQ(RegisteredClasses(), 2);
    // Deactivate runs no message loop inside the host's call: what the host posted waits.
    bool dispatched = false;
    const PostedCall posted([&] { dispatched = true; });
    posted.Post();
    ASSERT_EQ(Call(*server.Get(), kDeactivate, {}), S_OK);
    EXPECT_FALSE(dispatched);
    Pump();
    EXPECT_TRUE(dispatched);
    EXPECT_FALSE(IsWindow(window));
    server.Reset();
    EXPECT_EQ(CanUnloadNow(), S_OK);
    // The library may be unloaded now: its window classes went with its last object.
    EXPECT_EQ(RegisteredClasses(), 0);
    owner.reset();
    EXPECT_EQ(TestHost::LiveObjects(), 0);
  }
}

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
    ComPtr<IDispatch> server = CreateServer();
    std::wstring said;
    EXPECT_EQ(Activate(*server.Get(), &site, &said), DISP_E_EXCEPTION);
    EXPECT_NE(said.find(application == nullptr ? L"ApplicationAddInSite.Application"
                                               : L"Application.CommandManager"),
              std::wstring::npos)
        << said;
    EXPECT_EQ(site.references, 0u);
    EXPECT_EQ(emptyApplication.references, 0u);
    server.Reset();
    EXPECT_EQ(CanUnloadNow(), S_OK);
  }
}

}  // namespace
}  // namespace sledway::automation
