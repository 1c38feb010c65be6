// The main window's menu "ファイル": layout files, the picture on screen, and
// the flow fields of the last run.
#include "fields/flow_fields_cgns.h"
#include "files/file_error.h"
#include "files/layout_file.h"
#include "gui/colour_legend_view.h"
#include "gui/picture_texts.h"
#include "gui/window_text.h"
#include "layout/channel_extent.h"
#include "ui/file_dialog.h"
#include "ui/flow_dialog.h"
#include "ui/layout_dialog.h"
#include "ui/main_window.h"
#include "ui/main_window_texts.h"
#include "ui/run_length_dialog.h"
#include "view/surfaces.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include <algorithm>

void MainWindow::buildKeepMenu() {
  // First on the menu bar, where every desktop program has its file menu.
  keep_ = new QMenu(menuBar());
  texts_.bind(keep_, &QMenu::setTitle, MainWindowText::menuKeep);
  menuBar()->insertMenu(menuBar()->actions().value(0), keep_);
  keep_->setObjectName("Keep");
  keep_->menuAction()->setObjectName("Keep");
  auto addItem = [this](const char* name, const char* caption, void (MainWindow::*handler)()) {
    QAction* a = keep_->addAction(QString());
    texts_.bind(a, &QAction::setText, caption);
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, handler);
    return a;
  };
  addItem("KeepOpen", MainWindowText::menuOpen, &MainWindow::openClick);
  addItem("KeepSave", MainWindowText::menuSave, &MainWindow::saveClick);
  addItem("KeepSaveAs", MainWindowText::menuSaveAs, &MainWindow::saveAsClick);
  addItem("KeepPicture", MainWindowText::menuSavePicture, &MainWindow::savePictureClick);
  saveFields_ = addItem("KeepFields", MainWindowText::menuSaveFields, &MainWindow::saveFieldsClick);
  keep_->addSeparator();
  addItem("KeepFlow", MainWindowText::menuFlowConditions, &MainWindow::flowConditionsClick);
  addItem("KeepRunLength", MainWindowText::menuRunLength, &MainWindow::runLengthClick);
  // The fields are there once a run of the layout on screen has gone beyond
  // its tenth step, as for the plot buttons.
  connect(keep_, &QMenu::aboutToShow, this, [this] { saveFields_->setEnabled(flowPlotsReady()); });

  chooseFile = [this](bool save, const QString& filter) {
    return chooseFileName(this, save, filter);
  };
  legendStrip_ = new ColourLegendStrip(centralWidget());
}

void MainWindow::showLegend(const ColourLegend& legend) {
  if (legendStrip_) legendStrip_->setLegend(legend);
}

const ColourLegend& MainWindow::shownLegend() const {
  return legendStrip_->legend();
}

QImage MainWindow::pictureToSave() const {
  return pictureWithLegend(windowSurface(), shownLegend());
}

bool MainWindow::openLayoutFile(const QString& path) {
  const LayoutFileResult read = readLayoutFile(path, model_->layout);
  if (!read.layout) {
    services_->showMessage(read.error.toStdString());
    return false;
  }
  const int selected = model_->editing.selectedColumn;
  model_->layout = *read.layout;
  const FlowConditions flowBefore = model_->flow;
  model_->flow = read.flow; // the file's, classic when it has none
  // The column picked for editing stays within the columns of the file.
  model_->editing.selectedColumn = std::min(selected, model_->layout.nColumns);
  // A layout too large for the arrays is refused by rebuildGrids as the dialog's
  // are: its message, and the last layout that fitted is put back.
  if (!layoutRefresh(LayoutStep::single, path)) {
    model_->flow = flowBefore;
    model_->editing.selectedColumn = selected;
    layoutDialog_->showLayout();
    return false;
  }
  noteLayoutFile(path);
  return true;
}

void MainWindow::openClick() {
  if (!maySetLayoutAside()) return;
  const QString path = chooseFile(false, text(MainWindowText::layoutFilter));
  if (!path.isEmpty()) openLayoutFile(path);
}

void MainWindow::saveClick() {
  if (layoutPath_.isEmpty()) {
    saveAsClick();
    return;
  }
  if (const auto error = saveLayoutFile(layoutPath_, model_->layout, model_->flow)) {
    services_->showMessage(error->toStdString());
    return;
  }
  noteLayoutFile(layoutPath_);
  statusBar()->showMessage(text(MainWindowText::saved).arg(layoutPath_), 5000);
}

void MainWindow::saveAsClick() {
  const QString path = chooseFile(true, text(MainWindowText::layoutFilter));
  if (path.isEmpty()) return;
  if (const auto error = saveLayoutFile(path, model_->layout, model_->flow)) {
    services_->showMessage(error->toStdString());
    return;
  }
  noteLayoutFile(path);
  statusBar()->showMessage(text(MainWindowText::saved).arg(path), 5000);
}

void MainWindow::savePictureClick() {
  const QString path = chooseFile(true, text(MainWindowText::pictureFilter));
  if (path.isEmpty()) return;
  if (const auto error = savePicturePng(path, pictureToSave()))
    services_->showMessage(error->toStdString());
}

void MainWindow::saveFieldsClick() {
  if (!flowPlotsReady()) return;
  const QString path = chooseFile(true, text(MainWindowText::fieldsFilter));
  if (path.isEmpty()) return;
  if (const auto error =
          writeFlowFieldsCgns(model_->layout, model_->constants, model_->grids, model_->coupling,
                              model_->solution, path.toStdString()))
    services_->showMessage(
        text(PictureText::fieldsNotSaved)
            .arg(path, fileErrorReason(path, FileAccess::write, QString::fromStdString(*error)))
            .toStdString());
}

void MainWindow::flowConditionsClick() {
  if (!flowDialog_) {
    flowDialog_ = new FlowDialog(this);
    connect(flowDialog_, &QDialog::accepted, this,
            [this] { applyFlowConditions(flowDialog_->conditions(), flowDialog_->channel()); });
  }
  flowDialog_->setConditions(model_->flow);
  flowDialog_->setChannel(model_->layout.channel, channelOfGrid(model_->layout, model_->grids));
  flowDialog_->open(); // window-modal, without a loop of its own
}

void MainWindow::applyFlowConditions(const FlowConditions& flow,
                                     const std::optional<ChannelConditions>& channel) {
  if (flow == model_->flow && (!channel || *channel == model_->layout.channel)) return;
  const FlowConditions flowBefore = model_->flow;
  model_->flow = flow;
  if (channel) model_->layout.channel = *channel;
  // A refused channel is put back with the last layout that fitted.
  if (!layoutRefresh()) model_->flow = flowBefore;
}

void MainWindow::runLengthClick() {
  if (!runLengthDialog_) {
    runLengthDialog_ = new RunLengthDialog(this);
    // The length of the next run; the flow on screen stays what it is.
    connect(runLengthDialog_, &QDialog::accepted, this,
            [this] { model_->run.runLength = runLengthDialog_->runLength(); });
  }
  runLengthDialog_->setRunLength(model_->run.runLength);
  runLengthDialog_->open(); // window-modal, without a loop of its own
}
