#include "ui/about_box.h"

#include "gui/application_setup.h"
#include "gui/language.h"
#include "gui/window_text.h"
#include "ui/about_box_texts.h"
#include "ui/main_window.h"
#include "ui/number_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QUrl>

QString AboutBox::readmePath(const QString& programFolder) {
  const QDir folder(programFolder);
  for (const QString& place :
       {QStringLiteral("README.md"), QStringLiteral("../share/doc/whirlpane/README.md")})
    if (QFileInfo(folder.filePath(place)).isFile())
      return QFileInfo(folder.filePath(place)).canonicalFilePath();
  return {};
}

AboutBox::AboutBox(MainWindow& window) : QWidget(&window, Qt::Tool), window_(window) {
  texts_.bind(this, &QWidget::setWindowTitle, AboutBoxText::caption);
  setFont(interfaceFont(12));
  setGeometry(395, 250, 446, 83);
  setFixedSize(446, 83);
  keepInsideScreen(this);

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

  readme_ = readmePath(QCoreApplication::applicationDirPath());
  auto* button2 = new QPushButton(panel1);
  texts_.add(button2, [this, button2] {
    button2->setText(QFileInfo(readme_).fileName() + text(AboutBoxText::linkSuffix));
  });
  button2->setObjectName("Button2");
  button2->setGeometry(15, 42, 342, 25);
  button2->setToolTip(readme_);
  button2->setVisible(!readme_.isEmpty());
  connect(button2, &QPushButton::clicked, this, &AboutBox::onReadmeClicked);

  auto* button1 = new QPushButton(panel1);
  texts_.bind(button1, &QPushButton::setText, AboutBoxText::close);
  button1->setObjectName("Button1");
  button1->setGeometry(365, 42, 49, 24);
  connect(button1, &QPushButton::clicked, this, &AboutBox::onCloseClicked);
}

void AboutBox::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::LanguageChange) retranslateUi();
}

void AboutBox::retranslateUi() {
  setFont(interfaceFont(12));
  texts_.apply();
  showVersionText();
}

void AboutBox::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) showVersionText();
}

void AboutBox::showVersionText() {
  edit1_->setText(text(AboutBoxText::versionPrefix) +
                  shortestDecimal(window_.model().editing.programVersion) +
                  text(AboutBoxText::authorPrefix) + text(AboutBoxText::author));
}

void AboutBox::onCloseClicked() {
  hide();
}

void AboutBox::onReadmeClicked() {
  if (readme_.isEmpty()) return;
  if (!window_.services().openWebPage(QUrl::fromLocalFile(readme_).toString()))
    window_.services().showMessage(text(AboutBoxText::cannotOpen).arg(readme_).toStdString());
}
