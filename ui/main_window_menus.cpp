// The main window's menus and the actions of its menu items and picture
// buttons: patterns, particle speeds, results windows, selection, the plot
// buttons, pan and zoom, the check boxes.
#include "ui/main_window.h"

#include "gui/language.h"
#include "gui/window_text.h"
#include "layout/presets.h"
#include "run/run.h"
#include "ui/about_box.h"
#include "ui/forces_window.h"
#include "ui/history_window.h"
#include "ui/layout_dialog.h"
#include "ui/main_window_texts.h"
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
  file1_ = addMenu("File1", T::menuFile);
  addItem(file1_, "Whirlpane1", T::menuQuit, &MainWindow::Whirlpane1Click);
  n2_ = addMenu("N2", T::menuPatterns);
  addItem(n2_, "pt_1", T::menuPattern[1], &MainWindow::pt_1Click);
  addItem(n2_, "pt_2", T::menuPattern[2], &MainWindow::pt_2Click);
  addItem(n2_, "pt_3", T::menuPattern[3], &MainWindow::pt_3Click);
  addItem(n2_, "pt_4", T::menuPattern[4], &MainWindow::pt_4Click);
  n11_ = addMenu("N11", T::menuParticles);
  addItem(n11_, "N10", T::menuParticlesSlow, &MainWindow::N10Click);
  addItem(n11_, "N9", T::menuParticlesFast, &MainWindow::N9Click);
  addItem(n11_, "N12", T::menuParticlesFastest, &MainWindow::N12Click);
  // Open in every mode: the history is worth watching while a run proceeds.
  results_ = addMenu("results", T::menuResults);
  addItem(results_, "historyItem", T::menuHistory, &MainWindow::historyClick);
  addItem(results_, "forcesItem", T::menuForces, &MainWindow::forcesClick);
  addItem(results_, "surfaceItem", T::menuSurface, &MainWindow::surfaceClick);
  // The surfaces are read from a flow of the layout on screen only.
  connect(results_, &QMenu::aboutToShow, this,
          [this, item = results_->actions().last()] { item->setEnabled(canContinue(*model_)); });
  hensh_ = addMenu("hensh", T::menuEdit);
  addItem(hensh_, "N7", T::menuSelectAll, &MainWindow::N7Click);
  addItem(hensh_, "N8", T::menuSelectColumn, &MainWindow::N8Click);
  modelK_ = addMenu("model_k", T::menuModelCheck);
  addItem(modelK_, "N4", T::menuMesh, &MainWindow::N4Click);
  addItem(modelK_, "bylr11", T::menuLinks, &MainWindow::bylr11Click);
  addItem(modelK_, "N6", T::menuHoles, &MainWindow::N6Click);
  addItem(modelK_, "N21", T::menuHoles2, &MainWindow::N21Click);
  for (const auto& [name, caption] :
       {std::pair{"N5", T::menuBlank}, std::pair{"N3", T::menuSpacer}}) {
    QAction* a = bar->addAction(QString());
    a->setObjectName(name);
    texts_.bind(a, &QAction::setText, caption);
  }
  about_ = addMenu("about", T::menuAbout);
  addItem(about_, "tuite", T::menuVersion, &MainWindow::tuiteClick);
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

void MainWindow::BitBtn4Click() {
  if (!flowPlotsReady()) return;
  fillViewWhite();
  drawVectors();
  copyToWindow();
}

void MainWindow::BitBtn3Click() {
  if (!flowPlotsReady()) return;
  plotVorticity();
}

void MainWindow::BitBtn6Click() {
  if (!flowPlotsReady()) return;
  drawPres();
  showSurface();
}

void MainWindow::BitBtn5Click() {
  drawMitudo();
  showSurface();
}

// -------------------------------------------------------------- pan and zoom

void MainWindow::panOrZoom(int change) {
  viewMovedByUser_ = true;
  changeView(*model_, *surfaces_, *services_, static_cast<ViewChange>(change),
             layoutDialog_->wholeLayoutChosen());
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

void MainWindow::BitBtn9Click() {
  panOrZoom(static_cast<int>(ViewChange::centreXPlus));
}
void MainWindow::BitBtn10Click() {
  panOrZoom(static_cast<int>(ViewChange::centreXMinus));
}
void MainWindow::BitBtn11Click() {
  panOrZoom(static_cast<int>(ViewChange::centreYPlus));
}
void MainWindow::BitBtn12Click() {
  panOrZoom(static_cast<int>(ViewChange::centreYMinus));
}
void MainWindow::BitBtn7Click() {
  panOrZoom(static_cast<int>(ViewChange::zoomOut));
}
void MainWindow::BitBtn8Click() {
  panOrZoom(static_cast<int>(ViewChange::zoomIn));
}

void MainWindow::CheckBox1Click() {
  model_->fillContours = checkBox1_->isChecked();
}
void MainWindow::CheckBox2Click() {
  model_->blackLines = checkBox2_->isChecked();
}

void MainWindow::applyPattern(int n) {
  if (!applyPreset(*model_, *services_, n)) return;
  layoutRedrawAfterKmake();
  recordLayoutChange(LayoutStep::single);
}

void MainWindow::selectionItem(bool all) {
  model_->selectAllColumns = all;
  layoutDialog_->showLayout();
  redrawOutlines();
}

// ------------------------------------------------------------ other commands

void MainWindow::Whirlpane1Click() {
  close();
}

void MainWindow::historyClick() {
  if (!historyWindow_) {
    historyWindow_ = new HistoryWindow(*model_, this);
    historyWindow_->csvHooks.showFailure = [this](const QString& message) {
      services().showMessage(message.toStdString());
    };
  }
  historyWindow_->show();
  historyWindow_->raise();
}

void MainWindow::forcesClick() {
  if (!forcesWindow_) {
    forcesWindow_ = new ForcesWindow(*model_, this);
    forcesWindow_->csvHooks.showFailure = [this](const QString& message) {
      services().showMessage(message.toStdString());
    };
  }
  forcesWindow_->show();
  forcesWindow_->raise();
  forcesWindow_->refresh();
}

void MainWindow::surfaceClick() {
  if (!surfaceWindow_) {
    surfaceWindow_ = new SurfaceWindow(*model_, this);
    surfaceWindow_->csvHooks.showFailure = [this](const QString& message) {
      services().showMessage(message.toStdString());
    };
  }
  surfaceWindow_->show();
  surfaceWindow_->raise();
  surfaceWindow_->refresh();
}

void MainWindow::tuiteClick() {
  aboutBox_->show();
  aboutBox_->raise();
}
