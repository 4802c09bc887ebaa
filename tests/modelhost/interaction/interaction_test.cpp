#include "modelhost/interaction/interaction.hpp"

#include <gtest/gtest.h>

#include <gp_Trsf.hxx>
#include <vector>

#include "host/host_error.hpp"
#include "modelhost/application/application.hpp"
#include "modelhost/component/component.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/interaction/command_manager.hpp"
#include "modelhost/part/part.hpp"

namespace sledway::model {
namespace {

// A box on the assembly: its edges, vertices and a work point are what the user points at.
class InteractionTest : public ::testing::Test {
 protected:
  InteractionTest() {
    app->SetActiveDocument(doc);
    auto part = doc->AddBoxPart("block", "40 mm", "20 mm", "10 mm");
    part->AddWorkPoint("tip", gp_Pnt(1, 1, 1));
    block = doc->AddComponent("block:1", part, gp_Trsf());
  }

  // A started interaction offering `filters`, with selection enabled.
  Ref<Interaction> Started(std::vector<IVSelectFilter> filters, bool single = true) {
    auto interaction = std::dynamic_pointer_cast<Interaction>(app->Commands()->CreateInteraction());
    interaction->SelectionEnabled(true);
    for (IVSelectFilter filter : filters)
      interaction->GetSelectEvents()->AddSelectionFilter(filter);
    interaction->GetSelectEvents()->SingleSelect(single);
    interaction->Start();
    return interaction;
  }

  static std::vector<Ref<IVObject>> Items(const Ref<IVEntityCollection>& entities) {
    std::vector<Ref<IVObject>> items;
    for (int i = 1; i <= entities->Count(); ++i) items.push_back(entities->Item(i));
    return items;
  }

  Ref<Application> app = Application::Create();
  Ref<AssemblyDocument> doc = AssemblyDocument::Create("rig");
  Ref<Component> block;
};

TEST_F(InteractionTest, OffersOnlyWhatAFilterAdmitsOnceStartedAndEnabled) {
  auto interaction = std::dynamic_pointer_cast<Interaction>(app->Commands()->CreateInteraction());
  auto events = interaction->GetSelectEvents();
  events->AddSelectionFilter(IVSelectFilter::kPartVertices);
  int raised = 0;
  bool highlightOnEntry = false;
  Ref<IVObject> offered;
  auto connection = events->OnPreSelect.Connect([&](Ref<IVObject>& entity, bool& doHighlight,
                                                    Ref<IVObjectCollection>&, IVSelectionDevice,
                                                    Ref<IVPoint>, Ref<IVPoint2d>, Ref<IVObject>) {
    ++raised;
    highlightOnEntry = doHighlight;
    offered = entity;
  });

  EXPECT_FALSE(interaction->Hover(block->Vertex(1)));  // not started
  interaction->Start();
  EXPECT_FALSE(interaction->Hover(block->Vertex(1)));  // selection not enabled
  interaction->SelectionEnabled(true);
  EXPECT_EQ(raised, 0);

  EXPECT_FALSE(interaction->Hover(block->Edge(1)));  // no filter for edges
  EXPECT_FALSE(interaction->Hover(nullptr));
  EXPECT_EQ(raised, 0);

  EXPECT_TRUE(interaction->Hover(block->Vertex(2)));
  EXPECT_EQ(raised, 1);
  EXPECT_TRUE(highlightOnEntry);
  EXPECT_EQ(offered, block->Vertex(2));
  EXPECT_EQ(interaction->Highlighted(), std::vector<Ref<IVObject>>{block->Vertex(2)});

  // Moving off to something not admitted clears the highlight.
  EXPECT_FALSE(interaction->Hover(block->WorkPoint("tip")));
  EXPECT_TRUE(interaction->Highlighted().empty());
  events->AddSelectionFilter(IVSelectFilter::kWorkPoints);
  EXPECT_TRUE(interaction->Hover(block->WorkPoint("tip")));
  interaction->Stop();
}

TEST_F(InteractionTest, HandlerDecidesWhatIsHighlightedAndClickSelectsExactlyThat) {
  auto interaction = Started({IVSelectFilter::kPartEdges});
  auto events = interaction->GetSelectEvents();
  const std::vector<Ref<IVObject>> widened = {block->Edge(3), block->Edge(1), block->Edge(2)};
  bool refuse = false;
  auto preSelect = events->OnPreSelect.Connect([&](Ref<IVObject>&, bool& doHighlight,
                                                   Ref<IVObjectCollection>& more, IVSelectionDevice,
                                                   Ref<IVPoint>, Ref<IVPoint2d>, Ref<IVObject>) {
    if (refuse) {
      doHighlight = false;
      return;
    }
    more = app->GetObjectFactory()->CreateObjectCollection();
    for (const auto& edge : widened) more->Add(edge);
  });
  std::vector<Ref<IVObject>> justSelected;
  IVSelectionDevice device{};
  int selections = 0;
  auto select = events->OnSelect.Connect([&](Ref<IVEntityCollection> entities, IVSelectionDevice by,
                                             Ref<IVPoint>, Ref<IVPoint2d>, Ref<IVObject>) {
    ++selections;
    justSelected = Items(entities);
    device = by;
  });

  EXPECT_FALSE(interaction->Click());  // nothing highlighted yet
  EXPECT_TRUE(interaction->Hover(block->Edge(1)));
  EXPECT_EQ(interaction->Highlighted(), widened);
  EXPECT_TRUE(interaction->Click());
  EXPECT_EQ(selections, 1);
  EXPECT_EQ(justSelected, widened);
  EXPECT_EQ(device, IVSelectionDevice::kProgrammatic);
  EXPECT_EQ(Items(events->GetSelectedEntities()), widened);
  // The highlight is used up by the click.
  EXPECT_FALSE(interaction->Click());

  refuse = true;
  EXPECT_FALSE(interaction->Hover(block->Edge(4)));
  EXPECT_FALSE(interaction->Click());
  EXPECT_EQ(selections, 1);
  interaction->Stop();
}

TEST_F(InteractionTest, SingleSelectionReplacesMultipleSelectionAdds) {
  auto single = Started({IVSelectFilter::kPartVertices}, true);
  single->Hover(block->Vertex(1));
  single->Click();
  single->Hover(block->Vertex(2));
  single->Click();
  EXPECT_EQ(Items(single->GetSelectEvents()->GetSelectedEntities()),
            std::vector<Ref<IVObject>>{block->Vertex(2)});

  auto multiple = Started({IVSelectFilter::kPartVertices}, false);
  for (int i : {3, 1, 3}) {
    multiple->Hover(block->Vertex(i));
    multiple->Click();
  }
  EXPECT_EQ(Items(multiple->GetSelectEvents()->GetSelectedEntities()),
            (std::vector<Ref<IVObject>>{block->Vertex(3), block->Vertex(1)}));
  multiple->Stop();
}

TEST_F(InteractionTest, StopRaisesOnTerminateOnceAndAStartStopsTheRunningOne) {
  auto first = Started({IVSelectFilter::kPartVertices});
  int firstEnded = 0;
  auto firstEnd = first->OnTerminate.Connect([&] { ++firstEnded; });
  EXPECT_EQ(app->Commands()->ActiveInteraction(), first);

  auto second = Started({IVSelectFilter::kPartVertices});
  EXPECT_EQ(firstEnded, 1);
  EXPECT_FALSE(first->Running());
  EXPECT_FALSE(first->Hover(block->Vertex(1)));
  EXPECT_EQ(app->Commands()->ActiveInteraction(), second);

  int secondEnded = 0;
  auto secondEnd = second->OnTerminate.Connect([&] { ++secondEnded; });
  second->Stop();
  second->Stop();
  first->Stop();
  EXPECT_EQ(secondEnded, 1);
  EXPECT_EQ(firstEnded, 1);
  EXPECT_EQ(app->Commands()->ActiveInteraction(), nullptr);
}

TEST_F(InteractionTest, HostKeepsARunningInteractionUntilItStops) {
  int ended = 0;
  Connection end;
  {
    auto interaction = Started({IVSelectFilter::kPartVertices});
    end = interaction->OnTerminate.Connect([&] { ++ended; });
  }
  const auto running = app->Commands()->ActiveInteraction();
  ASSERT_NE(running, nullptr);
  EXPECT_TRUE(running->Hover(block->Vertex(1)));
  Started({IVSelectFilter::kPartEdges})->Stop();
  EXPECT_EQ(ended, 1);
}

TEST_F(InteractionTest, AFailingPreSelectHandlerReachesTheCallerWithNothingHighlighted) {
  auto interaction = Started({IVSelectFilter::kPartVertices});
  bool fail = false;
  auto preSelect = interaction->GetSelectEvents()->OnPreSelect.Connect(
      [&](Ref<IVObject>&, bool&, Ref<IVObjectCollection>&, IVSelectionDevice, Ref<IVPoint>,
          Ref<IVPoint2d>, Ref<IVObject>) {
        if (fail) throw HostError(hresult::kFail, "handler failed");
      });
  EXPECT_TRUE(interaction->Hover(block->Vertex(1)));
  fail = true;
  EXPECT_THROW(interaction->Hover(block->Vertex(2)), HostError);
  EXPECT_TRUE(interaction->Highlighted().empty());
  EXPECT_FALSE(interaction->Click());
  interaction->Stop();
}

}  // namespace
}  // namespace sledway::model
