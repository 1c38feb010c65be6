// The layout dialog's controls, made group by group in the order Tab
// follows: the scope and shape choices, then the value fields with their
// step buttons, each under its caption.
#include "gui/application_setup.h"
#include "gui/language.h"
#include "gui/window_text.h"
#include "ui/layout_dialog.h"
#include "ui/layout_dialog_texts.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

void LayoutDialog::buildScopeChoice() {
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
}

void LayoutDialog::buildShapeChoice() {
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
}

void LayoutDialog::addCaption(const char* name, const char* caption, int x, int y, int middle) {
  auto* l = new QLabel(this);
  l->setObjectName(name);
  texts_.add(l, [l, caption, x, y, middle] {
    l->setText(text(caption));
    l->adjustSize();
    l->move(interfaceLanguage() == Language::english ? middle - l->width() / 2 : x, y);
  });
}

void LayoutDialog::addValueField(QLineEdit* LayoutDialog::*field, const char* name, const char* tip,
                                 int x, int y, int width, bool typed) {
  auto* e = new QLineEdit(this);
  texts_.bind(e, &QLineEdit::setToolTip, tip);
  e->setObjectName(name);
  e->setGeometry(x, y, width, 20);
  e->setReadOnly(!typed);
  e->setAlignment(Qt::AlignRight);
  this->*field = e;
}

QToolButton* LayoutDialog::addStepButton(const char* name, void (LayoutDialog::*handler)(), int x,
                                         int y, int width, Qt::ArrowType arrow) {
  auto* b = new QToolButton(this);
  b->setObjectName(name);
  b->setGeometry(x, y, width, 20);
  b->setArrowType(arrow);
  b->setFocusPolicy(Qt::TabFocus);
  const bool more = arrow == Qt::UpArrow || arrow == Qt::RightArrow;
  texts_.bind(b, &QToolButton::setToolTip,
              more ? LayoutDialogText::tipMore : LayoutDialogText::tipLess);
  connect(b, &QToolButton::clicked, this, handler);
  return b;
}

void LayoutDialog::buildEllipseRatioControls() {
  using D = LayoutDialog;
  using T = LayoutDialogText;
  ratioDownButton_ = addStepButton("ratioDownButton", &D::onRatioDown, 152, 60, 25, Qt::LeftArrow);
  addValueField(&D::ratioEdit_, "ratioEdit", T::tipRatio, 177, 60, 29, false);
  ratioUpButton_ = addStepButton("ratioUpButton", &D::onRatioUp, 206, 60, 25, Qt::RightArrow);
  ratioEdit_->setText(text(T::ratioDesign));
}

void LayoutDialog::buildColumnControls() {
  using D = LayoutDialog;
  using T = LayoutDialogText;
  addCaption("bodyCountLabel", T::count, 250, 7, 263);
  addStepButton("addBodyButton", &D::onAddBody, 246, 20, 35, Qt::UpArrow);
  addStepButton("removeBodyButton", &D::onRemoveBody, 246, 40, 35, Qt::DownArrow);
  addValueField(&D::bodyCountEdit_, "bodyCountEdit", T::tipBodyCount, 249, 61, 28, false);

  addCaption("spacingLabel", T::spacing, 288, 7, 310);
  addStepButton("spacingUpButton", &D::onSpacingUp, 294, 20, 33, Qt::UpArrow);
  addStepButton("spacingDownButton", &D::onSpacingDown, 294, 40, 33, Qt::DownArrow);
  addValueField(&D::spacingEdit_, "spacingEdit", T::tipSpacing, 295, 61, 28, false);
}

void LayoutDialog::buildBodyControls() {
  using D = LayoutDialog;
  using T = LayoutDialogText;
  addCaption("sizeLabel", T::size, 379, 7, 391);
  addStepButton("sizeDownButton", &D::onSizeDown, 352, 20, 25, Qt::LeftArrow);
  addValueField(&D::sizeEdit_, "sizeEdit", T::tipSize, 379, 20, 24, true);
  addStepButton("sizeUpButton", &D::onSizeUp, 405, 20, 25, Qt::RightArrow);

  addCaption("turnLabel", T::turn, 379, 49, 391);
  addStepButton("turnDownButton", &D::onTurnDown, 352, 62, 25, Qt::LeftArrow);
  addValueField(&D::turnEdit_, "turnEdit", T::tipTurn, 379, 62, 24, true);
  addStepButton("turnUpButton", &D::onTurnUp, 405, 62, 25, Qt::RightArrow);
  turnEdit_->setText(text(T::turnDesign));
}

void LayoutDialog::buildArrangementControls() {
  using D = LayoutDialog;
  using T = LayoutDialogText;
  auto* separator = new QFrame(this);
  separator->setObjectName("separator");
  separator->setGeometry(452, 0, 3, 89);
  separator->setAutoFillBackground(true);
  QPalette white = separator->palette();
  white.setColor(QPalette::Window, Qt::white);
  separator->setPalette(white);

  addCaption("arrangementTurnLabel", T::arrangementTurn, 470, 4, 501);
  addStepButton("arrangementTurnDownButton", &D::onArrangementTurnDown, 465, 20, 24, Qt::LeftArrow);
  addValueField(&D::arrangementTurnEdit_, "arrangementTurnEdit", T::tipArrangementTurn, 489, 20, 24,
                false);
  arrangementTurnEdit_->setFont(interfaceFont(13));
  addStepButton("arrangementTurnUpButton", &D::onArrangementTurnUp, 513, 20, 24, Qt::RightArrow);

  addCaption("columnCountLabel", T::columns, 492, 49, 501);
  addStepButton("removeColumnButton", &D::onRemoveColumn, 465, 62, 24, Qt::LeftArrow);
  addValueField(&D::columnCountEdit_, "columnCountEdit", T::tipColumnCount, 489, 62, 24, false);
  addStepButton("addColumnButton", &D::onAddColumn, 513, 62, 24, Qt::RightArrow);
}
