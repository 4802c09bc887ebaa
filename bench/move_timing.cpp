// The cost of one move of a follow run through the automation binding, under Wine: the cart of
// the automation test host put on the rail's sketch profile (a line, a tangent arc and a line, as
// bench/profile_move_bench.cpp lays out over the model host) and turned along its tangent.
// Prints the host calls and the time per move. Run by hand from the build tree:
//
//   cmake/wine-run.sh build/windows/wine-session build/windows/tests/automation/move_timing.exe
//
// (after `ctest --test-dir build/windows -R wine_session_start` has started the session).

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <objbase.h>

#include <chrono>
#include <cstdio>

#include "automation/binding_session.hpp"
#include "automation/host_object.hpp"
#include "host/host.hpp"
#include "path/path_definition.hpp"
#include "platform/desktop.hpp"
#include "platform/win32/desktop_services.hpp"
#include "test_host.hpp"

using namespace sledway;

int main() {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  {
    const platform::ScopedDesktopServices services(platform::Win32DesktopServices());
    automation_host::TestHost host;
    auto session = std::make_shared<automation::Session>("{1ED471A1-4725-4827-B91F-4EE510CB2B8D}");
    const auto site = As<IVAddInSite>(session->Bind(host.Site(), automation::Role::kSite));
    const Ref<IVApplication> app = site->GetApplication();
    const auto entity = [&](const wchar_t* name) {
      return session->Bind(host.Entity(name), automation::Role::kEntity);
    };
    CPath path;
    const auto workPoint = As<IVWorkPoint>(entity(L"Cart:1/WorkPoint1"));
    path.FollowComponent(workPoint->ContainingOccurrence());
    path.FollowWorkPoint(workPoint);
    path.IsAligned(true);
    path.TangentAxis(As<IVAxis>(entity(L"Cart:1/WorkAxis1")));
    for (const wchar_t* name :
         {L"Rail:1/Sketch1/Line1", L"Rail:1/Sketch1/Arc1", L"Rail:1/Sketch1/Line2"}) {
      const Ref<IVObject> curve = entity(name);
      path.PathEnts()->Add(app, As<IVSketchEntity>(curve)->ObjectType(), curve, 0);
    }
    path.PathEnts()->SortEntityDirections();
    std::printf("path length %.12g cm\n", path.Length());

    constexpr int kMoves = 2000;
    const std::uint64_t callsBefore = automation::DispatchObject::InvokeCount();
    const auto start = std::chrono::steady_clock::now();
    for (int step = 0; step < kMoves; ++step) {
      path.MoveToPointOnPath(app, (step % 10 + 0.5) / 10);
    }
    const std::chrono::duration<double, std::micro> spent =
        std::chrono::steady_clock::now() - start;
    std::printf(
        "%d moves: %.1f host calls and %.2f us per move\n", kMoves,
        static_cast<double>(automation::DispatchObject::InvokeCount() - callsBefore) / kMoves,
        spent.count() / kMoves);
    session->LetGoOfAll();
  }
  CoUninitialize();
  return 0;
}
