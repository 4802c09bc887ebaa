#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <gp_Ax3.hxx>
#include <gp_Pnt.hxx>
#include <gp_Pnt2d.hxx>
#include <gp_Trsf.hxx>
#include <string>
#include <vector>

#include "modelhost/application/application.hpp"
#include "modelhost/collections/entity_collection.hpp"
#include "modelhost/component/component.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/parameters/parameter_table.hpp"
#include "modelhost/part/part.hpp"
#include "modelhost/sketch/planar_sketch.hpp"
#include "modelhost/sketch/planar_sketch_definition.hpp"
#include "path/path_definition.hpp"
#include "platform/desktop.hpp"
#include "ui/run_sequences.hpp"
#include "ui/selection_slots.hpp"

namespace sledway::testing {

// A message box as the platform was asked to show it.
struct ShownMessage {
  std::string text;
  std::string title;
};

// A cart on a straight rail. The rail part carries a sketch with one line 100 cm long; the rail
// stands 50 cm along +Y, so the path runs from (0, 50, 0) to (100, 50, 0) cm. The cart's work
// point "pin" is the follow point. The user parameter "lift" (mm) drives nothing; the model
// parameter "height" (mm) is the cart's height. Message boxes and sleeps are recorded, never
// shown or waited.
class RunFixture : public ::testing::Test {
 protected:
  static constexpr double kPathLength = 100.0;  // cm
  static constexpr double kRailY = 50.0;        // cm

  RunFixture() {
    app_->SetActiveDocument(document_);
    document_->Parameters().AddModelParameter("height", "10 mm", "mm");
    document_->Parameters().AddUserParameter("lift", "0 mm", "mm");
    const Ref<model::Part> rail = document_->AddBoxPart("rail", "1000 mm", "20 mm", "5 mm");
    rail->AddSketch("track", gp_Ax3())->AddLine(gp_Pnt2d(0, 0), gp_Pnt2d(kPathLength, 0));
    gp_Trsf railPlacement;
    railPlacement.SetTranslation(gp_Vec(0, kRailY, 0));
    rail_ = document_->AddComponent("rail:1", rail, railPlacement);
    const Ref<model::Part> cart = document_->AddBoxPart("cart", "20 mm", "10 mm", "height");
    cart->AddWorkPoint("pin", gp_Pnt(1.0, 0.5, 0.0));
    gp_Trsf cartPlacement;
    cartPlacement.SetTranslation(gp_Vec(7, -3, 2));
    cart_ = document_->AddComponent("cart:1", cart, cartPlacement);

    StoreSlotSelection(app_, *path_, SelectionSlot::kPath,
                       Selection({rail_->Sketch("track")->Curve(1)}));
    StoreSlotSelection(app_, *path_, SelectionSlot::kFollowPoint,
                       Selection({cart_->WorkPoint("pin")}));
    // The tool window's defaults.
    path_->Steps(50);
    path_->Reps(1);
    path_->HidePath(true);
  }

  static Ref<IVEntityCollection> Selection(std::vector<Ref<IVObject>> entities) {
    return std::make_shared<model::EntityCollection>(std::move(entities));
  }

  gp_Pnt Pin() const {
    const Ref<IVPoint> point = cart_->WorkPoint("pin")->GetPoint();
    return gp_Pnt(point->X(), point->Y(), point->Z());
  }

  // Where the follow point belongs at `fraction` of the path.
  static gp_Pnt PathPoint(double fraction) { return gp_Pnt(fraction * kPathLength, kRailY, 0.0); }

  Ref<IVParameter> Parameter(const std::string& name) const {
    return document_->GetDefinition()->GetParameters()->Item(name);
  }

  void Drive(const std::string& name, double from, double to) {
    path_->Driven(name);
    path_->DriveFrom(from);
    path_->DriveTo(to);
  }

  std::vector<ShownMessage> messages_;
  std::vector<std::uint32_t> sleeps_;
  platform::ScopedDesktopServices services_{platform::DesktopServices{
      .sleep = [this](std::uint32_t milliseconds) { sleeps_.push_back(milliseconds); },
      .showMessage =
          [this](const std::string& text, const std::string& title) {
            messages_.push_back({text, title});
          },
      .yieldToMessageLoop = [] {},
  }};
  Ref<model::Application> app_ = model::Application::Create();
  Ref<model::AssemblyDocument> document_ = model::AssemblyDocument::Create("runs");
  Ref<model::Component> rail_;
  Ref<model::Component> cart_;
  Ref<CPath> path_ = std::make_shared<CPath>();
};

}  // namespace sledway::testing
