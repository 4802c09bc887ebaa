#include "app/desktop/clearance_plot.hpp"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMessageBox>
#include <QPushButton>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "cli/number_text.hpp"
#include "cli/result_writers.hpp"

namespace sledway::app {
namespace {

QString FractionText(double fraction) {
  return QString::number(fraction, 'g', 12);
}

// A distance to the digits the runner prints: below them is no more than the exact distance's
// own rounding.
QString DistanceText(double distance) {
  return QString::fromStdString(cli::TrimmedText(distance, 6));
}

QString Name(const std::string& name) {
  return "'" + QString::fromStdString(name) + "'";
}

}  // namespace

ClearancePlot::ClearancePlot(const std::vector<ClearanceSample>& samples, const QString& unit,
                             QWidget* parent)
    : QDialog(parent),
      samples_(samples),
      unit_(unit),
      coverage_(
          new QLabel(tr("Clearance at the moves: the way between them is not measured."), this)),
      chartView_(new QChartView(this)),
      hover_(new QLabel(this)) {
  auto* line = new QLineSeries();
  line->setName(tr("clearance (%1)").arg(unit_));
  line->setPointsVisible(true);
  const ClearanceSample* least = nullptr;
  for (const ClearanceSample& sample : samples_) {
    if (!sample.distance) continue;
    line->append(sample.move, *sample.distance);
    if (!least || *sample.distance < *least->distance) least = &sample;
  }
  auto* chart = new QChart();
  chart->addSeries(line);
  if (least) {
    auto* mark = new QScatterSeries();
    mark->setName(tr("least: %1 %2 at move %3")
                      .arg(DistanceText(*least->distance))
                      .arg(unit_)
                      .arg(least->move));
    mark->setMarkerSize(12);
    mark->setColor(Qt::red);
    mark->append(least->move, *least->distance);
    chart->addSeries(mark);
  }
  chart->createDefaultAxes();
  if (!chart->axes(Qt::Horizontal).isEmpty())
    chart->axes(Qt::Horizontal).first()->setTitleText(tr("move"));
  if (!chart->axes(Qt::Vertical).isEmpty()) {
    chart->axes(Qt::Vertical).first()->setTitleText(tr("clearance (%1)").arg(unit_));
  }
  connect(line, &QLineSeries::hovered, this, [this](const QPointF& point, bool state) {
    hover_->setText(state ? Describe(static_cast<int>(std::lround(point.x()))) : QString());
  });
  Lay(chart);
}

ClearancePlot::ClearancePlot(const RunClearanceRecord& record, const QString& unit, QWidget* parent)
    : QDialog(parent),
      record_(record),
      unit_(unit),
      coverage_(new QLabel(
          tr("Clearance %1").arg(QString::fromStdString(cli::ClearanceCoverage(record.summary))),
          this)),
      chartView_(new QChartView(this)),
      hover_(new QLabel(this)) {
  std::vector<cli::ClearanceMeasurement>& measured = record_->measurements;
  std::stable_sort(measured.begin(), measured.end(),
                   [](const auto& a, const auto& b) { return a.fraction < b.fraction; });
  auto* chart = new QChart();
  auto* curve = new QLineSeries();
  curve->setName(tr("clearance (%1)").arg(unit_));
  auto* moves = new QScatterSeries();
  moves->setName(tr("moves"));
  moves->setMarkerSize(7);
  double top = 0.0;
  for (const cli::ClearanceMeasurement& measurement : measured) {
    const std::optional<double> distance = measurement.clearance.distance;
    if (!distance) continue;
    top = std::max(top, *distance);
    curve->append(measurement.fraction, *distance);
    if (measurement.move) moves->append(measurement.fraction, *distance);
  }
  top = top > 0.0 ? 1.05 * top : 1.0;

  // The bands go first, so that the curve is drawn over them.
  const std::vector<cli::ClearanceSummary::Contact>& contacts = record_->summary.contacts;
  std::vector<QAbstractSeries*> series;
  for (std::size_t i = 0; i < contacts.size(); ++i) {
    auto* upper = new QLineSeries(chart);
    auto* lower = new QLineSeries(chart);
    for (const double fraction : {contacts[i].first, contacts[i].last}) {
      upper->append(fraction, top);
      lower->append(fraction, 0.0);
    }
    auto* band = new QAreaSeries(upper, lower);
    band->setName(tr("contact"));
    band->setColor(QColor(255, 0, 0, 70));
    band->setBorderColor(QColor(255, 0, 0, 160));
    connect(band, &QAreaSeries::hovered, this, [this, i](const QPointF&, bool state) {
      hover_->setText(state ? DescribeContact(i) : QString());
    });
    series.push_back(band);
  }
  series.push_back(curve);
  series.push_back(moves);
  const cli::ClearanceSummary& summary = record_->summary;
  if (summary.least) {
    auto* mark = new QScatterSeries();
    mark->setName(
        tr("least: %1 %2 at fraction %3 (%4)")
            .arg(DistanceText(*summary.least))
            .arg(unit_, FractionText(summary.fraction),
                 summary.leastBetweenMoves
                     ? tr("between moves %1 and %2").arg(summary.move).arg(summary.move + 1)
                     : tr("at move %1").arg(summary.move)));
    mark->setMarkerSize(12);
    mark->setColor(Qt::red);
    mark->append(summary.fraction, *summary.least);
    series.push_back(mark);
  }
  for (QXYSeries* hovered : std::initializer_list<QXYSeries*>{curve, moves}) {
    connect(hovered, &QXYSeries::hovered, this, [this](const QPointF& point, bool state) {
      hover_->setText(state ? DescribeAt(point.x()) : QString());
    });
  }

  auto* along = new QValueAxis();
  along->setTitleText(tr("fraction of the path"));
  if (!measured.empty() && measured.front().fraction < measured.back().fraction) {
    along->setRange(measured.front().fraction, measured.back().fraction);
  }
  auto* clearance = new QValueAxis();
  clearance->setTitleText(tr("clearance (%1)").arg(unit_));
  clearance->setRange(0.0, top);
  chart->addAxis(along, Qt::AlignBottom);
  chart->addAxis(clearance, Qt::AlignLeft);
  for (QAbstractSeries* each : series) {
    chart->addSeries(each);
    each->attachAxis(along);
    each->attachAxis(clearance);
  }
  // One legend entry says what a band is.
  const QList<QLegendMarker*> markers = chart->legend()->markers();
  for (qsizetype i = 1; i < static_cast<qsizetype>(contacts.size()); ++i)
    markers[i]->setVisible(false);
  Lay(chart);
}

void ClearancePlot::Lay(QChart* chart) {
  setWindowTitle(tr("Clearance"));
  chartView_->setChart(chart);
  chartView_->setRenderHint(QPainter::Antialiasing);
  chartView_->setMinimumSize(640, 400);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  QPushButton* save = buttons->addButton(tr("Save PNG..."), QDialogButtonBox::ActionRole);
  connect(save, &QPushButton::clicked, this, &ClearancePlot::ChooseFile);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  coverage_->setWordWrap(true);
  // A long hover text wraps rather than widening the dialog under the pointer.
  hover_->setWordWrap(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(coverage_);
  layout->addWidget(chartView_);
  layout->addWidget(hover_);
  layout->addWidget(buttons);
}

QString ClearancePlot::Coverage() const {
  return coverage_->text();
}

QChart* ClearancePlot::Chart() const {
  return chartView_->chart();
}

QString ClearancePlot::Describe(int move) const {
  const auto sample = std::find_if(samples_.begin(), samples_.end(),
                                   [move](const ClearanceSample& s) { return s.move == move; });
  if (sample == samples_.end() || !sample->distance) return QString();
  QString text = tr("move %1: %2 %3 from '%4' to '%5'")
                     .arg(move)
                     .arg(DistanceText(*sample->distance))
                     .arg(unit_, QString::fromStdString(sample->moving),
                          QString::fromStdString(sample->nearest));
  if (sample->contact) text += tr(", in contact");
  return text;
}

std::pair<std::optional<std::int64_t>, std::optional<std::int64_t>> ClearancePlot::MovesAround(
    double low, double high) const {
  std::optional<double> below, above;
  std::pair<std::optional<std::int64_t>, std::optional<std::int64_t>> around;
  for (const cli::ClearanceMeasurement& measurement : record_->measurements) {
    if (!measurement.move) continue;
    const double at = measurement.fraction;
    if (at <= low && (!below || at > *below)) {
      below = at;
      around.first = measurement.move;
    }
    if (at >= high && (!above || at < *above)) {
      above = at;
      around.second = measurement.move;
    }
  }
  return around;
}

QString ClearancePlot::MovesText(double low, double high) const {
  auto [before, after] = MovesAround(low, high);
  if (before && after) {
    if (*before == *after) return tr("at move %1").arg(*before);
    if (*before > *after) std::swap(before, after);
    return tr("between moves %1 and %2").arg(*before).arg(*after);
  }
  if (before) return tr("past move %1").arg(*before);
  if (after) return tr("before move %1").arg(*after);
  return QString();
}

QString ClearancePlot::DescribeAt(double fraction) const {
  if (!record_ || record_->measurements.empty()) return QString();
  const auto nearest =
      std::min_element(record_->measurements.begin(), record_->measurements.end(),
                       [fraction](const auto& a, const auto& b) {
                         return std::abs(a.fraction - fraction) < std::abs(b.fraction - fraction);
                       });
  QString where;
  if (!nearest->move) {
    where =
        tr("fraction %1 (%2)")
            .arg(FractionText(nearest->fraction), MovesText(nearest->fraction, nearest->fraction));
  } else if (*nearest->move == 0) {
    where = tr("\"Position\", fraction %1").arg(FractionText(nearest->fraction));
  } else {
    where = tr("move %1, fraction %2").arg(*nearest->move).arg(FractionText(nearest->fraction));
  }
  const cli::MoveClearance& clearance = nearest->clearance;
  if (!clearance.distance) return where + tr(": nothing measured");
  QString text = tr("%1: %2 %3 from %4 to %5")
                     .arg(where)
                     .arg(DistanceText(*clearance.distance))
                     .arg(unit_, Name(clearance.moving), Name(clearance.nearest));
  if (clearance.contact) text += tr(", in contact");
  return text;
}

QString ClearancePlot::DescribeContact(std::size_t index) const {
  if (!record_ || index >= record_->summary.contacts.size()) return QString();
  const cli::ClearanceSummary::Contact& contact = record_->summary.contacts[index];
  const double low = std::min(contact.first, contact.last);
  const double high = std::max(contact.first, contact.last);
  return tr("%1 in contact with %2 from fraction %3 to %4, %5")
      .arg(Name(contact.moving), Name(contact.component), FractionText(contact.first),
           FractionText(contact.last), MovesText(low, high));
}

bool ClearancePlot::SavePng(const QString& file) const {
  return chartView_->grab().save(file, "PNG");
}

void ClearancePlot::ChooseFile() {
  QString file =
      QFileDialog::getSaveFileName(this, tr("Save Plot"), QString(), tr("PNG image (*.png)"));
  if (file.isEmpty()) return;
  if (!file.endsWith(".png", Qt::CaseInsensitive)) file += ".png";
  if (!SavePng(file)) {
    QMessageBox::warning(this, windowTitle(), tr("The plot could not be written to %1.").arg(file));
  }
}

}  // namespace sledway::app
