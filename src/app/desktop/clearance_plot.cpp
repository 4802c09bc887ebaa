#include "app/desktop/clearance_plot.hpp"

#include <QChart>
#include <QChartView>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineSeries>
#include <QMessageBox>
#include <QPushButton>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace sledway::app {

ClearancePlot::ClearancePlot(const std::vector<ClearanceSample>& samples, const QString& unit,
                             QWidget* parent)
    : QDialog(parent),
      samples_(samples),
      unit_(unit),
      chartView_(new QChartView(this)),
      hover_(new QLabel(this)) {
  setWindowTitle(tr("Clearance"));
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
    mark->setName(
        tr("least: %1 %2 at move %3").arg(*least->distance, 0, 'g', 7).arg(unit_).arg(least->move));
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
  chartView_->setChart(chart);
  chartView_->setRenderHint(QPainter::Antialiasing);
  chartView_->setMinimumSize(640, 400);
  connect(line, &QLineSeries::hovered, this, [this](const QPointF& point, bool state) {
    hover_->setText(state ? Describe(static_cast<int>(std::lround(point.x()))) : QString());
  });

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  QPushButton* save = buttons->addButton(tr("Save PNG..."), QDialogButtonBox::ActionRole);
  connect(save, &QPushButton::clicked, this, &ClearancePlot::ChooseFile);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(chartView_);
  layout->addWidget(hover_);
  layout->addWidget(buttons);
}

QString ClearancePlot::Describe(int move) const {
  const auto sample = std::find_if(samples_.begin(), samples_.end(),
                                   [move](const ClearanceSample& s) { return s.move == move; });
  if (sample == samples_.end() || !sample->distance) return QString();
  QString text = tr("move %1: %2 %3 from '%4' to '%5'")
                     .arg(move)
                     .arg(*sample->distance, 0, 'g', 7)
                     .arg(unit_, QString::fromStdString(sample->moving),
                          QString::fromStdString(sample->nearest));
  if (sample->contact) text += tr(", in contact");
  return text;
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
