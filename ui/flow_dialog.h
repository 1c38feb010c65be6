// The flow conditions dialog ("流れの条件"): the Reynolds and Mach numbers
// within the ranges the solver handles, the body grids' viscosity and the
// kind of time step, and in its group "流路" the channel: its size (or the
// classic extent), its inflow, its outlet and its ends.  It shows the conditions it is given and,
// when its OK button is pressed, emits `accepted`; the window then applies them.
#pragma once

#include "core/channel_conditions.h"
#include "core/flow_conditions.h"
#include "ui/settings_dialog.h"

class QCheckBox;
class QComboBox;
class QSpinBox;
class QDoubleSpinBox;

class FlowDialog : public SettingsDialog {
  Q_OBJECT
public:
  explicit FlowDialog(QWidget* parent);

  void setConditions(const FlowConditions& flow);
  FlowConditions conditions() const;
  // The channel shown: `channel` itself, its lengths those of `shown` (the
  // channel the grid spans) while it has no size of its own.
  void setChannel(const ChannelConditions& channel, const ChannelConditions& shown);
  ChannelConditions channel() const;

private:
  QDoubleSpinBox* reynolds_ = nullptr;
  QDoubleSpinBox* mach_ = nullptr;
  QComboBox* bodyViscosity_ = nullptr;
  QComboBox* timeStepping_ = nullptr;
  QComboBox* dissipation_ = nullptr;
  QSpinBox* fineness_ = nullptr;
  QCheckBox* channelSized_ = nullptr;
  QDoubleSpinBox* height_ = nullptr;
  QDoubleSpinBox* upstream_ = nullptr;
  QDoubleSpinBox* downstream_ = nullptr;
  QDoubleSpinBox* bodyOffset_ = nullptr;
  QComboBox* inflow_ = nullptr;
  QComboBox* outlet_ = nullptr;
  QComboBox* ends_ = nullptr;
  QDoubleSpinBox* startTime_ = nullptr;
};
