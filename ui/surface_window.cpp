#include "ui/surface_window.h"

#include "analysis/surface_distribution.h"
#include "files/result_tables.h"
#include "gui/application_setup.h"
#include "gui/language.h"
#include "gui/window_text.h"
#include "run/run.h"
#include "ui/forces_window_texts.h"
#include "ui/result_charts.h"
#include "ui/surface_window_texts.h"

#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace {

using T = SurfaceWindowText;

QString kindText(const WallShearZero& z) {
  return text(z.separation ? T::separation : T::reattachment);
}

} // namespace

SurfaceWindow::SurfaceWindow(const ResultRecords& result, QWidget* parent)
    : QWidget(parent, Qt::Window), result_(result) {
  texts_.bind(this, &QWidget::setWindowTitle, T::caption);
  setFont(interfaceFont(12));
  resize(720, 560);

  body_ = new QComboBox(this);
  body_->setObjectName("BodyChoice");
  abscissa_ = new QComboBox(this);
  abscissa_->setObjectName("AbscissaChoice");
  abscissa_->addItems({QString(), QString()});
  texts_.add(abscissa_, [this] {
    abscissa_->setItemText(0, text(T::byAngle));
    abscissa_->setItemText(1, text(T::byLength));
  });
  connect(body_, &QComboBox::currentIndexChanged, this, &SurfaceWindow::plot);
  connect(abscissa_, &QComboBox::currentIndexChanged, this, &SurfaceWindow::plot);

  auto* chart = new QChart;
  chart->legend()->setAlignment(Qt::AlignBottom);
  cp_ = new QLineSeries(chart);
  texts_.bind(cp_, &QLineSeries::setName, T::cp);
  cf_ = new QLineSeries(chart);
  texts_.bind(cf_, &QLineSeries::setName, T::cf);
  separation_ = new QScatterSeries(chart);
  texts_.bind(separation_, &QScatterSeries::setName, T::separation);
  separation_->setMarkerSize(9);
  reattachment_ = new QScatterSeries(chart);
  texts_.bind(reattachment_, &QScatterSeries::setName, T::reattachment);
  reattachment_->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
  reattachment_->setMarkerSize(9);
  xAxis_ = new QValueAxis(chart);
  cpAxis_ = new QValueAxis(chart);
  texts_.bind(cpAxis_, &QValueAxis::setTitleText, T::cp);
  cfAxis_ = new QValueAxis(chart);
  texts_.bind(cfAxis_, &QValueAxis::setTitleText, T::cf);
  chart->addAxis(xAxis_, Qt::AlignBottom);
  chart->addAxis(cpAxis_, Qt::AlignLeft);
  chart->addAxis(cfAxis_, Qt::AlignRight);
  // The zeros of the wall shear sit on the Cf line's zero.
  for (QXYSeries* series :
       {static_cast<QXYSeries*>(cp_), static_cast<QXYSeries*>(cf_),
        static_cast<QXYSeries*>(separation_), static_cast<QXYSeries*>(reattachment_)}) {
    chart->addSeries(series);
    series->attachAxis(xAxis_);
    series->attachAxis(series == cp_ ? cpAxis_ : cfAxis_);
  }
  auto* view = new QChartView(chart, this);
  view->setObjectName("SurfaceChart");

  zeros_ = new QTableWidget(0, 3, this);
  zeros_->setObjectName("ZerosTable");
  texts_.add(zeros_, [this] {
    zeros_->setHorizontalHeaderLabels({text(T::kind), text(T::angle), text(T::length)});
  });
  zeros_->verticalHeader()->hide();
  zeros_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  zeros_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  zeros_->setMaximumHeight(130);
  note_ = new QLabel(this);
  note_->setObjectName("Definitions");
  note_->setWordWrap(true);

  auto* copy = new QPushButton(this);
  texts_.bind(copy, &QPushButton::setText, ForcesWindowText::copy);
  copy->setObjectName("CopyButton");
  connect(copy, &QPushButton::clicked, this, &SurfaceWindow::copyToClipboard);
  auto* save = new QPushButton(this);
  texts_.bind(save, &QPushButton::setText, CsvExportText::saveCsv);
  save->setObjectName("SaveCsvButton");
  connect(save, &QPushButton::clicked, this, &SurfaceWindow::saveCsv);
  csvHooks = defaultCsvExportHooks(this);

  auto* choices = new QHBoxLayout;
  choices->addWidget(body_);
  choices->addWidget(abscissa_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(copy);
  buttons->addWidget(save);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(choices);
  layout->addWidget(view, 1);
  layout->addWidget(zeros_);
  layout->addWidget(note_);
  layout->addLayout(buttons);
}

void SurfaceWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::LanguageChange) return;
  setFont(interfaceFont(12));
  texts_.apply();
  // The bodies' names, the abscissa's caption, the zeros' kinds and the
  // note; a hidden window composes them when it is shown.
  if (isVisible()) refresh();
}

void SurfaceWindow::fillBodyChoice() {
  const int chosen = std::max(body_->currentIndex(), 0);
  const QSignalBlocker blocker(body_);
  body_->clear();
  if (!canContinue(result_.layout, result_.flow, result_.solution)) return;
  body_->addItems(bodyNames(result_.layout));
  body_->setCurrentIndex(std::min(chosen, body_->count() - 1));
}

void SurfaceWindow::refresh() {
  if (modelReadable && !modelReadable()) return;
  fillBodyChoice();
  plot();
}

void SurfaceWindow::plot() {
  if (modelReadable && !modelReadable()) return;
  for (QXYSeries* series :
       {static_cast<QXYSeries*>(cp_), static_cast<QXYSeries*>(cf_),
        static_cast<QXYSeries*>(separation_), static_cast<QXYSeries*>(reattachment_)})
    series->clear();
  zeros_->setRowCount(0);
  const bool byAngle = abscissa_->currentIndex() == 0;
  xAxis_->setTitleText(text(byAngle ? T::byAngle : T::byLength));
  if (!canContinue(result_.layout, result_.flow, result_.solution) || body_->count() == 0) {
    note_->setText(text(ForcesWindowText::noFlow));
    return;
  }
  note_->setText(text(T::definitions));
  const SurfaceDistribution d =
      surfaceDistribution(result_.layout, result_.constants, result_.grids, result_.solution,
                          body_->currentIndex() + 1);
  QList<QPointF> cp, cf;
  double cpLow = 0, cpHigh = 0, cfLow = 0, cfHigh = 0;
  for (const SurfacePoint& p : d.points) {
    const double x = byAngle ? p.angle : p.s;
    cp.append({x, p.cp});
    cf.append({x, p.cf});
    cpLow = std::min(cpLow, p.cp);
    cpHigh = std::max(cpHigh, p.cp);
    cfLow = std::min(cfLow, p.cf);
    cfHigh = std::max(cfHigh, p.cf);
  }
  cp_->replace(cp);
  cf_->replace(cf);
  xAxis_->setRange(0, byAngle ? 360 : d.perimeter);
  fitValueAxis(cpAxis_, cpLow, cpHigh);
  fitValueAxis(cfAxis_, cfLow, cfHigh);
  zeros_->setRowCount(static_cast<int>(d.zeros.size()));
  int row = 0;
  for (const WallShearZero& z : d.zeros) {
    (z.separation ? separation_ : reattachment_)->append(byAngle ? z.angle : z.s, 0);
    const QString cells[3] = {kindText(z), QString::number(z.angle, 'f', 1),
                              QString::number(z.s, 'f', 2)};
    for (int col = 0; col < 3; ++col) zeros_->setItem(row, col, new QTableWidgetItem(cells[col]));
    ++row;
  }
}

QString SurfaceWindow::tabSeparated() const {
  if (modelReadable && !modelReadable()) return {};
  if (!canContinue(result_.layout, result_.flow, result_.solution) || body_->count() == 0)
    return {};
  const SurfaceDistribution d =
      surfaceDistribution(result_.layout, result_.constants, result_.grids, result_.solution,
                          body_->currentIndex() + 1);
  const auto g = [](double value) { return QString::number(value, 'g', 8); };
  QStringList lines{body_->currentText(), "index\tx\ty\ts\tangle\tCp\tCf"};
  int index = 0;
  for (const SurfacePoint& p : d.points)
    lines << QStringList{QString::number(++index),
                         g(p.x),
                         g(p.y),
                         g(p.s),
                         g(p.angle),
                         g(p.cp),
                         g(p.cf)}
                 .join('\t');
  lines << QStringList{text(T::kind), text(T::angle), text(T::length)}.join('\t');
  for (const WallShearZero& z : d.zeros) lines << kindText(z) + '\t' + g(z.angle) + '\t' + g(z.s);
  return lines.join('\n') + '\n';
}

void SurfaceWindow::copyToClipboard() {
  QGuiApplication::clipboard()->setText(tabSeparated());
}

void SurfaceWindow::saveCsv() {
  if ((!modelReadable || modelReadable()) &&
      canContinue(result_.layout, result_.flow, result_.solution))
    saveCsvAs(csvHooks,
              surfaceCsv(result_.layout, result_.constants, result_.grids, result_.solution));
}

void SurfaceWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  refresh();
}
