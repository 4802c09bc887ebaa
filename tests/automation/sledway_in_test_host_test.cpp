// sledway.dll as the host meets it, under Wine: created through COM from its own manifest,
// activated by the automation test host, its button placed and clicked, the path, follow point
// and tangent edge picked through the host's selection events in the Win32 tool window,
// "Position" and a 10-step "Start/End/Start" run driving a parameter, every placement the add-in
// puts checked against the path's closed form, and deactivation leaving nothing of the binding.

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <gtest/gtest.h>
#include <objbase.h>

#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <thread>
#include <vector>

#include "affine.hpp"
#include "com_apartment.hpp"
#include "host_loading.hpp"
#include "sledway_in_test_host.hpp"
#include "test_host.hpp"

namespace sledway::automation {
namespace {

using automation_host::ActiveDocument;
using automation_host::Affine;
using automation_host::TestHost;
using automation_host::Vec3;
using Microsoft::WRL::ComPtr;
using namespace in_test_host;

constexpr double kPi = std::numbers::pi;

// The path of the scene in model space: the rail's sketch (x along the rail's X, y along its Z)
// at (1, 2, 3), the line (0,0)-(10,0), the arc about (10,5) of radius 5 from -90 to 0 degrees,
// the line (15,5)-(15,15).
constexpr double kArcLength = 5 * kPi / 2;
constexpr double kPathLength = 20 + kArcLength;

void PathAt(double s, Vec3& point, Vec3& tangent) {
  double u = 0;
  double v = 0;
  double du = 0;
  double dv = 0;
  if (s <= 10) {
    u = s;
    du = 1;
  } else if (s <= 10 + kArcLength) {
    const double angle = -kPi / 2 + (s - 10) / 5;
    u = 10 + 5 * std::cos(angle);
    v = 5 + 5 * std::sin(angle);
    du = -std::sin(angle);
    dv = std::cos(angle);
  } else {
    u = 15;
    v = 5 + (s - 10 - kArcLength);
    dv = 1;
  }
  point = {u + 1, 2, v + 3};
  tangent = {du, 0, dv};
}

void ExpectOnPathAt(const Affine& placement, double fraction) {
  Vec3 point;
  Vec3 tangent;
  PathAt(fraction * kPathLength, point, tangent);
  // The follow point is the cart's work point (1, 1, 1); its tangent edge runs along its X.
  const Vec3 follow = placement.Point({1, 1, 1});
  EXPECT_NEAR(follow.x, point.x, 1e-9) << "at fraction " << fraction;
  EXPECT_NEAR(follow.y, point.y, 1e-9) << "at fraction " << fraction;
  EXPECT_NEAR(follow.z, point.z, 1e-9) << "at fraction " << fraction;
  const Vec3 edge = placement.Direction({1, 0, 0});
  const double angle = std::atan2(automation_host::Norm(automation_host::Cross(edge, tangent)),
                                  automation_host::Dot(edge, tangent));
  EXPECT_NEAR(angle, 0.0, 1e-9) << "at fraction " << fraction;
}

using SledwayInTestHost = automation_host::ComApartment;

TEST_F(SledwayInTestHost, FromTheButtonToTheLastMoveOfARun) {
  ASSERT_EQ(TestHost::LiveObjects(), 0);
  auto owner = std::make_unique<TestHost>();
  TestHost& host = *owner;
  const com::test::ActivationContext library(SLEDWAY_DLL);
  // A host that refuses the icons as it would a picture it cannot read gets the button without
  // them (the classic host's refusal is a reload test's).
  host.RefuseIconsOnce(DISP_E_TYPEMISMATCH);
  ComPtr<IDispatch> server;
  ASSERT_NO_FATAL_FAILURE(CreateAndActivate(host, server));

  // The host shows the ribbon: the button once, on the "Sledway" panel of the assembly ribbon.
  ASSERT_EQ(host.PlacedButtons().size(), 1u);
  EXPECT_EQ(host.PlacedButtons()[0].place, L"Assembly:id_TabAssemble:id_PanelSledway");
  EXPECT_EQ(host.PlacedButtons()[0].definition, L"Sledway");
  EXPECT_EQ(host.ButtonSinks(L"Sledway"), 1u);

  host.SetActiveDocument(ActiveDocument::kPart);
  EXPECT_EQ(MessageWhile([&] { host.ExecuteButton(L"Sledway"); }),
            L"You can only create sledways in an Assembly document");

  host.SetActiveDocument(ActiveDocument::kAssembly);
  EXPECT_EQ(host.ExecuteButton(L"Sledway"), S_OK);
  HWND window = ShownWindow(L"Sledway 2.0");
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));

  ToolWindow tool(window);
  // The path: one line of the rail's profile; the whole profile is highlighted and selected.
  tool.Click(tool.Slot(L"Path"));
  ASSERT_TRUE(host.InteractionRunning());
  {
    const automation_host::Hovered path = host.Hover(host.Entity(L"Rail:1/Sketch1/Line1"));
    EXPECT_TRUE(path.offered);
    EXPECT_TRUE(path.highlighted);
    EXPECT_EQ(path.more.size(), 3u);
  }
  EXPECT_EQ(host.Click(), S_OK);
  Pump();
  EXPECT_EQ(NativeText(tool.RightOf(tool.Label(L"Length: "), L"Static")), L"278.54 mm");
  // The follow point on the cart's work point, the tangent along its straight edge.
  tool.Click(tool.Slot(L"Follow point"));
  EXPECT_EQ(host.Click(host.Entity(L"Cart:1/WorkPoint1")), S_OK);
  Pump();
  tool.Click(tool.Slot(L"Tangent edge/axis"));
  EXPECT_EQ(host.Click(host.Entity(L"Cart:1/Edge1")), S_OK);
  Pump();

  // "Position", then a 10-step "Start/End/Start" run driving d0 from 0 to 10.
  tool.Type(tool.RightOf(tool.Label(L"Steps:"), L"Edit"), L"10");
  tool.Type(tool.LeftOf(tool.Button(L"Start/End"), L"Edit", false), L"1");
  tool.Click(tool.Button(L"Start/End/Start"));
  tool.Choose(L"d0");
  tool.Type(tool.RightOf(tool.Label(L"From:"), L"Edit"), L"0");
  tool.Type(tool.RightOf(tool.Label(L"To:"), L"Edit"), L"10");
  tool.Click(tool.Button(L"Position"));
  // While the run moves the cart, the window and the rail (the path's component) are hidden.
  int movesSeen = 0;
  int movesWithSomethingShown = 0;
  host.AfterEachPlacement([&] {
    ++movesSeen;
    if (IsWindowVisible(window) || host.Visible(L"Rail:1")) ++movesWithSomethingShown;
  });
  tool.Click(tool.Button(L"Run"));
  host.AfterEachPlacement(nullptr);
  EXPECT_EQ(movesSeen, 40);
  EXPECT_EQ(movesWithSomethingShown, 0);
  EXPECT_TRUE(IsWindowVisible(window));

  // Every move puts a turn, then the placement that brings the follow point onto the path.
  const std::vector<Affine> placements = host.Placements(L"Cart:1");
  std::vector<double> fractions{0.0};
  for (int j = 1; j <= 10; ++j) fractions.push_back(j / 10.0);
  for (int j = 9; j >= 0; --j) fractions.push_back(j / 10.0);
  ASSERT_EQ(placements.size(), 2 * fractions.size());
  for (std::size_t move = 0; move < fractions.size(); ++move) {
    ExpectOnPathAt(placements[2 * move + 1], fractions[move]);
  }
  std::vector<std::wstring> driven;
  for (const auto& put : host.ExpressionPuts()) {
    if (put.parameter == L"d0") driven.push_back(put.expression);
  }
  std::vector<std::wstring> expected{L"0 mm"};
  for (int k = 1; k <= 10; ++k) expected.push_back(std::to_wstring(k) + L" mm");
  for (int k = 9; k >= 0; --k) expected.push_back(std::to_wstring(k) + L" mm");
  EXPECT_EQ(driven, expected);
  EXPECT_EQ(host.Visibilities(L"Rail:1"), (std::vector<bool>{false, true}));

  // A placement the host refuses ends the next run with the message, and nothing breaks.
  host.FailNextTransformationPut(E_FAIL, L"the cart is constrained");
  EXPECT_EQ(MessageWhile([&] { tool.Click(tool.Button(L"Run")); }),
            L"Error updating assembly, check constraints on follow component");
  EXPECT_EQ(host.Placements(L"Cart:1").size(), placements.size());

  ASSERT_EQ(Call(*server.Get(), kDeactivate, {}), S_OK);
  Pump();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(host.ButtonSinks(L"Sledway"), 0u);
  server.Reset();
  EXPECT_EQ(CanUnloadNow(), S_OK);
  // The host lets go of its scene and what it made for the add-in: an object still alive now is
  // one the add-in kept.
  owner.reset();
  EXPECT_EQ(TestHost::LiveObjects(), 0);
}

}  // namespace
}  // namespace sledway::automation
