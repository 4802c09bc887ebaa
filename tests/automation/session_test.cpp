// The session against scripted host objects: one binding object per host object, the kind of an
// entity told by its Type or its members, select events refused without their source interface,
// and the add-in's icons made into the host's pictures.

#include <gtest/gtest.h>

#include <functional>
#include <type_traits>
#include <vector>

#include "automation/binding_session.hpp"
#include "automation/host_picture.hpp"
#include "host/host.hpp"
#include "scripted_object.hpp"

namespace sledway::automation {
namespace {

using test::ScriptedObject;

// A member returning `value`.
template <typename Value>
test::Script Returns(Value value) {
  return [value](WORD, DISPPARAMS&, VARIANT* result, EXCEPINFO*) {
    VariantInit(result);
    if constexpr (std::is_same_v<Value, double>) {
      result->vt = VT_R8;
      result->dblVal = value;
    } else {
      result->vt = VT_I4;
      result->lVal = value;
    }
    return S_OK;
  };
}

class SessionTest : public testing::Test {
 protected:
  Ref<IVObject> Bind(ScriptedObject& object, Role role) {
    return session->Bind(ComPtr<IDispatch>(&object), role);
  }

  std::shared_ptr<Session> session =
      std::make_shared<Session>("{00000000-0000-0000-0000-000000000000}");
};

TEST_F(SessionTest, GivesOneBindingObjectPerHostObject) {
  ScriptedObject first;
  ScriptedObject second;
  first.Define(L"X", Returns(1.0));
  second.Define(L"X", Returns(2.0));
  const Ref<IVObject> a = Bind(first, Role::kPoint);
  EXPECT_EQ(Bind(first, Role::kPoint), a);
  EXPECT_TRUE(SameObject(Bind(first, Role::kPoint), a));
  const Ref<IVObject> b = Bind(second, Role::kPoint);
  EXPECT_FALSE(SameObject(a, b));
  EXPECT_EQ(As<IVPoint>(b)->X(), 2.0);
  EXPECT_EQ(session->Bind(nullptr, Role::kPoint), nullptr);
}

TEST_F(SessionTest, TellsAnEntitysKindByItsTypeOrItsMembers) {
  // Each entity's Type (0 for none) and the members it offers besides, and which kind it is.
  struct Case {
    std::int32_t type;
    std::vector<const wchar_t*> members;
    std::function<bool(const Ref<IVObject>&)> is;
  };
  const auto sketchLine = [](IVCurveKind kind) {
    return [kind](const Ref<IVObject>& bound) {
      return Is<IVSketchLine>(bound) && As<IVSketchEntity>(bound)->ObjectType() == kind;
    };
  };
  const std::vector<Case> cases{
      {0x05002770, {}, sketchLine(IVCurveKind::kSketchLineProxy)},
      // Of a sketch the assembly owns itself.
      {0x05002700, {}, sketchLine(NativeKind(IVCurveKind::kSketchLineProxy))},
      {0x0500D170, {}, [](const Ref<IVObject>& b) { return Is<IVSketchEllipticalArc3D>(b); }},
      {0x04002CA0, {}, [](const Ref<IVObject>& b) { return Is<IVEdgeProxy>(b); }},
      {0x04002C30, {}, [](const Ref<IVObject>& b) { return Is<IVEdge>(b) && !Is<IVEdgeProxy>(b); }},
      {0, {L"Point", L"Edges"}, [](const Ref<IVObject>& b) { return Is<IVVertex>(b); }},
      {0,
       {L"Point"},
       [](const Ref<IVObject>& b) { return Is<IVWorkPoint>(b) && !Is<IVVertex>(b); }},
      {0, {L"Line"}, [](const Ref<IVObject>& b) { return Is<IVAxis>(b); }},
      {0, {}, [](const Ref<IVObject>& b) { return b && !Is<IVOccurrenceMember>(b); }},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    ScriptedObject entity;
    if (cases[i].type != 0) entity.Define(L"Type", Returns(cases[i].type));
    for (const wchar_t* member : cases[i].members) entity.Define(member, Returns(0.0));
    EXPECT_TRUE(cases[i].is(Bind(entity, Role::kEntity))) << "case " << i;
  }
}

TEST_F(SessionTest, RefusesSelectEventsThatRaiseNoSuchEvents) {
  ScriptedObject silent;
  try {
    Bind(silent, Role::kSelectEvents);
    ADD_FAILURE() << "select events without a source interface were bound";
  } catch (const HostError& error) {
    EXPECT_NE(std::string(error.what()).find("SelectEventsSink"), std::string::npos);
  }
  EXPECT_EQ(silent.references, 0u);
}

TEST(HostPictureTest, MakesPngsIntoBitmapPicturesAndRefusesWhatIsNone) {
  // A 2 x 3 PNG, red and opaque.
  const std::vector<std::uint8_t> png{
      0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44,
      0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x03, 0x08, 0x06, 0x00, 0x00, 0x00, 0xb9,
      0xea, 0xde, 0x81, 0x00, 0x00, 0x00, 0x11, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9c, 0x63, 0xf8,
      0xcf, 0xc0, 0xf0, 0x1f, 0x84, 0x19, 0x30, 0x18, 0x00, 0xa1, 0x79, 0x0b, 0xf5, 0x4d, 0xc4,
      0x9a, 0x07, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
  const ComPtr<IPictureDisp> picture = PictureFromPng(png);
  ASSERT_NE(picture, nullptr);
  ComPtr<IPicture> seen;
  ASSERT_TRUE(SUCCEEDED(picture.As(&seen)));
  SHORT type = PICTYPE_NONE;
  seen->get_Type(&type);
  EXPECT_EQ(type, PICTYPE_BITMAP);
  OLE_HANDLE handle = 0;
  seen->get_Handle(&handle);
  BITMAP bitmap{};
  ASSERT_NE(
      GetObjectW(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), sizeof bitmap, &bitmap),
      0);
  EXPECT_EQ(bitmap.bmWidth, 2);
  EXPECT_EQ(bitmap.bmHeight, 3);

  EXPECT_THROW(PictureFromPng({}), HostError);
  EXPECT_THROW(PictureFromPng({1, 2, 3, 4}), HostError);
}

}  // namespace
}  // namespace sledway::automation
