#pragma once

#include <QDialog>
#include <QString>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "app/desktop/clearance_watch.hpp"
#include "app/desktop/run_clearance_record.hpp"

QT_BEGIN_NAMESPACE
class QChart;
class QChartView;
class QLabel;
QT_END_NAMESPACE

namespace sledway::app {

// The clearance of a run: the least value marked, the values under the pointer shown, and the
// plot saved as a PNG image. A run the watch saw is plotted against its moves, measured at the
// moves only; a run of the "Motion" panel against the fraction of the path, every measurement
// of its whole motion as the curve, the moves marked and each contact interval shaded.
class ClearancePlot : public QDialog {
  Q_OBJECT

 public:
  ClearancePlot(const std::vector<ClearanceSample>& samples, const QString& unit,
                QWidget* parent = nullptr);
  ClearancePlot(const RunClearanceRecord& record, const QString& unit, QWidget* parent = nullptr);

  // What the plot covers, as the line above it says.
  QString Coverage() const;
  // What the pointer on move `move` of a plot against the moves shows ("move 3: 1.5 mm from
  // 'shuttle:1' to 'post:1'").
  QString Describe(int move) const;
  // What the pointer at `fraction` on the curve of the whole motion shows: the measurement
  // nearest it, and where it lies among the moves.
  QString DescribeAt(double fraction) const;
  // What the pointer on the band of contact interval `index` shows: its ends and the moves it
  // lies between.
  QString DescribeContact(std::size_t index) const;
  QChart* Chart() const;
  // Writes the plot to `file` as PNG; false when it cannot be written.
  bool SavePng(const QString& file) const;

 private:
  void Lay(QChart* chart);
  void ChooseFile();
  // The moves at or before `low` and at or after `high` along the path, nearest each.
  std::pair<std::optional<std::int64_t>, std::optional<std::int64_t>> MovesAround(
      double low, double high) const;
  QString MovesText(double low, double high) const;

  std::vector<ClearanceSample> samples_;
  std::optional<RunClearanceRecord> record_;
  QString unit_;
  QLabel* coverage_;
  QChartView* chartView_;
  QLabel* hover_;
};

}  // namespace sledway::app
