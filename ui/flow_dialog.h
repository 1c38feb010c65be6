// The flow conditions dialog ("流れの条件"): the Reynolds and Mach numbers
// within the ranges the solver handles, the body grids' viscosity and the
// kind of time step.  It shows the conditions it is given and, when its OK
// button is pressed, emits `accepted`; the window then applies them.
#pragma once

#include "core/flow_conditions.h"

#include <QDialog>

class QComboBox;
class QFormLayout;
class QDoubleSpinBox;

class FlowDialog : public QDialog {
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

// The row of a settings dialog's buttons, "OK" (accepts, the default) and
// "キャンセル" (rejects), at the foot of its form.
void addOkCancelRow(QDialog& dialog, QFormLayout& form);
