#include "ui/qt_window_services.h"

#include "gui/language.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QUrl>

QtWindowServices::QtWindowServices(const Controls& controls)
    : titlePanel_(controls.titlePanel), statusPanel_(controls.statusPanel),
      fillCheck_(controls.fillCheck), blackLinesCheck_(controls.blackLinesCheck),
      progressBar_(controls.progressBar), mainWindow_(controls.mainWindow),
      tickOrigin_(Clock::now()) {}

void QtWindowServices::setStatusText(int panel, const std::string& text) {
  QLabel* label = panel == 0 ? titlePanel_.data() : panel == 1 ? statusPanel_.data() : nullptr;
  if (label) label->setText(QString::fromStdString(text));
  if (statusObserver) statusObserver(panel, text);
}

void QtWindowServices::setCheckBoxVisible(int which, bool visible) {
  QCheckBox* box = which == 1 ? fillCheck_.data() : which == 2 ? blackLinesCheck_.data() : nullptr;
  if (box) box->setVisible(visible);
}

void QtWindowServices::setProgressRange(int minimum, int maximum) {
  if (progressBar_) progressBar_->setRange(minimum, maximum);
}

void QtWindowServices::setProgressPosition(int position) {
  if (progressBar_) progressBar_->setValue(position);
}

void QtWindowServices::setProgressVisible(bool visible) {
  if (progressBar_) progressBar_->setVisible(visible);
}

void QtWindowServices::processPendingMessages() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtWindowServices::showMessage(const std::string& text) {
  if (messageResponder) {
    messageResponder(text);
    return;
  }
  QMessageBox box(QMessageBox::Information, QStringLiteral("Whirlpane"),
                  QString::fromStdString(text), QMessageBox::Ok, mainWindow_.data());
  box.exec();
}

QtWindowServices::UnsavedAnswer QtWindowServices::askToSaveChanges(const QString& question) {
  if (unsavedResponder) return unsavedResponder(question);
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Whirlpane"), question,
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                  mainWindow_.data());
  box.setDefaultButton(QMessageBox::Save);
  switch (box.exec()) {
  case QMessageBox::Save:
    return UnsavedAnswer::save;
  case QMessageBox::Discard:
    return UnsavedAnswer::discard;
  default:
    return UnsavedAnswer::cancel;
  }
}

std::uint32_t QtWindowServices::tickCount() {
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - tickOrigin_).count();
  // Unsigned arithmetic wraps modulo 2^32, as the platform's counter does.
  return static_cast<std::uint32_t>(ms) + tickOffset_;
}

void QtWindowServices::setTickNow(std::uint32_t tick) {
  tickOffset_ = 0;
  tickOffset_ = tick - tickCount();
}

Language QtWindowServices::language() const {
  return interfaceLanguage();
}

bool QtWindowServices::isMainWindowActive() {
  if (activeWindowAnswer) return activeWindowAnswer();
  return mainWindow_ && mainWindow_->isActiveWindow();
}

bool QtWindowServices::openWebPage(const QString& address) {
  if (pageOpener) {
    pageOpener(address);
    return true;
  }
  return QDesktopServices::openUrl(QUrl(address));
}
