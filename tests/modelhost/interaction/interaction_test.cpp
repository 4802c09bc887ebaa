#include "modelhost/interaction/interaction.hpp"

#include <vector>

#include "../model_test_helpers.hpp"
#include "host/host_error.hpp"
#include "modelhost/interaction/command_manager.hpp"

namespace sledway::model {
namespace {

// A box on the assembly: its edges and vertices are what the user points at.
class InteractionTest : public ::testing::Test, protected ModelAssembly {
 protected:
  InteractionTest() {
    block = doc->AddComponent("block:1", doc->AddBoxPart("block", "40 mm", "20 mm", "10 mm"),
                              gp_Trsf());
  }

  // An interaction offering vertices; started with selection enabled unless said otherwise.
  Ref<Interaction> Vertices(bool start = true) {
    auto interaction = std::dynamic_pointer_cast<Interaction>(app->Commands()->CreateInteraction());
    interaction->GetSelectEvents()->AddSelectionFilter(IVSelectFilter::kPartVertex);
    interaction->GetSelectEvents()->SingleSelect(true);
    if (start) {
      interaction->SelectionEnabled(true);
      interaction->Start();
    }
    return interaction;
  }

  Ref<Component> block;
};

TEST_F(InteractionTest, OffersOnlyWhatAFilterAdmitsOnceStartedAndEnabled) {
  auto interaction = Vertices(false);
  int raised = 0;
  bool fail = false;
  auto preSelect = interaction->GetSelectEvents()->OnPreSelect.Connect([&](auto&&...) {
    ++raised;
    if (fail) throw HostError(hresult::kFail, "handler failed");
  });
  EXPECT_FALSE(interaction->Hover(block->Vertex(1)));  // not started
  interaction->Start();
  EXPECT_FALSE(interaction->Hover(block->Vertex(1)));  // selection not enabled
  interaction->SelectionEnabled(true);
  EXPECT_FALSE(interaction->Hover(nullptr));
  EXPECT_EQ(raised, 0);

  EXPECT_TRUE(interaction->Hover(block->Vertex(2)));
  EXPECT_EQ(raised, 1);
  EXPECT_EQ(interaction->Highlighted(), std::vector<Ref<IVObject>>{block->Vertex(2)});
  // Moving off to something no filter admits clears the highlight.
  EXPECT_FALSE(interaction->Hover(block->Edge(1)));
  EXPECT_EQ(raised, 1);
  EXPECT_TRUE(interaction->Highlighted().empty());
  // A failing handler reaches the caller, with nothing highlighted to click.
  ASSERT_TRUE(interaction->Hover(block->Vertex(2)));
  fail = true;
  EXPECT_THROW(interaction->Hover(block->Vertex(3)), HostError);
  EXPECT_FALSE(interaction->Click());
  interaction->Stop();
}

TEST_F(InteractionTest, TheHostKeepsTheRunningOneUntilItStopsOrAnotherStarts) {
  int firstEnded = 0, secondEnded = 0;
  Connection firstEnd;
  {
    auto first = Vertices();
    firstEnd = first->OnTerminate.Connect([&] { ++firstEnded; });
  }
  const Ref<Interaction> first = app->Commands()->ActiveInteraction();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->Hover(block->Vertex(1)));

  auto second = Vertices();
  EXPECT_EQ(firstEnded, 1);
  EXPECT_FALSE(first->Hover(block->Vertex(1)));
  EXPECT_EQ(app->Commands()->ActiveInteraction(), second);
  auto secondEnd = second->OnTerminate.Connect([&] { ++secondEnded; });
  second->Stop();
  second->Stop();
  first->Stop();
  EXPECT_EQ(secondEnded, 1);
  EXPECT_EQ(firstEnded, 1);
  EXPECT_EQ(app->Commands()->ActiveInteraction(), nullptr);
}

}  // namespace
}  // namespace sledway::model
