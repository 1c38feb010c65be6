// The main window's menus and the actions of its menu items and picture
// buttons: patterns, particle speeds, results windows, selection, the plot
// buttons, pan and zoom, the check boxes.
#include "ui/main_window.h"

#include "gui/language.h"
#include "gui/window_text.h"
#include "layout/presets.h"
#include "run/run.h"
#include "run/setup.h"
#include "ui/about_box.h"
#include "ui/forces_window.h"
#include "ui/history_window.h"
#include "ui/layout_dialog.h"
#include "ui/main_window_texts.h"
#include "ui/run_thread.h"
#include "ui/surface_window.h"
#include "view/transform.h"

#include <QCheckBox>
#include <QMenuBar>

void MainWindow::buildMenus() {
  QMenuBar* bar = menuBar();
  auto addMenu = [this, bar](const char* name, const char* caption) {
    QMenu* menu = bar->addMenu(QString());
    texts_.bind(menu, &QMenu::setTitle, caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
  };
  auto addItem = [this](QMenu* menu, const char* name, const char* caption,
                        void (MainWindow::*handler)()) {
    QAction* a = menu->addAction(QString());
    texts_.bind(a, &QAction::setText, caption);
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, handler);
  };
  using T = MainWindowText;
  programMenu_ = addMenu("programMenu", T::menuFile);
  addItem(programMenu_, "quitItem", T::menuQuit, &MainWindow::onQuitChosen);
  patternMenu_ = addMenu("patternMenu", T::menuPatterns);
  addItem(patternMenu_, "pattern1Item", T::menuPattern[1], &MainWindow::onPattern1Chosen);
  addItem(patternMenu_, "pattern2Item", T::menuPattern[2], &MainWindow::onPattern2Chosen);
  addItem(patternMenu_, "pattern3Item", T::menuPattern[3], &MainWindow::onPattern3Chosen);
  addItem(patternMenu_, "pattern4Item", T::menuPattern[4], &MainWindow::onPattern4Chosen);
  particleMenu_ = addMenu("particleMenu", T::menuParticles);
  addItem(particleMenu_, "particlesSlowItem", T::menuParticlesSlow,
          &MainWindow::onParticlesSlowChosen);
  addItem(particleMenu_, "particlesFastItem", T::menuParticlesFast,
          &MainWindow::onParticlesFastChosen);
  addItem(particleMenu_, "particlesFastestItem", T::menuParticlesFastest,
          &MainWindow::onParticlesFastestChosen);
  // Open in every mode: the history is worth watching while a run proceeds.
  results_ = addMenu("resultsMenu", T::menuResults);
  addItem(results_, "historyItem", T::menuHistory, &MainWindow::historyClick);
  addItem(results_, "forcesItem", T::menuForces, &MainWindow::forcesClick);
  addItem(results_, "surfaceItem", T::menuSurface, &MainWindow::surfaceClick);
  // The surfaces are read from a flow of the layout on screen only.
  connect(results_, &QMenu::aboutToShow, this, [this, item = results_->actions().last()] {
    item->setEnabled(canContinue(model_->layout, model_->flow, model_->solution));
  });
  editMenu_ = addMenu("editMenu", T::menuEdit);
  addItem(editMenu_, "selectAllColumnsItem", T::menuSelectAll,
          &MainWindow::onSelectAllColumnsChosen);
  addItem(editMenu_, "selectOneColumnItem", T::menuSelectColumn,
          &MainWindow::onSelectOneColumnChosen);
  modelCheckMenu_ = addMenu("modelCheckMenu", T::menuModelCheck);
  addItem(modelCheckMenu_, "meshViewItem", T::menuMesh, &MainWindow::onMeshViewChosen);
  addItem(modelCheckMenu_, "linkViewItem", T::menuLinks, &MainWindow::onLinkViewChosen);
  addItem(modelCheckMenu_, "holeViewItem", T::menuHoles, &MainWindow::onHoleViewChosen);
  addItem(modelCheckMenu_, "unfilledReceiverViewItem", T::menuHoles2,
          &MainWindow::onUnfilledReceiverViewChosen);
  for (const auto& [name, caption] :
       {std::pair{"blankItem", T::menuBlank}, std::pair{"spacerItem", T::menuSpacer}}) {
    QAction* a = bar->addAction(QString());
    a->setObjectName(name);
    texts_.bind(a, &QAction::setText, caption);
  }
  about_ = addMenu("aboutMenu", T::menuAbout);
  addItem(about_, "versionItem", T::menuVersion, &MainWindow::onAboutChosen);
}

// The interface's language, last on the menu bar as settings are.
void MainWindow::buildSettingsMenu() {
  settings_ = menuBar()->addMenu(QString());
  settings_->setObjectName("Settings");
  settings_->menuAction()->setObjectName("Settings");
  texts_.add(settings_, [this] {
    settings_->setTitle(uiText(MainWindowText::menuSettings, MainWindowText::menuSettingsUse));
  });
  QMenu* language = settings_->addMenu(QString());
  language->setObjectName("Language");
  language->menuAction()->setObjectName("Language");
  texts_.bind(language, &QMenu::setTitle, MainWindowText::menuLanguage);
  addLanguageItems(language, texts_);
}

// ------------------------------------------------------------- plot buttons

void MainWindow::onVectorsClicked() {
  if (runThread_->deferWhileRunning([this] { onVectorsClicked(); })) return;
  if (!flowPlotsReady()) return;
  fillViewWhite();
  drawVectors();
  copyToWindow();
}

void MainWindow::onVorticityClicked() {
  if (runThread_->deferWhileRunning([this] { onVorticityClicked(); })) return;
  if (!flowPlotsReady()) return;
  plotVorticity();
}

void MainWindow::onPressureClicked() {
  if (runThread_->deferWhileRunning([this] { onPressureClicked(); })) return;
  if (!flowPlotsReady()) return;
  showPressureMap();
  showSurface();
}

void MainWindow::onDensityClicked() {
  if (runThread_->deferWhileRunning([this] { onDensityClicked(); })) return;
  showDensityMap();
  showSurface();
}

// -------------------------------------------------------------- pan and zoom

void MainWindow::panOrZoom(int change) {
  if (runThread_->deferWhileRunning([this, change] { panOrZoom(change); })) return;
  viewMovedByUser_ = true;
  changeView(model_->layout, model_->editing, model_->grids, model_->view, model_->pixels,
             *surfaces_, static_cast<ViewChange>(change), layoutDialog_->wholeLayoutChosen());
  showNewViewControls(*services_);
  // changeView has drawn the outlines at the new transform; any other
  // picture on screen is drawn again there, as for a new window size.  The
  // stored particle traces do not follow a new transform: after them the
  // outlines stay.
  if (shown_ == ShownPicture::particles) noteShown(ShownPicture::outlines);
  if (shown_ == ShownPicture::outlines)
    showLegend({});
  else
    redrawShownPicture();
  showSurface();
}

void MainWindow::onPanLeft() {
  panOrZoom(static_cast<int>(ViewChange::centreXPlus));
}
void MainWindow::onPanRight() {
  panOrZoom(static_cast<int>(ViewChange::centreXMinus));
}
void MainWindow::onPanDown() {
  panOrZoom(static_cast<int>(ViewChange::centreYPlus));
}
void MainWindow::onPanUp() {
  panOrZoom(static_cast<int>(ViewChange::centreYMinus));
}
void MainWindow::onZoomOut() {
  panOrZoom(static_cast<int>(ViewChange::zoomOut));
}
void MainWindow::onZoomIn() {
  panOrZoom(static_cast<int>(ViewChange::zoomIn));
}

void MainWindow::onFillToggled() {
  if (runThread_->deferWhileRunning([this] { onFillToggled(); })) return;
  model_->view.fillContours = fillCheck_->isChecked();
}
void MainWindow::onBlackLinesToggled() {
  if (runThread_->deferWhileRunning([this] { onBlackLinesToggled(); })) return;
  model_->view.blackLines = blackLinesCheck_->isChecked();
}

void MainWindow::applyPattern(int n) {
  if (!writePreset(model_->layout, model_->view, n) ||
      showProblems(*services_, remakeGrids(*model_, *services_)))
    return;
  redrawLayoutAfterGrids();
  recordLayoutChange(LayoutStep::single);
}

void MainWindow::selectionItem(bool all) {
  model_->editing.selectAllColumns = all;
  layoutDialog_->showLayout();
  redrawOutlines();
}

// ------------------------------------------------------------ other commands

void MainWindow::onQuitChosen() {
  close();
}

void MainWindow::historyClick() {
  if (!historyWindow_) {
    historyWindow_ = new HistoryWindow(*model_, this);
    historyWindow_->modelReadable = [this] { return runThread_->windowHasModel(); };
    historyWindow_->csvHooks.showFailure = [this](const QString& message) {
      services().showMessage(message.toStdString());
    };
  }
  historyWindow_->show();
  historyWindow_->raise();
  runThread_->setHistoryOpen(true);
}

// Shows a window of the run's results, made on first use: it reads the model
// only while the window holds it, and a failed CSV save is told through the
// window's services.
template <class ResultWindow> void MainWindow::showResultWindow(ResultWindow*& window) {
  if (!window) {
    window = new ResultWindow(*model_, this);
    window->modelReadable = [this] { return runThread_->windowHasModel(); };
    window->csvHooks.showFailure = [this](const QString& message) {
      services().showMessage(message.toStdString());
    };
  }
  window->show();
  window->raise();
  window->refresh();
}

void MainWindow::forcesClick() {
  showResultWindow(forcesWindow_);
}

void MainWindow::surfaceClick() {
  showResultWindow(surfaceWindow_);
}

void MainWindow::onAboutChosen() {
  aboutBox_->show();
  aboutBox_->raise();
}
