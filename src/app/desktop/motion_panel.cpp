#include "app/desktop/motion_panel.hpp"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <exception>

#include "platform/desktop.hpp"
#include "ui/run_sequences.hpp"

namespace sledway::app {

MotionPanel::MotionPanel(
    std::function<QString(const model::SuggestedRun&, const MotionSettings&)> run, QWidget* parent)
    : QWidget(parent),
      run_(std::move(run)),
      roll_(new QComboBox(this)),
      up_(new QLineEdit("0,0,1", this)),
      profile_(new QComboBox(this)),
      ramp_(new QLineEdit("0.25", this)),
      train_(new QLineEdit(this)),
      trainFollow_(new QLineEdit(this)),
      steps_(new QSpinBox(this)),
      runButton_(new QPushButton(tr("Run"), this)),
      outcome_(new QLabel(this)) {
  roll_->addItems({"add-in", "minimal", "up"});
  roll_->setToolTip(
      tr("How the component rolls about the path's tangent: the add-in's own least "
         "turn, the rotation-minimising frame, or its up axis kept in the plane "
         "of the tangent and the up vector"));
  up_->setToolTip(tr("The up vector X,Y,Z"));
  profile_->addItems({"linear", "ease", "trapezoid"});
  profile_->setToolTip(tr("How the moves are spread over the path"));
  ramp_->setToolTip(
      tr("The fraction of the travel over which the trapezoid speeds up, and "
         "slows down at the end (more than 0, at most 0.5)"));
  train_->setPlaceholderText(tr("carriage:2:40 carriage:3:80"));
  train_->setToolTip(
      tr("Further components NAME:DISTANCE that follow at that distance behind "
         "the moving one, in the document's unit or with a unit (30 mm)"));
  trainFollow_->setPlaceholderText(tr("the leader's follow point on each"));
  trainFollow_->setToolTip(
      tr("Each follower's follow point, a vertex or work point, in the order of the "
         "train"));
  steps_->setRange(1, 100000);
  steps_->setValue(50);
  outcome_->setWordWrap(true);
  auto* form = new QFormLayout(this);
  form->addRow(tr("Roll"), roll_);
  form->addRow(tr("Up vector"), up_);
  form->addRow(tr("Profile"), profile_);
  form->addRow(tr("Ramp"), ramp_);
  form->addRow(tr("Train"), train_);
  form->addRow(tr("Follow points"), trainFollow_);
  form->addRow(tr("Steps"), steps_);
  form->addRow(runButton_);
  form->addRow(outcome_);
  connect(roll_, &QComboBox::currentTextChanged, this, &MotionPanel::EnableFields);
  connect(profile_, &QComboBox::currentTextChanged, this, &MotionPanel::EnableFields);
  connect(runButton_, &QPushButton::clicked, this, &MotionPanel::Run);
  SetSuggestedRun(std::nullopt);
}

void MotionPanel::SetSuggestedRun(const std::optional<model::SuggestedRun>& suggested) {
  suggested_ = suggested;
  outcome_->setText(suggested ? QString() : tr("This assembly suggests no run."));
  EnableFields();
}

void MotionPanel::EnableFields() {
  up_->setEnabled(roll_->currentText() == "up");
  ramp_->setEnabled(profile_->currentText() == "trapezoid");
  runButton_->setEnabled(suggested_.has_value());
}

MotionSettings MotionPanel::Settings() const {
  MotionSettings settings;
  settings.roll = roll_->currentText().toStdString();
  settings.up = up_->text().trimmed().toStdString();
  settings.profile = profile_->currentText().toStdString();
  settings.ramp = ramp_->text().trimmed().toStdString();
  for (const QString& word : train_->text().split(' ', Qt::SkipEmptyParts)) {
    settings.train.push_back(word.toStdString());
  }
  for (const QString& word : trainFollow_->text().split(' ', Qt::SkipEmptyParts)) {
    settings.trainFollow.push_back(word.toStdString());
  }
  settings.steps = steps_->value();
  return settings;
}

void MotionPanel::Run() {
  if (!suggested_) return;
  // A second click while the run yields to the message loop must not start another.
  runButton_->setEnabled(false);
  try {
    outcome_->setText(run_(*suggested_, Settings()));
  } catch (const std::exception& error) {
    outcome_->clear();
    platform::ShowMessage(error.what(), kMessageTitle);
  }
  EnableFields();
}

}  // namespace sledway::app
