#include <gmock/gmock.h>

#include <QAreaSeries>
#include <QChart>
#include <QLabel>
#include <QLineSeries>
#include <QSpinBox>
#include <fstream>

#include "app/desktop/clearance_plot.hpp"
#include "app/desktop/motion_panel.hpp"
#include "modelhost/geometry/matrix.hpp"
#include "tests/app/desktop_fixture.hpp"
#include "tests/cli/whole_motion_scenes.hpp"

namespace sledway::app::test {
namespace {

using cli::test::kDefaultTolerance;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

class WholeMotionPlotTest : public DesktopTest {
 protected:
  // The panel's run in `steps` with the watch on.
  void RunPanel(int steps) {
    RepaintAtEachYield();
    window_->Watch().SetEnabled(true);
    window_->Motion().Steps()->setValue(steps);
    window_->Motion().Run();
    EXPECT_EQ(window_->Motion().Outcome()->text(), QString("%1 moves made.").arg(steps));
  }
};

// The plate passes through the post between moves 5 and 6 of 10, touching it from its front
// face 1 mm ahead of the corner reaching x = 54.5 to the corner leaving x = 55.5, each within
// the tolerance; at move k the gap is 53.5 - 10k before the post and 10k - 55.5 past it.
TEST_F(WholeMotionPlotTest, APanelRunPlotsTheContactBetweenMovesAndTheWatchKeepsOnlyItsMoves) {
  const std::string file = settingsDir_.filePath("plate.json").toStdString();
  std::ofstream(file) << cli::test::kPlateAndPost;
  ASSERT_TRUE(window_->OpenFile(file));
  RunPanel(10);
  const auto gap = [](double k) { return k <= 5 ? 53.5 - 10.0 * k : 10.0 * k - 55.5; };

  const std::vector<ClearanceSample>& samples = window_->Watch().Samples();
  ASSERT_EQ(samples.size(), 10u);
  for (const ClearanceSample& sample : samples) {
    EXPECT_NEAR(*sample.distance, gap(sample.move), 1e-9) << sample.move;
  }
  ASSERT_TRUE(window_->Watch().WholeMotion());
  const RunClearanceRecord record = *window_->Watch().WholeMotion();
  int moves = 0;
  for (const cli::ClearanceMeasurement& measured : record.measurements) {
    if (!measured.move) continue;
    EXPECT_NEAR(measured.fraction, *measured.move / 10.0, 1e-15);
    EXPECT_NEAR(*measured.clearance.distance, gap(*measured.move), 1e-9) << *measured.move;
    ++moves;
  }
  EXPECT_EQ(moves, 11);  // "Position" and the ten moves
  // Every measurement is on the curve: on the way between moves and halving the contact's ends.
  EXPECT_EQ(static_cast<std::int64_t>(record.measurements.size()), record.summary.measurements);

  const ClearancePlot plot(record, "mm");
  EXPECT_THAT(plot.Coverage().toStdString(), StartsWith("Clearance over the whole motion, "));
  std::vector<QAreaSeries*> bands;
  for (QAbstractSeries* series : plot.Chart()->series()) {
    if (auto* band = qobject_cast<QAreaSeries*>(series)) bands.push_back(band);
  }
  ASSERT_EQ(bands.size(), 1u);
  const QList<QPointF> ends = bands[0]->upperSeries()->points();
  ASSERT_EQ(ends.size(), 2);
  EXPECT_NEAR(ends[0].x(), (53.5 - kDefaultTolerance) / 100.0, 1e-9);
  EXPECT_NEAR(ends[1].x(), (55.5 + kDefaultTolerance) / 100.0, 1e-9);
  const std::string band = plot.DescribeContact(0).toStdString();
  EXPECT_THAT(band, StartsWith("'plate:1' in contact with 'post:1' from fraction 0.53499"));
  EXPECT_THAT(band, EndsWith(", between moves 5 and 6"));
  EXPECT_EQ(plot.DescribeAt(0.5).toStdString(),
            "move 5, fraction 0.5: 3.5 mm from 'plate:1' to 'post:1'");

  // A move the panel did not make begins a run of its own, plotted at its moves.
  gp_Trsf placement;
  placement.SetTranslation(gp_Vec(2.0, 0.0, 0.0));
  ComponentNamed("plate:1")->SetTransformation(std::make_shared<model::Matrix>(placement));
  Settle();
  EXPECT_EQ(window_->Watch().Samples().size(), 1u);
  EXPECT_FALSE(window_->Watch().WholeMotion());
  EXPECT_THAT(ClearancePlot(window_->Watch().Samples(), "mm").Coverage().toStdString(),
              StartsWith("Clearance at the moves"));

  // In four steps round the coil the carriage stands turned too far from the earlier move for
  // a bound on some stretches: the plot says which are at their moves and why.
  ASSERT_TRUE(window_->OpenSample("coil"));
  RunPanel(4);
  ASSERT_TRUE(window_->Watch().WholeMotion());
  EXPECT_THAT(ClearancePlot(*window_->Watch().WholeMotion(), "mm").Coverage().toStdString(),
              StartsWith("Clearance over the whole motion but 4 stretches between moves, measured "
                         "at their moves only (a member stood turned too far"));
}

}  // namespace
}  // namespace sledway::app::test
