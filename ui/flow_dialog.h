// The flow conditions dialog ("流れの条件"): the Reynolds and Mach numbers
// within the ranges the solver handles, the body grids' viscosity and the
// kind of time step.  It shows the conditions it is given and, when its OK
// button is pressed, emits `accepted`; the window then applies them.
#pragma once

#include "core/flow_conditions.h"
#include "ui/settings_dialog.h"

class QComboBox;
class QDoubleSpinBox;

class FlowDialog : public SettingsDialog {
  Q_OBJECT
public:
  explicit FlowDialog(QWidget* parent);

  void setConditions(const FlowConditions& flow);
  FlowConditions conditions() const;

private:
  QDoubleSpinBox* reynolds_ = nullptr;
  QDoubleSpinBox* mach_ = nullptr;
  QComboBox* bodyViscosity_ = nullptr;
  QComboBox* timeStepping_ = nullptr;
};
