#include "ui/forces_window.h"

#include "analysis/forces.h"
#include "files/result_tables.h"
#include "gui/application_setup.h"
#include "gui/language.h"
#include "gui/window_text.h"
#include "run/run.h"
#include "ui/forces_window_texts.h"
#include "ui/layout_dialog_texts.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
QString number(double value) {
  return QString::number(value, 'f', 4);
}
} // namespace

ForcesWindow::ForcesWindow(const ResultRecords& result, QWidget* parent)
    : QWidget(parent, Qt::Window), result_(result) {
  texts_.bind(this, &QWidget::setWindowTitle, ForcesWindowText::caption);
  setFont(interfaceFont(12));
  resize(640, 320);

  using T = ForcesWindowText;
  table_ = new QTableWidget(0, 9, this);
  table_->setObjectName("ForcesTable");
  texts_.add(table_, [this] {
    QStringList header;
    for (const char* caption : {T::column, T::body, T::shape, T::cd, T::cl, T::cdPressure,
                                T::cdViscous, T::clPressure, T::clViscous})
      header << text(caption);
    table_->setHorizontalHeaderLabels(header);
  });
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  pressureDrop_ = new QLabel(this);
  pressureDrop_->setObjectName("PressureDrop");
  references_ = new QLabel(this);
  references_->setObjectName("References");
  references_->setWordWrap(true);
  auto* copy = new QPushButton(this);
  texts_.bind(copy, &QPushButton::setText, ForcesWindowText::copy);
  copy->setObjectName("CopyButton");
  connect(copy, &QPushButton::clicked, this, &ForcesWindow::copyToClipboard);
  auto* save = new QPushButton(this);
  texts_.bind(save, &QPushButton::setText, CsvExportText::saveCsv);
  save->setObjectName("SaveCsvButton");
  connect(save, &QPushButton::clicked, this, &ForcesWindow::saveCsv);
  csvHooks = defaultCsvExportHooks(this);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table_);
  layout->addWidget(pressureDrop_);
  layout->addWidget(references_);
  layout->addWidget(copy);
  layout->addWidget(save);
}

void ForcesWindow::saveCsv() {
  if (canContinue(result_.layout, result_.flow, result_.solution))
    saveCsvAs(csvHooks, forcesCsv(result_.layout, result_.constants, result_.grids,
                                  result_.solution, result_.run.runLength.window));
}

void ForcesWindow::refresh() {
  if (!canContinue(result_.layout, result_.flow, result_.solution)) {
    // No run's flow on these grids: nothing to read forces from.
    table_->setRowCount(0);
    pressureDrop_->setText(text(ForcesWindowText::noFlow));
    references_->clear();
    return;
  }
  const FlowForces f =
      flowForces(result_.layout, result_.constants, result_.grids, result_.solution);
  table_->setRowCount(static_cast<int>(f.bodies.size()));
  for (int row = 0; row < table_->rowCount(); ++row) {
    const BodyForces& b = f.bodies[row];
    const QString cells[9] = {QString::number(b.column),
                              QString::number(b.body),
                              text(LayoutDialogText::shapeName[b.shape]),
                              number(b.cd),
                              number(b.cl),
                              number(b.cdPressure),
                              number(b.cdViscous),
                              number(b.clPressure),
                              number(b.clViscous)};
    for (int col = 0; col < 9; ++col) table_->setItem(row, col, new QTableWidgetItem(cells[col]));
  }
  pressureDrop_->setText(text(ForcesWindowText::pressureDrop) + "\t" +
                         QString::number(f.pressureDrop, 'g', 6));
  const ReferenceQuantities q = referenceQuantities(result_.constants);
  const auto g = [](double value) { return QString::number(value, 'g', 6); };
  QString references = text(ForcesWindowText::references)
                           .arg(g(q.rhoInf), g(q.uInf), g(q.mainViscosity), g(q.bodyViscosity),
                                g(q.reynolds), g(q.mach));
  if (result_.constants.timeAccurate)
    references +=
        "\n" + text(ForcesWindowText::flowTime).arg(g(result_.solution.flowTime * q.uInf));
  references_->setText(references);
}

QString ForcesWindow::tabSeparated() const {
  if (table_->rowCount() == 0) return {};
  QStringList lines;
  QStringList header;
  for (int col = 0; col < table_->columnCount(); ++col)
    header << table_->horizontalHeaderItem(col)->text();
  lines << header.join('\t');
  for (int row = 0; row < table_->rowCount(); ++row) {
    QStringList cells;
    for (int col = 0; col < table_->columnCount(); ++col) cells << table_->item(row, col)->text();
    lines << cells.join('\t');
  }
  lines << pressureDrop_->text() << references_->text();
  return lines.join('\n') + '\n';
}

void ForcesWindow::copyToClipboard() {
  QGuiApplication::clipboard()->setText(tabSeparated());
}

void ForcesWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::LanguageChange) return;
  setFont(interfaceFont(12));
  texts_.apply();
  // The shapes' names and the quantities' captions below the table; a
  // hidden window composes them when it is shown.
  if (isVisible()) refresh();
}

void ForcesWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!modelReadable || modelReadable()) refresh();
}
