#include "ui/layout_dialog.h"

#include "core/model.h"
#include "gui/application_setup.h"
#include "gui/language.h"
#include "gui/window_text.h"
#include "layout/grid_making.h"
#include "layout/layout_editing.h"
#include "ui/layout_dialog_texts.h"
#include "ui/main_window.h"
#include "ui/number_text.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
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

  auto* scopeBox = new QGroupBox(this);
  texts_.bind(scopeBox, &QGroupBox::setTitle, LayoutDialogText::modeGroup);
  scopeBox->setObjectName("scopeGroup");
  scopeBox->setGeometry(4, 2, 88, 82);
  scopeGroup_ = new QButtonGroup(this);
  const char* modes[] = {LayoutDialogText::modeAll, LayoutDialogText::modeColumn};
  for (int i = 0; i < 2; ++i) {
    auto* b = new QRadioButton(scopeBox);
    texts_.bind(b, &QRadioButton::setText, modes[i]);
    b->setObjectName(i == 0 ? "allColumnsChoice" : "selectedColumnChoice");
    // Wide enough for "選択列ごと" inside the frame.
    b->setGeometry(5, 18 + 22 * i, 82, 18);
    texts_.bind(b, &QRadioButton::setToolTip,
                i == 0 ? LayoutDialogText::tipModeAll : LayoutDialogText::tipModeColumn);
    scopeGroup_->addButton(b, i);
  }
  scopeGroup_->button(0)->setChecked(true);
  selectedColumnLabel_ = new QLabel(scopeBox);
  selectedColumnLabel_->setObjectName("SelectedColumn");
  selectedColumnLabel_->setGeometry(8, 60, 76, 18);
  selectedColumnLabel_->hide();
  texts_.add(selectedColumnLabel_, [this] { showSelectedColumn(); });

  auto* shapeBox = new QGroupBox(this);
  texts_.bind(shapeBox, &QGroupBox::setTitle, LayoutDialogText::shapeGroup);
  shapeBox->setObjectName("shapeGroup");
  shapeBox->setGeometry(95, 2, 142, 82);
  shapeGroup_ = new QButtonGroup(this);
  for (int code = 0; code <= 4; ++code) {
    auto* b = new QRadioButton(shapeBox);
    texts_.bind(b, &QRadioButton::setText, LayoutDialogText::shapeName[code]);
    b->setObjectName(shapeChoiceName[code]);
    // Two columns, filled column by column: three items, then two; the
    // first as wide as "Triangle" needs, the second the rest of the frame.
    b->setGeometry(code < 3 ? 8 : 78, 16 + 20 * (code % 3), code < 3 ? 70 : 62, 18);
    texts_.bind(b, &QRadioButton::setToolTip, LayoutDialogText::tipShape);
    shapeGroup_->addButton(b, code);
  }
  shapeGroup_->button(0)->setChecked(true);

  // A caption above its controls: where it has always stood in Japanese; in
  // English, whose words differ in width, centred on the controls' middle.
  auto label = [this](const char* name, const char* caption, int x, int y, int middle) {
    auto* l = new QLabel(this);
    l->setObjectName(name);
    texts_.add(l, [l, caption, x, y, middle] {
      l->setText(text(caption));
      l->adjustSize();
      l->move(interfaceLanguage() == Language::english ? middle - l->width() / 2 : x, y);
    });
  };
  // A value field; only the size and the turn are typed into.
  auto edit = [this](QLineEdit* LayoutDialog::*field, const char* name, const char* tip, int x,
                     int y, int w, bool typed) {
    auto* e = new QLineEdit(this);
    texts_.bind(e, &QLineEdit::setToolTip, tip);
    e->setObjectName(name);
    e->setGeometry(x, y, w, 20);
    e->setReadOnly(!typed);
    e->setAlignment(Qt::AlignRight);
    this->*field = e;
  };
  auto step = [this](const char* name, void (LayoutDialog::*handler)(), int x, int y, int w,
                     Qt::ArrowType arrow) {
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setGeometry(x, y, w, 20);
    b->setArrowType(arrow);
    b->setFocusPolicy(Qt::TabFocus);
    const bool more = arrow == Qt::UpArrow || arrow == Qt::RightArrow;
    texts_.bind(b, &QToolButton::setToolTip,
                more ? LayoutDialogText::tipMore : LayoutDialogText::tipLess);
    connect(b, &QToolButton::clicked, this, handler);
    return b;
  };
  using D = LayoutDialog;
  using T = LayoutDialogText;

  ratioDownButton_ = step("ratioDownButton", &D::onRatioDown, 152, 60, 25, Qt::LeftArrow);
  edit(&D::ratioEdit_, "ratioEdit", T::tipRatio, 177, 60, 29, false);
  ratioUpButton_ = step("ratioUpButton", &D::onRatioUp, 206, 60, 25, Qt::RightArrow);
  ratioEdit_->setText(text(T::ratioDesign));

  label("bodyCountLabel", T::count, 250, 7, 263);
  step("addBodyButton", &D::onAddBody, 246, 20, 35, Qt::UpArrow);
  step("removeBodyButton", &D::onRemoveBody, 246, 40, 35, Qt::DownArrow);
  edit(&D::bodyCountEdit_, "bodyCountEdit", T::tipBodyCount, 249, 61, 28, false);

  label("spacingLabel", T::spacing, 288, 7, 310);
  step("spacingUpButton", &D::onSpacingUp, 294, 20, 33, Qt::UpArrow);
  step("spacingDownButton", &D::onSpacingDown, 294, 40, 33, Qt::DownArrow);
  edit(&D::spacingEdit_, "spacingEdit", T::tipSpacing, 295, 61, 28, false);

  label("sizeLabel", T::size, 379, 7, 391);
  step("sizeDownButton", &D::onSizeDown, 352, 20, 25, Qt::LeftArrow);
  edit(&D::sizeEdit_, "sizeEdit", T::tipSize, 379, 20, 24, true);
  step("sizeUpButton", &D::onSizeUp, 405, 20, 25, Qt::RightArrow);

  label("turnLabel", T::turn, 379, 49, 391);
  step("turnDownButton", &D::onTurnDown, 352, 62, 25, Qt::LeftArrow);
  edit(&D::turnEdit_, "turnEdit", T::tipTurn, 379, 62, 24, true);
  step("turnUpButton", &D::onTurnUp, 405, 62, 25, Qt::RightArrow);
  turnEdit_->setText(text(T::turnDesign));

  auto* separator = new QFrame(this);
  separator->setObjectName("separator");
  separator->setGeometry(452, 0, 3, 89);
  separator->setAutoFillBackground(true);
  QPalette white = separator->palette();
  white.setColor(QPalette::Window, Qt::white);
  separator->setPalette(white);

  label("arrangementTurnLabel", T::arrangementTurn, 470, 4, 501);
  step("arrangementTurnDownButton", &D::onArrangementTurnDown, 465, 20, 24, Qt::LeftArrow);
  edit(&D::arrangementTurnEdit_, "arrangementTurnEdit", T::tipArrangementTurn, 489, 20, 24, false);
  arrangementTurnEdit_->setFont(interfaceFont(13));
  step("arrangementTurnUpButton", &D::onArrangementTurnUp, 513, 20, 24, Qt::RightArrow);

  label("columnCountLabel", T::columns, 492, 49, 501);
  step("removeColumnButton", &D::onRemoveColumn, 465, 62, 24, Qt::LeftArrow);
  edit(&D::columnCountEdit_, "columnCountEdit", T::tipColumnCount, 489, 62, 24, false);
  step("addColumnButton", &D::onAddColumn, 513, 62, 24, Qt::RightArrow);

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
