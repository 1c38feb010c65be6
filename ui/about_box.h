// The about box: the version line and a button that opens the
// program's documentation, the README shipped with it, in the desktop's
// viewer for it.  Without a README to be found the button is not shown.
#pragma once

#include "gui/translated_texts.h"

#include <QWidget>

class MainWindow;
class QLineEdit;
class QPushButton;

class AboutBox : public QWidget {
  Q_OBJECT
public:
  explicit AboutBox(MainWindow& window);

  // The README shipped with the program: beside the program (the build puts
  // a copy there) or where an installation puts it,
  // PREFIX/share/doc/whirlpane beside PREFIX/bin; empty when there is none.
  static QString readmePath(const QString& programFolder);

public slots:
  // The close button: hides the box.
  void onCloseClicked();
  // The documentation button: opens the README in the desktop's viewer.
  void onReadmeClicked();

protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

private:
  // The box shown: the version line filled in.
  void showVersionText();
  // Every text in the interface's language: at construction and again when
  // the language changes.
  void retranslateUi();

  MainWindow& window_;
  QLineEdit* versionLine_ = nullptr; // the version line, read-only
  QString readme_;
  TranslatedTexts texts_;
};
