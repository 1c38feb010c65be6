#include "ui/run_length_dialog.h"

#include "run/run.h"
#include "ui/run_length_dialog_texts.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QSpinBox>

RunLengthDialog::RunLengthDialog(QWidget* parent)
    : SettingsDialog(parent, RunLengthDialogText::caption) {
  using T = RunLengthDialogText;
  steps_ = new QSpinBox(this);
  steps_->setObjectName("Steps");
  steps_->setRange(10, kMaxRunSteps);
  steps_->setSingleStep(100);
  untilSettled_ = new QCheckBox(this);
  texts_.bind(untilSettled_, &QCheckBox::setText, T::untilSettled);
  untilSettled_->setObjectName("UntilSettled");
  tolerance_ = new QDoubleSpinBox(this);
  tolerance_->setObjectName("Tolerance");
  tolerance_->setRange(0.0001, 0.5);
  tolerance_->setDecimals(4);
  tolerance_->setSingleStep(0.005);
  window_ = new QSpinBox(this);
  window_->setObjectName("Window");
  window_->setRange(10, 100'000);
  window_->setSingleStep(10);
  // The rule's settings matter only when the run may end on it.
  connect(untilSettled_, &QCheckBox::toggled, tolerance_, &QWidget::setEnabled);
  connect(untilSettled_, &QCheckBox::toggled, window_, &QWidget::setEnabled);

  addRow(T::steps, steps_);
  addRow(untilSettled_);
  addRow(T::tolerance, tolerance_);
  addRow(T::window, window_);
  addOkCancelRow();
  setRunLength({});
}

void RunLengthDialog::setRunLength(const RunLength& length) {
  steps_->setValue(length.steps);
  untilSettled_->setChecked(length.untilSettled);
  tolerance_->setValue(length.tolerance);
  window_->setValue(length.window);
  tolerance_->setEnabled(length.untilSettled);
  window_->setEnabled(length.untilSettled);
}

RunLength RunLengthDialog::runLength() const {
  return {steps_->value(), untilSettled_->isChecked(), tolerance_->value(), window_->value()};
}
