// The file dialogs of the menu "ファイル".  They are the toolkit's own dialog
// (not the desktop's), so that they speak the interface's language: its
// buttons and captions from the toolkit's translation, the type and date of
// every entry in the interface language too.  They open in the folder used
// last (remembered in the program's settings) or, the first time, in the
// user's documents folder.
#pragma once

#include <QString>

#include <memory>

class QFileDialog;
class QWidget;

// The folder a file dialog opens in.
QString fileDialogStartFolder();
// Remembers the folder of a file the user chose.
void rememberFileDialogFolder(const QString& chosenFile);

// A dialog for one file to write (save) or read, with the given filter,
// opening in fileDialogStartFolder().
std::unique_ptr<QFileDialog> makeFileDialog(QWidget* parent, bool save, const QString& filter);

// Shows such a dialog; returns the chosen file (and remembers its folder),
// or an empty text when the user cancels.
QString chooseFileName(QWidget* parent, bool save, const QString& filter);
