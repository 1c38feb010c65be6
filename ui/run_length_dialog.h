// The run-length dialog ("計算の長さ"): how many steps a press of the start or
// continue button computes (300 unless changed), and whether the run ends
// earlier once every body's mean drag has settled, by the rule the batch's
// --until-settled uses (analysis/force_history.h).  It shows the run length
// it is given and, when its OK button is pressed, emits `accepted`.
#pragma once

#include "core/model.h"
#include "ui/settings_dialog.h"

class QCheckBox;
class QDoubleSpinBox;
class QSpinBox;

class RunLengthDialog : public SettingsDialog {
  Q_OBJECT
public:
  explicit RunLengthDialog(QWidget* parent);

  void setRunLength(const RunLength& length);
  RunLength runLength() const;

private:
  QSpinBox* steps_ = nullptr;
  QCheckBox* untilSettled_ = nullptr;
  QDoubleSpinBox* tolerance_ = nullptr;
  QSpinBox* window_ = nullptr;
};
