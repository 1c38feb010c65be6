#include "ui/flow_dialog.h"

#include "gui/window_text.h"
#include "ui/flow_dialog_texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>

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
  dissipation_ = comboBox("Dissipation", T::dissipationName);
  fineness_ = new QSpinBox(this);
  fineness_->setObjectName("Fineness");
  fineness_->setRange(kFinenessLow, kFinenessHigh);

  channelSized_ = new QCheckBox(this);
  channelSized_->setObjectName("ChannelSized");
  texts_.bind(channelSized_, &QCheckBox::setText, T::channelSized);
  height_ = spinBox("ChannelHeight", kChannelLengthLow, kChannelLengthHigh, 3, 1.25);
  upstream_ = spinBox("ChannelUpstream", kChannelLengthLow, kChannelLengthHigh, 3, 1.25);
  downstream_ = spinBox("ChannelDownstream", kChannelLengthLow, kChannelLengthHigh, 3, 1.25);
  bodyOffset_ = spinBox("ChannelBodyOffset", -kChannelLengthHigh, kChannelLengthHigh, 3, 1.25);
  inflow_ = comboBox("ChannelInflow", T::inflowName);
  outlet_ = comboBox("ChannelOutlet", T::outletName);
  ends_ = comboBox("ChannelEnds", T::endsName);
  startTime_ = spinBox("ChannelStartTime", 0, kStartTimeHigh, 2, 1);
  // The lengths count only for a channel given its size.
  for (QDoubleSpinBox* box : {height_, upstream_, downstream_, bodyOffset_})
    connect(channelSized_, &QCheckBox::toggled, box, &QWidget::setEnabled);
  // The flow-speed dissipation holds the sound waves only from Mach 0.05 on.
  connect(dissipation_, &QComboBox::currentIndexChanged, mach_, [this](int index) {
    mach_->setMinimum(static_cast<Dissipation>(index) == Dissipation::flowSpeed
                          ? kFlowSpeedDissipationMachLow
                          : kMachLow);
  });

  addRow(T::reynolds, reynolds_);
  addRow(T::mach, mach_);
  addRow(T::bodyViscosity, bodyViscosity_);
  addRow(T::timeStepping, timeStepping_);
  addRow(T::dissipation, dissipation_);
  addRow(T::fineness, fineness_);
  auto* channel = new QGroupBox(this);
  channel->setObjectName("Channel");
  texts_.bind(channel, &QGroupBox::setTitle, T::channel);
  auto* channelForm = new QFormLayout(channel);
  channelForm->addRow(channelSized_);
  const std::pair<const char*, QWidget*> channelRows[] = {{T::channelHeight, height_},
                                                          {T::channelUpstream, upstream_},
                                                          {T::channelDownstream, downstream_},
                                                          {T::channelBodyOffset, bodyOffset_},
                                                          {T::inflow, inflow_},
                                                          {T::outlet, outlet_},
                                                          {T::ends, ends_},
                                                          {T::startTime, startTime_}};
  for (const auto& [caption, field] : channelRows) {
    auto* label = new QLabel(channel);
    texts_.bind(label, &QLabel::setText, caption);
    channelForm->addRow(label, field);
  }
  addRow(channel);
  addOkCancelRow();
  setConditions({});
  setChannel({}, {});
}

void FlowDialog::setConditions(const FlowConditions& flow) {
  reynolds_->setValue(flow.reynolds);
  // The dissipation first: it sets the smallest Mach number the box takes.
  dissipation_->setCurrentIndex(static_cast<int>(flow.dissipation));
  mach_->setValue(flow.mach);
  bodyViscosity_->setCurrentIndex(static_cast<int>(flow.bodyViscosity));
  timeStepping_->setCurrentIndex(static_cast<int>(flow.timeStepping));
  fineness_->setValue(flow.fineness);
}

FlowConditions FlowDialog::conditions() const {
  return {reynolds_->value(),
          mach_->value(),
          static_cast<BodyViscosity>(bodyViscosity_->currentIndex()),
          static_cast<TimeStepping>(timeStepping_->currentIndex()),
          fineness_->value(),
          static_cast<Dissipation>(dissipation_->currentIndex())};
}

void FlowDialog::setChannel(const ChannelConditions& channel, const ChannelConditions& shown) {
  const ChannelConditions& lengths = channel.sized ? channel : shown;
  channelSized_->setChecked(channel.sized);
  for (QDoubleSpinBox* box : {height_, upstream_, downstream_, bodyOffset_})
    box->setEnabled(channel.sized);
  height_->setValue(lengths.height);
  upstream_->setValue(lengths.upstream);
  downstream_->setValue(lengths.downstream);
  bodyOffset_->setValue(lengths.bodyOffset);
  inflow_->setCurrentIndex(static_cast<int>(channel.inflow));
  outlet_->setCurrentIndex(static_cast<int>(channel.outlet));
  ends_->setCurrentIndex(static_cast<int>(channel.ends));
  startTime_->setValue(channel.startTime);
}

ChannelConditions FlowDialog::channel() const {
  ChannelConditions c;
  c.sized = channelSized_->isChecked();
  if (c.sized) {
    c.height = height_->value();
    c.upstream = upstream_->value();
    c.downstream = downstream_->value();
    c.bodyOffset = bodyOffset_->value();
  }
  c.inflow = static_cast<ChannelInflow>(inflow_->currentIndex());
  c.outlet = static_cast<ChannelOutlet>(outlet_->currentIndex());
  c.ends = static_cast<ChannelEnds>(ends_->currentIndex());
  c.startTime = startTime_->value();
  return c;
}
