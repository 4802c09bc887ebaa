#include "addin/com/add_in_server_object.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "addin/com/add_in_guids.hpp"
#include "addin/com/class_factory.hpp"
#include "automation/owned_values.hpp"
#include "host/host_error.hpp"
#include "platform/live_objects.hpp"
#include "test_site.hpp"

namespace sledway::com {
namespace {

using Microsoft::WRL::ComPtr;
using test::Boolean;
using test::Call;
using test::Long;
using test::Object;

// The add-in's server as the COM object forwards to it: it records the calls it gets.
struct RecordingServer : ApplicationAddInServer {
  void Activate(const Ref<IVAddInSite>&, bool) override {}
  void Deactivate() override { ++deactivations; }
  void ExecuteCommand(std::int32_t commandId) override { commands.push_back(commandId); }
  Ref<IVObject> Automation() override { return nullptr; }

  ComPtr<IDispatch> hostSite;
  bool firstTime = false;
  int deactivations = 0;
  std::vector<std::int32_t> commands;
};

class AddInServerObjectTest : public testing::Test {
 protected:
  AddInServerObjectTest() {
    // The object comes with the reference its maker holds.
    server.Attach(new AddInServerObject([this](const ComPtr<IDispatch>& hostSite, bool firstTime) {
      if (failure) std::rethrow_exception(failure);
      auto activated = std::make_shared<RecordingServer>();
      activated->hostSite = hostSite;
      activated->firstTime = firstTime;
      servers.push_back(activated);
      return activated;
    }));
  }

  std::exception_ptr failure;
  std::vector<std::weak_ptr<RecordingServer>> servers;
  ComPtr<AddInServerObject> server;
  test::TestSite site;
};

TEST_F(AddInServerObjectTest, AnswersTheHostsInterfaceAndItsNamesInAnyCase) {
  ComPtr<IDispatch> asHost;
  ASSERT_EQ(server->QueryInterface(kIID_ApplicationAddInServer, &asHost), S_OK);
  ComPtr<IUnknown> asUnknown;
  ASSERT_EQ(server->QueryInterface(IID_PPV_ARGS(&asUnknown)), S_OK);
  EXPECT_EQ(asUnknown.Get(), static_cast<IUnknown*>(asHost.Get()));
  ComPtr<IClassFactory> notOne;
  EXPECT_EQ(server->QueryInterface(IID_PPV_ARGS(&notOne)), E_NOINTERFACE);
  EXPECT_EQ(notOne, nullptr);

  // The four names and their DISPIDs are checked on the library itself; names ignore case.
  LPOLESTR lower = const_cast<LPOLESTR>(L"executecommand");
  DISPID found = 0;
  EXPECT_EQ(asHost->GetIDsOfNames(IID_NULL, &lower, 1, LOCALE_USER_DEFAULT, &found), S_OK);
  EXPECT_EQ(found, kDispidExecuteCommand);
  LPOLESTR unknown = const_cast<LPOLESTR>(L"Run");
  DISPID id = 0;
  EXPECT_EQ(asHost->GetIDsOfNames(IID_NULL, &unknown, 1, LOCALE_USER_DEFAULT, &id),
            DISP_E_UNKNOWNNAME);
  EXPECT_EQ(id, DISPID_UNKNOWN);
}

TEST_F(AddInServerObjectTest, ForwardsTheHostsCallsWithTheirArgumentsByValueAndByReference) {
  Call activate;
  test::Invoke(*server.Get(), kDispidActivate, DISPATCH_METHOD, {Object(&site), Boolean(false)},
               activate);
  ASSERT_EQ(activate.result, S_OK);
  ASSERT_EQ(servers.size(), 1u);
  EXPECT_EQ(servers[0].lock()->hostSite.Get(), &site);
  EXPECT_FALSE(servers[0].lock()->firstTime);

  // A host written in a language that passes its variables: the site in a variant referred to,
  // FirstTime as a reference to a VARIANT_BOOL. A second activation starts a fresh server.
  VARIANT siteHolder = Object(&site);
  VARIANT siteReference{};
  siteReference.vt = VT_VARIANT | VT_BYREF;
  siteReference.pvarVal = &siteHolder;
  VARIANT_BOOL yes = VARIANT_TRUE;
  VARIANT firstReference{};
  firstReference.vt = VT_BOOL | VT_BYREF;
  firstReference.pboolVal = &yes;
  Call again;
  test::Invoke(*server.Get(), kDispidActivate, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
               {siteReference, firstReference}, again);
  ASSERT_EQ(again.result, S_OK);
  ASSERT_EQ(servers.size(), 2u);
  EXPECT_TRUE(servers[0].expired());
  EXPECT_TRUE(servers[1].lock()->firstTime);

  VARIANT shortCommand{};
  shortCommand.vt = VT_I2;
  shortCommand.iVal = 7;
  Call command;
  test::Invoke(*server.Get(), kDispidExecuteCommand, DISPATCH_METHOD, {shortCommand}, command);
  EXPECT_EQ(command.result, S_OK);
  EXPECT_EQ(servers[1].lock()->commands, std::vector<std::int32_t>{7});

  Call automation;
  test::Invoke(*server.Get(), kDispidAutomation, DISPATCH_PROPERTYGET, {}, automation);
  EXPECT_EQ(automation.result, S_OK);
  EXPECT_EQ(automation.value.vt, VT_DISPATCH);
  EXPECT_EQ(automation.value.pdispVal, nullptr);

  const std::weak_ptr<RecordingServer> active = servers[1];
  Call deactivate;
  test::Invoke(*server.Get(), kDispidDeactivate, DISPATCH_METHOD, {}, deactivate);
  EXPECT_EQ(deactivate.result, S_OK);
  EXPECT_TRUE(active.expired());
  // Nothing of the add-in's holds the host's site after deactivation.
  EXPECT_EQ(site.references, 0u);
}

TEST_F(AddInServerObjectTest, RefusesBrokenCallsWithTheDispatchCodesAndActivatesNothing) {
  const auto expect = [&](DISPID member, WORD flags, std::vector<VARIANT> arguments,
                          HRESULT expected, UINT argumentError = 0xFFFFFFFFu) {
    Call call;
    test::Invoke(*server.Get(), member, flags, std::move(arguments), call);
    EXPECT_EQ(call.result, expected) << std::hex << member;
    EXPECT_EQ(call.argumentError, argumentError) << std::hex << member;
  };
  expect(kDispidActivate, DISPATCH_METHOD, {Object(&site)}, DISP_E_BADPARAMCOUNT);
  expect(kDispidActivate, DISPATCH_METHOD, {Object(&site), Boolean(true), Long(1)},
         DISP_E_BADPARAMCOUNT);
  // The failing argument is named by its index in the array the caller passed, last first.
  expect(kDispidActivate, DISPATCH_METHOD, {Long(3), Boolean(true)}, DISP_E_TYPEMISMATCH, 1);
  expect(kDispidActivate, DISPATCH_METHOD, {Object(nullptr), Boolean(true)}, DISP_E_TYPEMISMATCH,
         1);
  automation::Bstr maybe("maybe");
  VARIANT text{};
  text.vt = VT_BSTR;
  text.bstrVal = maybe.Get();
  expect(kDispidActivate, DISPATCH_METHOD, {Object(&site), text}, DISP_E_TYPEMISMATCH, 0);
  expect(kDispidExecuteCommand, DISPATCH_METHOD, {Object(&site)}, DISP_E_TYPEMISMATCH, 0);
  // A reference to nothing is never followed; a number too large for a long is an overflow.
  for (VARTYPE type : {VT_I4, VT_BOOL, VT_DISPATCH, VT_VARIANT}) {
    VARIANT nothing{};
    nothing.vt = VT_BYREF | type;
    nothing.byref = nullptr;
    expect(kDispidExecuteCommand, DISPATCH_METHOD, {nothing}, E_POINTER, 0);
    expect(kDispidActivate, DISPATCH_METHOD, {nothing, Boolean(true)}, E_POINTER, 1);
  }
  VARIANT huge{};
  huge.vt = VT_R8;
  huge.dblVal = 3e9;
  expect(kDispidExecuteCommand, DISPATCH_METHOD, {huge}, DISP_E_OVERFLOW, 0);
  expect(kDispidDeactivate, DISPATCH_METHOD, {Long(1)}, DISP_E_BADPARAMCOUNT);
  expect(kDispidAutomation, DISPATCH_METHOD, {}, DISP_E_MEMBERNOTFOUND);
  expect(0x7FFF, DISPATCH_METHOD, {}, DISP_E_MEMBERNOTFOUND);

  VARIANT named = Object(&site);
  DISPID namedId = 0;
  DISPPARAMS withNames{&named, &namedId, 1, 1};
  EXPECT_EQ(server->Invoke(kDispidActivate, IID_NULL, 0, DISPATCH_METHOD, &withNames, nullptr,
                           nullptr, nullptr),
            DISP_E_NONAMEDARGS);
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  EXPECT_EQ(server->Invoke(kDispidDeactivate, kIID_ApplicationAddInServer, 0, DISPATCH_METHOD,
                           &none, nullptr, nullptr, nullptr),
            DISP_E_UNKNOWNINTERFACE);
  EXPECT_TRUE(servers.empty());
  EXPECT_EQ(site.references, 0u);
}

TEST_F(AddInServerObjectTest, TurnsFailuresInsideIntoExceptionInfoWithTheMessage) {
  failure = std::make_exception_ptr(HostError(0x8000FFFFu, "the host refused the icons"));
  Call refused;
  test::Invoke(*server.Get(), kDispidActivate, DISPATCH_METHOD, {Object(&site), Boolean(true)},
               refused);
  EXPECT_EQ(refused.result, DISP_E_EXCEPTION);
  EXPECT_EQ(static_cast<std::uint32_t>(refused.exception.scode), 0x8000FFFFu);
  EXPECT_EQ(refused.Description(), L"the host refused the icons");
  ASSERT_NE(refused.exception.bstrSource, nullptr);
  EXPECT_STREQ(refused.exception.bstrSource, L"Sledway");

  // Without an EXCEPINFO the caller gets the code itself.
  failure = std::make_exception_ptr(std::runtime_error("no assembly \u00e9"));
  VARIANT arguments[] = {Boolean(true), Object(&site)};
  DISPPARAMS params{arguments, nullptr, 2, 0};
  EXPECT_EQ(server->Invoke(kDispidActivate, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr,
                           nullptr),
            E_FAIL);
  Call plain;
  test::Invoke(*server.Get(), kDispidActivate, DISPATCH_METHOD, {Object(&site), Boolean(true)},
               plain);
  EXPECT_EQ(plain.Description(), L"no assembly \u00e9");
  EXPECT_TRUE(servers.empty());
  EXPECT_EQ(site.references, 0u);
}

TEST(ClassFactory, CountsItsReferencesLocksAndObjectsAsLiveObjectsOfTheLibrary) {
  const int before = LiveObjects();
  ClassFactory factory([] { return new AddInServerObject(nullptr); });
  ComPtr<IClassFactory> held;
  ASSERT_EQ(factory.QueryInterface(IID_PPV_ARGS(&held)), S_OK);
  EXPECT_EQ(LiveObjects(), before + 1);
  ASSERT_EQ(held->LockServer(TRUE), S_OK);
  EXPECT_EQ(LiveObjects(), before + 2);

  ComPtr<IDispatch> made;
  ASSERT_EQ(held->CreateInstance(nullptr, kIID_ApplicationAddInServer, &made), S_OK);
  EXPECT_EQ(LiveObjects(), before + 3);
  ComPtr<IDispatch> refused;
  EXPECT_EQ(held->CreateInstance(made.Get(), IID_IDispatch, &refused), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(held->CreateInstance(nullptr, IID_IClassFactory, &refused), E_NOINTERFACE);
  EXPECT_EQ(refused, nullptr);
  EXPECT_EQ(LiveObjects(), before + 3);

  made.Reset();
  held->LockServer(FALSE);
  // An unlock or a release without its lock or reference counts for nothing.
  held->LockServer(FALSE);
  held.Reset();
  factory.Release();
  EXPECT_EQ(LiveObjects(), before);
}

}  // namespace
}  // namespace sledway::com
