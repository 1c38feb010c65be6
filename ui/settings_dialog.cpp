#include "ui/settings_dialog.h"

#include "gui/application_setup.h"
#include "ui/settings_dialog_texts.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

SettingsDialog::SettingsDialog(QWidget* parent, const char* caption)
    : QDialog(parent), form_(new QFormLayout(this)) {
  texts_.bind(this, &QWidget::setWindowTitle, caption);
  setFont(interfaceFont(12));
}

void SettingsDialog::addRow(const char* caption, QWidget* field) {
  auto* label = new QLabel(this);
  texts_.bind(label, &QLabel::setText, caption);
  form_->addRow(label, field);
}

void SettingsDialog::addRow(QWidget* field) {
  form_->addRow(field);
}

void SettingsDialog::addOkCancelRow() {
  auto* ok = new QPushButton(this);
  ok->setObjectName("OkButton");
  ok->setDefault(true);
  texts_.bind(ok, &QPushButton::setText, SettingsDialogText::ok);
  auto* cancel = new QPushButton(this);
  cancel->setObjectName("CancelButton");
  texts_.bind(cancel, &QPushButton::setText, SettingsDialogText::cancel);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  form_->addRow(buttons);
}

void SettingsDialog::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() != QEvent::LanguageChange) return;
  setFont(interfaceFont(12));
  texts_.apply();
}
