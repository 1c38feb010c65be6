// The settings dialogs (the flow conditions, the run length): a form of
// captioned fields above a row of "OK" (accepts, the default) and
// "キャンセル" (rejects), every text in the interface's language and set
// again when the language changes.
#pragma once

#include "gui/translated_texts.h"

#include <QDialog>

class QFormLayout;

class SettingsDialog : public QDialog {
  Q_OBJECT
public:
  SettingsDialog(QWidget* parent, const char* caption);

protected:
  // A field with its caption at its left.
  void addRow(const char* caption, QWidget* field);
  // A field that shows its own caption (a check box).
  void addRow(QWidget* field);
  // The OK and Cancel row, at the foot of the form.
  void addOkCancelRow();
  void changeEvent(QEvent* event) override;

  TranslatedTexts texts_;

private:
  QFormLayout* form_ = nullptr;
};
