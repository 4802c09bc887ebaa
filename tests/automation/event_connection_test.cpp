// The binding's event sinks against a scripted host object that raises the host's selection
// events: the source interface and the events found by name in type information of the test's
// own making, arguments read, by-reference arguments written back, disconnection at let-go.

#include "automation/event_connection.hpp"

#include <gtest/gtest.h>
#include <ocidl.h>
#include <olectl.h>

#include <vector>

#include "automation/binding_session.hpp"
#include "automation/host_object.hpp"
#include "host/host.hpp"
#include "platform/live_objects.hpp"
#include "scripted_object.hpp"

namespace sledway::automation {
namespace {

constexpr GUID kLibraryId = {
    0x5b0e2f31, 0x7c52, 0x4c1e, {0x9d, 0x3a, 0x1f, 0x6f, 0x0b, 0x6a, 0x2c, 0x10}};
constexpr IID kSinkId = {
    0x5b0e2f31, 0x7c52, 0x4c1e, {0x9d, 0x3a, 0x1f, 0x6f, 0x0b, 0x6a, 0x2c, 0x11}};
constexpr IID kSourceId = {
    0x5b0e2f31, 0x7c52, 0x4c1e, {0x9d, 0x3a, 0x1f, 0x6f, 0x0b, 0x6a, 0x2c, 0x12}};
constexpr DISPID kOnPreSelectId = 0x0501;
constexpr DISPID kOnSelectId = 0x0503;

// Type information as the host's would describe its SelectEvents: the source interface
// "SelectEventsSink" with its two events, and the interface of the object raising them.
struct ScriptedTypes {
  ScriptedTypes() {
    ComPtr<ICreateTypeLib2> library;
    EXPECT_TRUE(SUCCEEDED(CreateTypeLib2(SYS_WIN64, L"scripted.tlb", library.GetAddressOf())));
    library->SetGuid(kLibraryId);
    library->SetName(const_cast<LPOLESTR>(L"SledwayScriptedEvents"));
    ComPtr<ICreateTypeInfo> sink = Dispatch(*library.Get(), L"SelectEventsSink", kSinkId);
    Event(*sink.Get(), 0, kOnPreSelectId, L"OnPreSelect");
    Event(*sink.Get(), 1, kOnSelectId, L"OnSelect");
    ComPtr<ICreateTypeInfo> source = Dispatch(*library.Get(), L"ScriptedSelectEvents", kSourceId);
    sink->LayOut();
    source->LayOut();
    source.As(&sourceType);
  }

  static ComPtr<ICreateTypeInfo> Dispatch(ICreateTypeLib2& library, const wchar_t* name,
                                          const GUID& id) {
    ComPtr<ICreateTypeInfo> type;
    EXPECT_TRUE(SUCCEEDED(
        library.CreateTypeInfo(const_cast<LPOLESTR>(name), TKIND_DISPATCH, type.GetAddressOf())));
    type->SetGuid(id);
    return type;
  }

  static void Event(ICreateTypeInfo& type, UINT index, DISPID id, const wchar_t* name) {
    FUNCDESC event{};
    event.memid = id;
    event.funckind = FUNC_DISPATCH;
    event.invkind = INVOKE_FUNC;
    event.callconv = CC_STDCALL;
    event.elemdescFunc.tdesc.vt = VT_VOID;
    EXPECT_TRUE(SUCCEEDED(type.AddFuncDesc(index, &event)));
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    type.SetFuncAndParamNames(index, names, 1);
  }

  ComPtr<ITypeInfo> sourceType;
};

// A SelectEvents of the scripted host: its type information, one connection point, and a way to
// raise the events into whatever sink is connected.
class ScriptedSelectEvents final : public IDispatch,
                                   public IConnectionPointContainer,
                                   public IConnectionPoint {
 public:
  explicit ScriptedSelectEvents(ComPtr<ITypeInfo> type) : type_(std::move(type)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
      *object = static_cast<IDispatch*>(this);
    } else if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
      *object = static_cast<IConnectionPointContainer*>(this);
    } else if (IsEqualIID(iid, IID_IConnectionPoint)) {
      *object = static_cast<IConnectionPoint*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    return type_.CopyTo(info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }

  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override {
    *point = nullptr;
    if (!IsEqualIID(iid, kSinkId)) return CONNECT_E_NOCONNECTION;
    *point = this;
    AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
    *iid = kSinkId;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** c) override {
    *c = this;
    AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
    if (sink_) return CONNECT_E_ADVISELIMIT;
    if (FAILED(sink->QueryInterface(kSinkId, reinterpret_cast<void**>(sink_.GetAddressOf())))) {
      return CONNECT_E_CANNOTCONNECT;
    }
    *cookie = 7;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
    if (cookie != 7 || !sink_) return CONNECT_E_NOCONNECTION;
    sink_.Reset();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

  bool Connected() const { return sink_ != nullptr; }

  // Raises an event with its arguments given first to last.
  HRESULT Raise(DISPID event, std::vector<VARIANT> arguments) {
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    return sink_->Invoke(event, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                         nullptr, nullptr);
  }

  ULONG references = 0;

 private:
  ComPtr<ITypeInfo> type_;
  ComPtr<IDispatch> sink_;
};

VARIANT ByRef(IDispatch** object) {
  VARIANT value;
  value.vt = VT_BYREF | VT_DISPATCH;
  value.ppdispVal = object;
  return value;
}

VARIANT ByRef(VARIANT_BOOL* flag) {
  VARIANT value;
  value.vt = VT_BYREF | VT_BOOL;
  value.pboolVal = flag;
  return value;
}

VARIANT Object(IDispatch* object) {
  VARIANT value;
  value.vt = VT_DISPATCH;
  value.pdispVal = object;
  return value;
}

VARIANT Long(std::int32_t number) {
  VARIANT value;
  value.vt = VT_I4;
  value.lVal = number;
  return value;
}

test::Script Returns(std::int32_t number) {
  return [number](WORD, DISPPARAMS&, VARIANT* result, EXCEPINFO*) {
    result->vt = VT_I4;
    result->lVal = number;
    return S_OK;
  };
}

TEST(EventConnectionTest, HearsTheHostsEventsByNameAndWritesBackWhatTheHandlerChanged) {
  ScriptedTypes types;
  ASSERT_NE(types.sourceType, nullptr);
  ScriptedSelectEvents host(types.sourceType);
  test::ScriptedObject line;
  line.Define(L"Type", Returns(std::int32_t{0x05002770}));
  test::ScriptedObject arc;
  arc.Define(L"Type", Returns(std::int32_t{0x05003270}));
  test::ScriptedObject collection;
  test::ScriptedObject selected;
  const int libraryObjects = LiveObjects();
  {
    auto session = std::make_shared<Session>("{00000000-0000-0000-0000-000000000000}");
    const auto events = std::dynamic_pointer_cast<IVSelectEvents>(
        session->Bind(ComPtr<IDispatch>(static_cast<IDispatch*>(&host)), Role::kSelectEvents));
    ASSERT_NE(events, nullptr);
    ASSERT_TRUE(host.Connected());
    // The sink the host holds keeps the library loaded.
    EXPECT_EQ(LiveObjects(), libraryObjects + 1);

    // The handler refuses the highlight and offers the arc in the line's place.
    const Ref<IVObject> arcBound = session->Bind(ComPtr<IDispatch>(&arc), Role::kEntity);
    Ref<IVObject> heardEntity;
    IVSelectionDevice heardDevice{};
    Connection preSelect = events->OnPreSelect.Connect(
        [&](Ref<IVObject>& entity, bool& doHighlight, Ref<IVObjectCollection>& more,
            IVSelectionDevice device, Ref<IVPoint>, Ref<IVPoint2d>, Ref<IVObject>) {
          heardEntity = entity;
          heardDevice = device;
          EXPECT_TRUE(doHighlight);
          EXPECT_NE(more, nullptr);
          doHighlight = false;
          entity = arcBound;
        });
    IDispatch* entity = &line;
    line.AddRef();
    VARIANT_BOOL highlight = VARIANT_TRUE;
    IDispatch* more = &collection;
    collection.AddRef();
    ASSERT_EQ(
        host.Raise(kOnPreSelectId, {ByRef(&entity), ByRef(&highlight), ByRef(&more), Long(15361),
                                    Object(nullptr), Object(nullptr), Object(nullptr)}),
        S_OK);
    EXPECT_TRUE(Is<IVSketchLine>(heardEntity));
    EXPECT_EQ(heardDevice, IVSelectionDevice::kGraphicsWindow);
    EXPECT_EQ(highlight, VARIANT_FALSE);
    EXPECT_EQ(entity, static_cast<IDispatch*>(&arc));
    EXPECT_EQ(more, static_cast<IDispatch*>(&collection));
    entity->Release();
    more->Release();

    int selections = 0;
    Connection select =
        events->OnSelect.Connect([&](Ref<IVEntityCollection> just, IVSelectionDevice, Ref<IVPoint>,
                                     Ref<IVPoint2d>, Ref<IVObject>) {
          ++selections;
          EXPECT_NE(just, nullptr);
        });
    EXPECT_EQ(host.Raise(kOnSelectId, {Object(&selected), Long(15362), Object(nullptr),
                                       Object(nullptr), Object(nullptr)}),
              S_OK);
    EXPECT_EQ(selections, 1);

    heardEntity.reset();
    session->LetGoOfAll();
    EXPECT_FALSE(host.Connected());
  }
  EXPECT_EQ(LiveObjects(), libraryObjects);
  EXPECT_EQ(host.references, 0u);
  EXPECT_EQ(line.references, 0u);
  EXPECT_EQ(arc.references, 0u);
  EXPECT_EQ(collection.references, 0u);
  EXPECT_EQ(selected.references, 0u);
}

TEST(EventConnectionTest, RefusesAHostObjectThatRaisesNoSuchEvents) {
  test::ScriptedObject silent;
  auto session = std::make_shared<Session>("{00000000-0000-0000-0000-000000000000}");
  try {
    session->Bind(ComPtr<IDispatch>(&silent), Role::kSelectEvents);
    ADD_FAILURE() << "select events without a source interface were bound";
  } catch (const HostError& error) {
    EXPECT_NE(std::string(error.what()).find("SelectEventsSink"), std::string::npos);
  }
  EXPECT_EQ(silent.references, 0u);
}

}  // namespace
}  // namespace sledway::automation
