#include "ui/flow_dialog.h"

#include "gui/application_setup.h"
#include "gui/window_text.h"
#include "ui/flow_dialog_texts.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>

FlowDialog::FlowDialog(QWidget* parent) : QDialog(parent) {
  using T = FlowDialogText;
  setWindowTitle(text(T::caption));
  setFont(interfaceFont(12));
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
    for (const char* item : items) box->addItem(text(item));
    return box;
  };
  bodyViscosity_ = comboBox("BodyViscosity", T::bodyViscosityName);
  timeStepping_ = comboBox("TimeStepping", T::timeSteppingName);

  auto* form = new QFormLayout(this);
  form->addRow(text(T::reynolds), reynolds_);
  form->addRow(text(T::mach), mach_);
  form->addRow(text(T::bodyViscosity), bodyViscosity_);
  form->addRow(text(T::timeStepping), timeStepping_);
  addOkCancelRow(*this, *form);
  setConditions({});
}

void addOkCancelRow(QDialog& dialog, QFormLayout& form) {
  auto* ok = new QPushButton(text(FlowDialogText::ok), &dialog);
  ok->setObjectName("OkButton");
  ok->setDefault(true);
  auto* cancel = new QPushButton(text(FlowDialogText::cancel), &dialog);
  cancel->setObjectName("CancelButton");
  QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  form.addRow(buttons);
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
