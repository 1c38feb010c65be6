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

  auto* panel = new QFrame(this);
  panel->setObjectName("panel");
  panel->setGeometry(8, 5, 431, 73);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setLineWidth(2);
  panel->setAutoFillBackground(true);
  QPalette teal = panel->palette();
  teal.setColor(QPalette::Window, QColor(0, 128, 128));
  panel->setPalette(teal);

  versionLine_ = new QLineEdit(panel);
  versionLine_->setObjectName("versionLine");
  versionLine_->setGeometry(15, 15, 341, 20);
  versionLine_->setReadOnly(true);

  readme_ = readmePath(QCoreApplication::applicationDirPath());
  auto* readmeButton = new QPushButton(panel);
  texts_.add(readmeButton, [this, readmeButton] {
    readmeButton->setText(QFileInfo(readme_).fileName() + text(AboutBoxText::linkSuffix));
  });
  readmeButton->setObjectName("readmeButton");
  readmeButton->setGeometry(15, 42, 342, 25);
  readmeButton->setToolTip(readme_);
  readmeButton->setVisible(!readme_.isEmpty());
  connect(readmeButton, &QPushButton::clicked, this, &AboutBox::onReadmeClicked);

  auto* closeButton = new QPushButton(panel);
  texts_.bind(closeButton, &QPushButton::setText, AboutBoxText::close);
  closeButton->setObjectName("closeButton");
  closeButton->setGeometry(365, 42, 49, 24);
  connect(closeButton, &QPushButton::clicked, this, &AboutBox::onCloseClicked);
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
  versionLine_->setText(text(AboutBoxText::versionPrefix) +
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
