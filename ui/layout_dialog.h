// The layout dialog (TForm2): a modeless tool window beside the main window
// through which the user edits the layout with step buttons.  Every change is
// applied at once: the layout changes, the grids are made again and the
// outline picture is redrawn.  Changes go to every column ("全体") or to the
// selected column only ("選択列ごと").  The user cannot close it; the main
// window shows and hides it with its control mode.
#pragma once

#include "ui/layout_history.h"

#include <QWidget>

class MainWindow;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QToolButton;
struct Model;

class LayoutDialog : public QWidget {
  Q_OBJECT
public:
  explicit LayoutDialog(MainWindow& window);

  // "全体" chosen in the "設定" group (else "選択列ごと").
  bool wholeLayoutChosen() const;
  // Every field, the shape and the mode show the layout record and the
  // selected column as they stand.  Nothing is regenerated: showing the
  // layout never changes it.
  void showLayout();

public slots:
  void onAddBody();
  void onRemoveBody();
  void onSpacingUp();
  void onSpacingDown();
  void onSizeDown();
  void onSizeUp();
  void onTurnUp();
  void onTurnDown();
  void onArrangementTurnDown() { turnArrangement(-1); }
  void onArrangementTurnUp() { turnArrangement(+1); }
  void onAddColumn();
  void onRemoveColumn();
  void onRatioUp();
  void onRatioDown();
  void onShapeChosen(int code);
  void onScopeChosen(int index);

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  void showLayoutOnOpening();
  Model& model();
  // The columns a change applies to: 1..nColumns, or the selected one.
  int firstAffected();
  int lastAffected();
  void stepSize(int delta);
  void stepTurn(int delta);
  void turnArrangement(int delta);
  void stepRatio(double delta);
  // Ends a change: the layout refresh; after a refusal every field shows the
  // layout that was kept.  A change taken is one step of the layout's
  // history; repeated steps of one field merge into one.
  void refresh(LayoutStep step);

  MainWindow& window_;
  QButtonGroup* radioGroup1_ = nullptr;
  QButtonGroup* radioGroup2_ = nullptr;
  QLabel* selectedColumnLabel_ = nullptr; // "選択列：n" in the column mode
  QLineEdit* edit_[8] = {};
  QToolButton* bitBtn_[15] = {};
};
