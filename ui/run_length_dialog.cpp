#include "ui/run_length_dialog.h"

#include "gui/application_setup.h"
#include "gui/window_text.h"
#include "run/run.h"
#include "ui/flow_dialog.h"
#include "ui/run_length_dialog_texts.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QSpinBox>

RunLengthDialog::RunLengthDialog(QWidget* parent) : QDialog(parent) {
  using T = RunLengthDialogText;
  setWindowTitle(text(T::caption));
  setFont(interfaceFont(12));
  steps_ = new QSpinBox(this);
  steps_->setObjectName("Steps");
  steps_->setRange(10, kMaxRunSteps);
  steps_->setSingleStep(100);
  untilSettled_ = new QCheckBox(text(T::untilSettled), this);
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

  auto* form = new QFormLayout(this);
  form->addRow(text(T::steps), steps_);
  form->addRow(untilSettled_);
  form->addRow(text(T::tolerance), tolerance_);
  form->addRow(text(T::window), window_);
  addOkCancelRow(*this, *form);
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
