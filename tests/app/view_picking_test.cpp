#include <gmock/gmock.h>

#include <algorithm>
#include <vector>

#include "app/desktop/model_browser.hpp"
#include "host/interaction.hpp"
#include "modelhost/geometry/matrix.hpp"
#include "modelhost/interaction/interaction.hpp"
#include "modelhost/sketch/planar_sketch.hpp"
#include "select/select_path.hpp"
#include "tests/app/desktop_fixture.hpp"

namespace sledway::app::test {
namespace {

// A pick in the view of the slot sample, with the entities offered for pre-selection recorded.
class ViewPickingTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    ASSERT_TRUE(window_->OpenSample("slot"));
    Settle();
    plate_ = ComponentNamed("plate:1");
    slider_ = ComponentNamed("slider:1");
  }

  // Starts a bare interaction of the host.
  Ref<IVInteraction> StartInteraction(std::vector<IVSelectFilter> filters) {
    Ref<IVInteraction> interaction = app_->GetCommandManager()->CreateInteraction();
    for (IVSelectFilter filter : filters)
      interaction->GetSelectEvents()->AddSelectionFilter(filter);
    interaction->SelectionEnabled(true);
    Record(interaction);
    interaction->Start();
    return interaction;
  }

  void Record(const Ref<IVInteraction>& interaction) {
    connections_.push_back(interaction->GetSelectEvents()->OnPreSelect.Connect(
        [this](Ref<IVObject>& entity, auto&&...) { offered_.push_back(entity); }));
    connections_.push_back(interaction->GetSelectEvents()->OnSelect.Connect(
        [this](Ref<IVEntityCollection> selected, IVSelectionDevice, Ref<IVPoint>, Ref<IVPoint2d>,
               Ref<IVObject>) { selections_.push_back(selected); }));
    connections_.push_back(interaction->OnTerminate.Connect([this] { ++terminations_; }));
  }

  std::vector<Ref<IVObject>> Highlighted() const {
    const Ref<model::Interaction> running = app_->Commands()->ActiveInteraction();
    return running ? running->Highlighted() : std::vector<Ref<IVObject>>{};
  }

  static std::vector<Ref<IVObject>> Entities(const Ref<IVEntityCollection>& collection) {
    std::vector<Ref<IVObject>> entities;
    for (int i = 1; i <= collection->Count(); ++i) entities.push_back(collection->Item(i));
    return entities;
  }

  Ref<model::Component> plate_;
  Ref<model::Component> slider_;
  std::vector<Connection> connections_;
  std::vector<Ref<IVObject>> offered_;
  std::vector<Ref<IVEntityCollection>> selections_;
  int terminations_ = 0;
};

TEST_F(ViewPickingTest, TheMouseOnAnEdgeOffersThatEdgeAndTheChainIsHighlightedThenClicked) {
  // Edge 24 of the plate runs along the rounded slot: its tangent chain has four edges.
  const Ref<IVObject> edge = plate_->Edge(24);
  const std::vector<Ref<IVObject>> chain = Entities(plate_->Edge(24)->GetTangentChain());
  ASSERT_EQ(chain.size(), 4u);

  CSelectPath select;
  const std::vector filters{IVSelectFilter::kSketch3DDefault, IVSelectFilter::kSketchDefault,
                            IVSelectFilter::kPartEdge};
  select.Pick(app_, filters, true, true, 0, std::make_shared<CPath>(), nullptr);
  Record(app_->Commands()->ActiveInteraction());

  const QPoint onEdge = ScreenPoint(EdgeMiddle(plate_, 24));
  MoveMouse(onEdge);
  ASSERT_EQ(offered_.size(), 1u);
  EXPECT_EQ(offered_[0], edge);
  std::vector<Ref<IVObject>> highlighted = Highlighted();
  EXPECT_TRUE(
      std::is_permutation(highlighted.begin(), highlighted.end(), chain.begin(), chain.end()));
  // Moving along the same edge is no new entry.
  MoveMouse(onEdge + QPoint(1, 0));
  EXPECT_EQ(offered_.size(), 1u);

  QTest::mouseClick(&View(), Qt::LeftButton, Qt::NoModifier, onEdge + QPoint(1, 0));
  ASSERT_EQ(selections_.size(), 1u);
  EXPECT_EQ(Entities(selections_[0]), highlighted);
}

TEST_F(ViewPickingTest, OnlyWhatAFilterAdmitsIsOfferedAndAMovedComponentIsPickedWhereItStands) {
  StartInteraction({IVSelectFilter::kPartVertex});
  // An edge under the cursor is passed over for the vertex filter.
  MoveMouse(ScreenPoint(EdgeMiddle(plate_, 24)));
  EXPECT_TRUE(offered_.empty());

  slider_->SetTransformation(std::make_shared<model::Matrix>(model::Shifted(12.0, 3.0, 6.0)));
  Settle();
  MoveMouse(ScreenPoint(VertexPoint(slider_, 1)));
  ASSERT_EQ(offered_.size(), 1u);
  EXPECT_EQ(offered_[0], slider_->Vertex(1));
}

TEST_F(ViewPickingTest, EscapeStopsTheInteractionOnce) {
  const Ref<IVInteraction> interaction = StartInteraction({IVSelectFilter::kPartEdge});
  QTest::keyClick(&View(), Qt::Key_Escape);
  QTest::keyClick(&View(), Qt::Key_Escape);
  EXPECT_EQ(terminations_, 1);
  EXPECT_FALSE(As<model::Interaction>(interaction)->Running());
}

}  // namespace
}  // namespace sledway::app::test
