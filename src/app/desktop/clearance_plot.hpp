#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "app/desktop/clearance_watch.hpp"

QT_BEGIN_NAMESPACE
class QChartView;
class QLabel;
QT_END_NAMESPACE

namespace sledway::app {

// The clearance of a run against its moves: the least value marked, the values of a move shown
// as the pointer rests on it, and the plot saved as a PNG image.
class ClearancePlot : public QDialog {
  Q_OBJECT

 public:
  ClearancePlot(const std::vector<ClearanceSample>& samples, const QString& unit,
                QWidget* parent = nullptr);

  // What the pointer on move `move` shows ("move 3: 1.5 mm to 'post:1'").
  QString Describe(int move) const;
  // Writes the plot to `file` as PNG; false when it cannot be written.
  bool SavePng(const QString& file) const;

 private:
  void ChooseFile();

  std::vector<ClearanceSample> samples_;
  QString unit_;
  QChartView* chartView_;
  QLabel* hover_;
};

}  // namespace sledway::app
