// The layout dialog: a modeless tool window beside the main window
// through which the user edits the layout with step buttons.  Every change is
// applied at once: the layout changes, the grids are made again and the
// outline picture is redrawn.  Changes go to every column ("全体") or to the
// selected column only ("選択列ごと").  The user cannot close it; the main
// window shows and hides it with its control mode.
#pragma once

#include "gui/translated_texts.h"
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

  // The object names of the shape choices, by shape code (core/model.h).
  static constexpr const char* shapeChoiceName[5] = {
      "circleChoice", "squareChoice", "triangleChoice", "plateChoice", "ellipseChoice"};

  // "全体" chosen in the "設定" group (else "選択列ごと").
  bool wholeLayoutChosen() const;
  // Every field, the shape and the mode show the layout record and the
  // selected column as they stand.  Nothing is regenerated: showing the
  // layout never changes it.
  void showLayout();

public slots:
  // Step buttons: each changes the affected columns and makes the grids again.
  // One more body in each affected column ("個数" up).
  void onAddBody();
  // One body fewer in each affected column.
  void onRemoveBody();
  // The spacing across the channel ("上下間隔") one step wider.
  void onSpacingUp();
  // The spacing one step narrower.
  void onSpacingDown();
  // The typed size ("大きさ") one step smaller, for every body affected.
  void onSizeDown();
  // The typed size one step larger.
  void onSizeUp();
  // The typed turn ("回転") of the bodies one degree further.
  void onTurnUp();
  // The typed turn one degree back.
  void onTurnDown();
  // The turn of the whole arrangement ("全体の回転") one degree back.
  void onArrangementTurnDown() { turnArrangement(-1); }
  // The turn of the whole arrangement one degree further.
  void onArrangementTurnUp() { turnArrangement(+1); }
  // One more column ("列数") at the end, shaped like the last.
  void onAddColumn();
  // One column fewer (the last; one always stays).
  void onRemoveColumn();
  // The ellipses' axis ratio one step larger.
  void onRatioUp();
  // The ellipses' axis ratio one step smaller.
  void onRatioDown();
  // A shape ("形状") chosen for the selected column, or for all.
  void onShapeChosen(int code);
  // "全体" (index 0) or "選択列ごと" (1) chosen in "設定".
  void onScopeChosen(int index);

protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  // The controls, group by group (layout_dialog_controls.cpp).
  void buildScopeChoice();
  void buildShapeChoice();
  void buildEllipseRatioControls();
  // The number of bodies and the spacing of a column.
  void buildColumnControls();
  // The size and the turn of the bodies.
  void buildBodyControls();
  // The turn of the whole arrangement and the number of columns.
  void buildArrangementControls();
  // A caption above its controls: where it has always stood in Japanese; in
  // English, whose words differ in width, centred on the controls' middle.
  void addCaption(const char* name, const char* caption, int x, int y, int middle);
  // A value field; only the size and the turn are typed into.
  void addValueField(QLineEdit* LayoutDialog::*field, const char* name, const char* tip, int x,
                     int y, int width, bool typed);
  // A step button: up or right for more, down or left for less.
  QToolButton* addStepButton(const char* name, void (LayoutDialog::*handler)(), int x, int y,
                             int width, Qt::ArrowType arrow);
  // The dialog shown: its fields and the picture show the layout on screen.
  void showLayoutOnOpening();
  // Every text in the interface's language: at construction and again when
  // the language changes.
  void retranslateUi();
  // "選択列：n" under the mode choice.
  void showSelectedColumn();
  // The ellipses' ratio: its field and step buttons, shown or hidden.
  void showEllipseRatio(bool shown);
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
  QButtonGroup* shapeGroup_ = nullptr;    // "形状": ids are the shape codes
  QButtonGroup* scopeGroup_ = nullptr;    // "設定": 0 "全体", 1 "選択列ごと"
  QLabel* selectedColumnLabel_ = nullptr; // "選択列：n" in the column mode
  // The values of the selected column (the first body's size and turn), and
  // of the whole layout.
  QLineEdit* bodyCountEdit_ = nullptr;
  QLineEdit* spacingEdit_ = nullptr;
  QLineEdit* sizeEdit_ = nullptr;
  QLineEdit* turnEdit_ = nullptr;
  QLineEdit* arrangementTurnEdit_ = nullptr;
  QLineEdit* columnCountEdit_ = nullptr;
  QLineEdit* ratioEdit_ = nullptr;
  // The ellipses' ratio's step buttons, shown with its field.
  QToolButton* ratioDownButton_ = nullptr;
  QToolButton* ratioUpButton_ = nullptr;
  TranslatedTexts texts_;
};
