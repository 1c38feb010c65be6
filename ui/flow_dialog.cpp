#include "ui/flow_dialog.h"

#include "gui/window_text.h"
#include "ui/flow_dialog_texts.h"

#include <QComboBox>
#include <QDoubleSpinBox>

FlowDialog::FlowDialog(QWidget* parent) : SettingsDialog(parent, FlowDialogText::caption) {
  using T = FlowDialogText;
  const auto spinBox = [this](const char* name, double low, double high, int decimals,
                              double step) {
    auto* box = new QDoubleSpinBox(this);
    box->setObjectName(name);
    box->setRange(low, high);
    box->setDecimals(decimals);
    box->setSingleStep(step);
    return box;
  };
  reynolds_ = spinBox("Reynolds", kReynoldsLow, kReynoldsHigh, 2, 10);
  mach_ = spinBox("Mach", kMachLow, kMachHigh, 4, 0.01);
  const auto comboBox = [this](const char* name, const char* const(&items)[2]) {
    auto* box = new QComboBox(this);
    box->setObjectName(name);
    box->addItems({QString(), QString()});
    texts_.add(box, [box, &items] {
      for (int i = 0; i < 2; ++i) box->setItemText(i, text(items[i]));
    });
    return box;
  };
  bodyViscosity_ = comboBox("BodyViscosity", T::bodyViscosityName);
  timeStepping_ = comboBox("TimeStepping", T::timeSteppingName);

  addRow(T::reynolds, reynolds_);
  addRow(T::mach, mach_);
  addRow(T::bodyViscosity, bodyViscosity_);
  addRow(T::timeStepping, timeStepping_);
  addOkCancelRow();
  setConditions({});
}

void FlowDialog::setConditions(const FlowConditions& flow) {
  reynolds_->setValue(flow.reynolds);
  mach_->setValue(flow.mach);
  bodyViscosity_->setCurrentIndex(static_cast<int>(flow.bodyViscosity));
  timeStepping_->setCurrentIndex(static_cast<int>(flow.timeStepping));
}

FlowConditions FlowDialog::conditions() const {
  return {reynolds_->value(), mach_->value(),
          static_cast<BodyViscosity>(bodyViscosity_->currentIndex()),
          static_cast<TimeStepping>(timeStepping_->currentIndex())};
}
