#pragma once

#include <QWidget>
#include <functional>
#include <optional>

#include "app/desktop/motion_run.hpp"
#include "host/object.hpp"
#include "modelhost/files/suggested_run.hpp"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace sledway::app {

// The "Motion" panel: the desktop's own run of the path the assembly suggests, with a roll, a
// speed profile and a train of followers. "Run" is enabled only for an assembly that suggests a
// run; a recording armed with File > "Record run..." records it.
class MotionPanel : public QWidget {
  Q_OBJECT

 public:
  // `run` makes the run with the settings and reports what became of it; a failure it throws
  // is shown as a message and leaves the fields as they are.
  MotionPanel(std::function<QString(const model::SuggestedRun&, const MotionSettings&)> run,
              QWidget* parent = nullptr);

  // The assembly shown and the run it suggests (none for a STEP assembly).
  void SetSuggestedRun(const std::optional<model::SuggestedRun>& suggested);
  MotionSettings Settings() const;
  // As a click of "Run" does.
  void Run();

  QComboBox* Roll() const { return roll_; }
  QLineEdit* Up() const { return up_; }
  QComboBox* Profile() const { return profile_; }
  QLineEdit* Ramp() const { return ramp_; }
  QLineEdit* Train() const { return train_; }
  QLineEdit* TrainFollow() const { return trainFollow_; }
  QSpinBox* Steps() const { return steps_; }
  QPushButton* RunButton() const { return runButton_; }
  QLabel* Outcome() const { return outcome_; }

 private:
  void EnableFields();

  std::function<QString(const model::SuggestedRun&, const MotionSettings&)> run_;
  std::optional<model::SuggestedRun> suggested_;
  QComboBox* roll_;
  QLineEdit* up_;
  QComboBox* profile_;
  QLineEdit* ramp_;
  QLineEdit* train_;
  QLineEdit* trainFollow_;
  QSpinBox* steps_;
  QPushButton* runButton_;
  QLabel* outcome_;
};

}  // namespace sledway::app
