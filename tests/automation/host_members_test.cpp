// The binding's member table (src/automation/host_members.hpp), read as its reader reads it,
// against the test host's type information: every member the binding reaches exists on the
// interface named, and takes the count of arguments the binding passes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "com_object.hpp"

namespace sledway::automation {
namespace {

using automation_host::ComPtr;

struct TableLine {
  std::string name;
  std::wstring objects;
  std::wstring member;
  unsigned arguments = 0;
};

std::vector<TableLine> ReadTable(int& memberLines) {
  std::ifstream file(SLEDWAY_HOST_MEMBERS);
  const std::regex line(
      R"re(inline constexpr Member (k\w+)\{"[^"]*", L"([^"]*)", L"([^"]*)"(?:, (\d+))?\};)re");
  std::vector<TableLine> table;
  memberLines = 0;
  for (std::string text; std::getline(file, text);) {
    if (text.find("inline constexpr Member ") == std::string::npos) continue;
    ++memberLines;
    std::smatch found;
    if (!std::regex_search(text, found, line)) continue;
    const auto wide = [](const std::string& narrow) {
      return std::wstring(narrow.begin(), narrow.end());
    };
    table.push_back({found[1], wide(found[2]), wide(found[3]),
                     found[4].matched ? static_cast<unsigned>(std::stoul(found[4])) : 0u});
  }
  return table;
}

// The reference's object names where the table gives a family or the test host folds two
// objects into one interface.
std::wstring TestHostInterface(const std::wstring& object) {
  static const std::map<std::wstring, std::wstring> folded{
      {L"Object", L"HostObject"},
      {L"(collection)", L"ObjectsEnumerator"},
      {L"(proxy)", L"OccurrenceMember"},
      {L"sketch curve", L"SketchEntityProxy"},
      {L"curve geometry", L"CurveGeometry"},
      {L"WorkPointProxy", L"PointEntityProxy"},
      {L"ProfileEntity3D", L"ProfileEntity"},
      {L"CommandBarControl", L"CommandControl"}};
  const auto it = folded.find(object);
  return it == folded.end() ? object : it->second;
}

ComPtr<ITypeInfo> Interface(const std::wstring& name) {
  ITypeLib& library = automation_host::TypeLibrary();
  for (UINT i = 0; i < library.GetTypeInfoCount(); ++i) {
    BSTR found = nullptr;
    if (FAILED(library.GetDocumentation(static_cast<INT>(i), &found, nullptr, nullptr, nullptr))) {
      continue;
    }
    const bool same = name == found;
    SysFreeString(found);
    ComPtr<ITypeInfo> type;
    if (same && SUCCEEDED(library.GetTypeInfo(i, &type))) return type;
  }
  return nullptr;
}

// The arguments a caller may pass to `member` of `type` (its own or inherited): from the
// required ones to all of them, a [retval] not counted. False when the type has no such member.
bool ArgumentRange(ITypeInfo& type, const std::wstring& member, unsigned& least, unsigned& most) {
  ComPtr<ITypeComp> names;
  if (FAILED(type.GetTypeComp(&names))) return false;
  std::wstring name = member;
  ComPtr<ITypeInfo> holder;
  DESCKIND kind = DESCKIND_NONE;
  BINDPTR bound{};
  const HRESULT result =
      names->Bind(name.data(), LHashValOfNameSys(SYS_WIN32, LOCALE_USER_DEFAULT, name.c_str()),
                  INVOKE_FUNC | INVOKE_PROPERTYGET, &holder, &kind, &bound);
  if (FAILED(result) || kind != DESCKIND_FUNCDESC) {
    if (kind == DESCKIND_VARDESC) holder->ReleaseVarDesc(bound.lpvardesc);
    if (kind == DESCKIND_TYPECOMP) bound.lptcomp->Release();
    return false;
  }
  least = most = 0;
  for (SHORT i = 0; i < bound.lpfuncdesc->cParams; ++i) {
    const USHORT flags = bound.lpfuncdesc->lprgelemdescParam[i].paramdesc.wParamFlags;
    if (flags & PARAMFLAG_FRETVAL) continue;
    ++most;
    if (!(flags & PARAMFLAG_FOPT)) ++least;
  }
  holder->ReleaseFuncDesc(bound.lpfuncdesc);
  return true;
}

TEST(HostMembersTest, EveryMemberTheBindingReachesIsOnTheTestHostWithItsArguments) {
  int memberLines = 0;
  const std::vector<TableLine> table = ReadTable(memberLines);
  ASSERT_GT(memberLines, 0) << "the member table was not found";
  ASSERT_EQ(table.size(), static_cast<size_t>(memberLines)) << "a table line was not understood";
  int checked = 0;
  for (const TableLine& each : table) {
    // "Point, Point2d, Vector": the member is on each of them.
    std::wstring objects = each.objects;
    for (size_t start = 0; start <= objects.size();) {
      const size_t end = std::min(objects.find(L", ", start), objects.size());
      const std::wstring object = TestHostInterface(objects.substr(start, end - start));
      start = end + 2;
      const ComPtr<ITypeInfo> type = Interface(object);
      if (!type) {
        ADD_FAILURE() << each.name << ": the test host has no interface "
                      << std::string(object.begin(), object.end());
        continue;
      }
      unsigned least = 0;
      unsigned most = 0;
      if (!ArgumentRange(*type.Get(), each.member, least, most)) {
        ADD_FAILURE() << each.name << ": the test host's "
                      << std::string(object.begin(), object.end()) << " has no member "
                      << std::string(each.member.begin(), each.member.end());
        continue;
      }
      EXPECT_TRUE(least <= each.arguments && each.arguments <= most)
          << each.name << " passes " << each.arguments << " arguments; "
          << std::string(object.begin(), object.end()) << " takes " << least << " to " << most;
      ++checked;
    }
  }
  std::printf("%zu table members, %d interface members checked\n", table.size(), checked);
}

}  // namespace
}  // namespace sledway::automation
