// The about box (TForm3): the version line and a button that opens the
// project's page in the default browser.
#pragma once

#include <QWidget>

class MainWindow;
class QLineEdit;
class QPushButton;

class AboutBox : public QWidget {
  Q_OBJECT
public:
  explicit AboutBox(MainWindow& window);

  // The address of the project's page, as the link button shows and opens it.
  static QString pageAddress();

public slots:
  void Button1Click();
  void Button2Click();

protected:
  void showEvent(QShowEvent* event) override;

private:
  void FormShow();

  MainWindow& window_;
  QLineEdit* edit1_ = nullptr;
};
