#include "ui/about_box.h"

#include "gui/application_setup.h"
#include "gui/language.h"
#include "gui/window_text.h"
#include "ui/about_box_texts.h"
#include "ui/main_window.h"
#include "ui/number_text.h"

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

QString AboutBox::pageAddress() {
  return QString::fromUtf8(AboutBoxText::pageAddress);
}

AboutBox::AboutBox(MainWindow& window) : QWidget(&window, Qt::Tool), window_(window) {
  setWindowTitle(text(AboutBoxText::caption));
  setFont(interfaceFont(12));
  setGeometry(395, 250, 446, 83);
  setFixedSize(446, 83);

  auto* panel1 = new QFrame(this);
  panel1->setObjectName("Panel1");
  panel1->setGeometry(8, 5, 431, 73);
  panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel1->setLineWidth(2);
  panel1->setAutoFillBackground(true);
  QPalette teal = panel1->palette();
  teal.setColor(QPalette::Window, QColor(0, 128, 128));
  panel1->setPalette(teal);

  edit1_ = new QLineEdit(panel1);
  edit1_->setObjectName("Edit1");
  edit1_->setGeometry(15, 15, 341, 20);
  edit1_->setReadOnly(true);

  auto* button2 = new QPushButton(pageAddress() + text(AboutBoxText::linkSuffix), panel1);
  button2->setObjectName("Button2");
  button2->setGeometry(15, 42, 342, 25);
  connect(button2, &QPushButton::clicked, this, &AboutBox::Button2Click);

  auto* button1 = new QPushButton(text(AboutBoxText::close), panel1);
  button1->setObjectName("Button1");
  button1->setGeometry(365, 42, 49, 24);
  connect(button1, &QPushButton::clicked, this, &AboutBox::Button1Click);
}

void AboutBox::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void AboutBox::FormShow() {
  edit1_->setText(text(AboutBoxText::versionPrefix) +
                  shortestDecimal(window_.model().programVersion) +
                  text(AboutBoxText::authorPrefix) + text(AboutBoxText::author));
}

void AboutBox::Button1Click() {
  hide();
}

void AboutBox::Button2Click() {
  window_.services().openWebPage(pageAddress());
}
