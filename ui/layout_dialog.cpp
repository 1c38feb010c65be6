#include "ui/layout_dialog.h"

#include "core/model.h"
#include "gui/application_setup.h"
#include "gui/window_text.h"
#include "layout/grid_making.h"
#include "layout/layout_editing.h"
#include "ui/layout_dialog_texts.h"
#include "ui/main_window.h"
#include "ui/number_text.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QToolButton>

#include <optional>

LayoutDialog::LayoutDialog(MainWindow& window)
    : QWidget(&window, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), window_(window) {
  texts_.bind(this, &QWidget::setWindowTitle, LayoutDialogText::caption);
  setFont(interfaceFont(12));
  // Two pixels below the group frames as above them, so that their bottom
  // lines do not run into the window's edge.
  setGeometry(224, 162, 547, 86);
  setFixedSize(547, 86);
  keepInsideScreen(this);

  // Made in this order, which is also the order Tab follows
  // (layout_dialog_controls.cpp).
  buildScopeChoice();
  buildShapeChoice();
  buildEllipseRatioControls();
  buildColumnControls();
  buildBodyControls();
  buildArrangementControls();

  // The ellipse ratio shows only while "楕円" is chosen.
  showEllipseRatio(false);

  // A group's handler runs when its choice changes, by the user or by the
  // program.
  connect(shapeGroup_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
    if (on) onShapeChosen(id);
  });
  connect(scopeGroup_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
    if (on) onScopeChosen(id);
  });
}

Model& LayoutDialog::model() {
  return window_.model();
}

bool LayoutDialog::wholeLayoutChosen() const {
  return scopeGroup_->checkedId() == 0;
}

int LayoutDialog::firstAffected() {
  return wholeLayoutChosen() ? 1 : model().editing.selectedColumn;
}
int LayoutDialog::lastAffected() {
  return wholeLayoutChosen() ? model().layout.nColumns : model().editing.selectedColumn;
}

// -------------------------------------------------------------- showing

void LayoutDialog::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::LanguageChange) retranslateUi();
}

void LayoutDialog::retranslateUi() {
  setFont(interfaceFont(12));
  arrangementTurnEdit_->setFont(interfaceFont(13));
  texts_.apply();
}

void LayoutDialog::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Restoring a minimised window is not a showing of the dialog.
  if (!event->spontaneous()) showLayoutOnOpening();
}

void LayoutDialog::showLayoutOnOpening() {
  // The dialog shows the layout on screen, which may have come from a
  // pattern, a file or a run since it was last shown; the fields' old texts
  // mean nothing now.
  showLayout();
  window_.drawWholeLayoutIntoBitmap();
  setCloseItemEnabled(this, false);
}

void LayoutDialog::closeEvent(QCloseEvent* event) {
  // The user cannot close the dialog; the program hides it.
  event->ignore();
}

// ------------------------------------------------------------- refreshing

void LayoutDialog::refresh(LayoutStep step) {
  // After a refusal rebuildGrids has put the layout back to the last one that
  // fitted; either way the main window's refresh shows the layout kept.
  window_.layoutRefresh(step);
}

void LayoutDialog::showLayout() {
  const Model& m = model();
  const int sel = m.editing.selectedColumn;
  bodyCountEdit_->setText(wholeNumberText(m.layout.columnBodies[sel]));
  spacingEdit_->setText(wholeNumberText(m.layout.columnSpacing[sel]));
  sizeEdit_->setText(wholeNumberText(m.layout.layoutSize[sel][1]));
  turnEdit_->setText(wholeNumberText(m.layout.layoutAngle[sel][1]));
  arrangementTurnEdit_->setText(shortestDecimal(m.layout.layoutRotation));
  columnCountEdit_->setText(wholeNumberText(m.layout.nColumns));
  ratioEdit_->setText(shortestDecimal(m.layout.ellipseRatio));
  // The group's handlers would change the layout or the picture: the
  // choices are set with them silent.
  const int shapeCode = m.layout.layoutShape[sel][1];
  const bool groupsWere = shapeGroup_->blockSignals(true);
  scopeGroup_->blockSignals(true);
  if (QAbstractButton* b = shapeGroup_->button(shapeCode)) b->setChecked(true);
  scopeGroup_->button(m.editing.selectAllColumns ? 0 : 1)->setChecked(true);
  shapeGroup_->blockSignals(groupsWere);
  scopeGroup_->blockSignals(groupsWere);
  const bool ellipse = shapeCode == shape::ellipse;
  showEllipseRatio(ellipse);
  showSelectedColumn();
  selectedColumnLabel_->setVisible(!m.editing.selectAllColumns);
}

void LayoutDialog::showEllipseRatio(bool shown) {
  for (QWidget* w : {static_cast<QWidget*>(ratioDownButton_), static_cast<QWidget*>(ratioEdit_),
                     static_cast<QWidget*>(ratioUpButton_)})
    w->setVisible(shown);
}

void LayoutDialog::showSelectedColumn() {
  selectedColumnLabel_->setText(
      text(LayoutDialogText::selectedColumn).arg(model().editing.selectedColumn));
}

// ----------------------------------------------------------- step buttons
//
// Each button changes the layout record and ends with one refresh, which
// shows the layout kept in every field.

void LayoutDialog::onAddBody() {
  Model& m = model();
  for (int c = firstAffected(); c <= lastAffected(); ++c)
    addBody(m.layout, c, m.editing.maxColumnBodies);
  refresh(LayoutStep::bodyCount);
}

void LayoutDialog::onRemoveBody() {
  Model& m = model();
  for (int c = firstAffected(); c <= lastAffected(); ++c) removeBody(m.layout, c);
  refresh(LayoutStep::bodyCount);
}

void LayoutDialog::onSpacingUp() {
  Model& m = model();
  for (int c = firstAffected(); c <= lastAffected(); ++c)
    m.layout.columnSpacing[c] = steppedSpacing(m.layout.columnSpacing[c], +1, wholeLayoutChosen());
  refresh(LayoutStep::spacing);
}

void LayoutDialog::onSpacingDown() {
  Model& m = model();
  for (int c = firstAffected(); c <= lastAffected(); ++c)
    m.layout.columnSpacing[c] = steppedSpacing(m.layout.columnSpacing[c], -1, wholeLayoutChosen());
  refresh(LayoutStep::spacing);
}

void LayoutDialog::onSizeUp() {
  stepSize(+1);
}
void LayoutDialog::onSizeDown() {
  stepSize(-1);
}

void LayoutDialog::stepSize(int delta) {
  const auto typed = parseWholeNumber(sizeEdit_->text());
  if (!typed) {
    window_.services().showMessage(
        text(LayoutDialogText::notWholeNumber).arg(sizeEdit_->text()).toStdString());
    // The field shows the size in force again.
    sizeEdit_->setText(
        wholeNumberText(model().layout.layoutSize[model().editing.selectedColumn][1]));
    return;
  }
  Model& m = model();
  const int v = steppedSize(*typed, delta);
  for (int c = firstAffected(); c <= lastAffected(); ++c)
    for (int k = 1; k <= m.layout.columnBodies[c]; ++k) m.layout.layoutSize[c][k] = v;
  refresh(LayoutStep::size);
}

void LayoutDialog::onTurnUp() {
  stepTurn(+1);
}
void LayoutDialog::onTurnDown() {
  stepTurn(-1);
}

void LayoutDialog::stepTurn(int delta) {
  const auto typed = parseWholeNumber(turnEdit_->text());
  // A turn whose step would leave the range of turns is refused like a text
  // that is not a whole number.
  const std::optional<int> v = typed ? steppedTurn(*typed, delta) : std::nullopt;
  if (!v) {
    window_.services().showMessage(
        text(LayoutDialogText::notWholeNumber).arg(turnEdit_->text()).toStdString());
    // The field shows the turn in force again.
    turnEdit_->setText(
        wholeNumberText(model().layout.layoutAngle[model().editing.selectedColumn][1]));
    return;
  }
  Model& m = model();
  m.run.stepsDone = 1;
  for (int c = firstAffected(); c <= lastAffected(); ++c)
    for (int k = 1; k <= m.layout.columnBodies[c]; ++k) m.layout.layoutAngle[c][k] = *v;
  refresh(LayoutStep::turn);
}

void LayoutDialog::turnArrangement(int delta) {
  Model& m = model();
  m.layout.layoutRotation = m.layout.layoutRotation + delta;
  refresh(LayoutStep::arrangementTurn);
}

void LayoutDialog::onAddColumn() {
  Model& m = model();
  addColumn(m.layout, m.editing.maxColumns, m.editing.maxColumnBodies);
  refresh(LayoutStep::columns);
}

void LayoutDialog::onRemoveColumn() {
  Model& m = model();
  removeColumn(m.editing, m.layout);
  refresh(LayoutStep::columns);
}

void LayoutDialog::onRatioUp() {
  stepRatio(+kRatioStep);
}
void LayoutDialog::onRatioDown() {
  stepRatio(-kRatioStep);
}

void LayoutDialog::stepRatio(double delta) {
  Model& m = model();
  // The ratio is the one its text shows (1.8 + 0.2 shows "2" and becomes 2),
  // as when the field's change reads it back; and the layout is made again
  // whether or not the text changed: after a preset the field may show the
  // new ratio already.
  const QString shown = shortestDecimal(steppedRatio(m.layout.ellipseRatio, delta));
  m.layout.ellipseRatio = parseRealNumber(shown).value_or(m.layout.ellipseRatio);
  refresh(LayoutStep::ellipseRatio);
}

// ----------------------------------------------------------------- groups

void LayoutDialog::onShapeChosen(int code) {
  Model& m = model();
  const int sel = m.editing.selectedColumn;
  for (int k = 1; k <= m.layout.columnBodies[sel]; ++k) m.layout.layoutShape[sel][k] = code;
  if (wholeLayoutChosen())
    for (int c = 1; c <= m.layout.nColumns; ++c)
      for (int k = 1; k <= m.layout.columnBodies[c]; ++k) m.layout.layoutShape[c][k] = code;
  refresh(LayoutStep::single);
}

void LayoutDialog::onScopeChosen(int index) {
  // The mode is the model's, so that it outlasts the dialog's hiding during
  // a run.
  model().editing.selectAllColumns = index == 0;
  showLayout();
  window_.showOutlinePicture(index == 0);
}
