// The main window's frame: its construction, the control modes and the
// window's size.  The strip of controls and the status bar, the menus and
// their actions, the run's glue, the picture on screen and the files have
// files of their own (main_window_strip.cpp, main_window_menus.cpp,
// main_window_run.cpp, main_window_view.cpp, main_window_files.cpp).
#include "ui/main_window.h"

#include "gui/application_setup.h"
#include "gui/colour_legend_view.h"
#include "run/setup.h"
#include "ui/about_box.h"
#include "ui/controls.h"
#include "ui/forces_window.h"
#include "ui/history_window.h"
#include "ui/layout_dialog.h"
#include "ui/run_thread.h"
#include "ui/surface_window.h"
#include "view/surfaces.h"
#include "view/transform.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

MainWindow::MainWindow() : model_(makeModel()) {
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFont(interfaceFont(12));
  // The view of 700 x 452 and the legend column at its right.
  setGeometry(227, 283, 700 + legendColumnWidth(), 452);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);

  canvas_ = createCanvas();
  setCentralWidget(canvas_);
  buildStrip();
  buildStatusBar();
  buildMenus();
  buildKeepMenu();
  buildViewMenu();
  buildSettingsMenu();

  services_ = std::make_unique<QtWindowServices>(QtWindowServices::Controls{
      titlePanel_, statusPanel_, fillCheck_, blackLinesCheck_, progressBar_, this});
  runThread_ = std::make_unique<RunThread>(*this);
  connect(particleSpeedBar_, &QScrollBar::valueChanged, this,
          [this] { runThread_->setFrameRepeats(particleFrameRepeats()); });

  createControls();
  buildHistory();

  layoutDialog_ = new LayoutDialog(*this);
  aboutBox_ = new AboutBox(*this);
  fitControlsToWindow();
  buildKeyboard();
  // The texts are set as the controls are made; this sizes the window to them.
  retranslateUi();
  keepInsideScreen(this);
}

QSize MainWindow::smallestUsableSize() const {
  // Wide enough for the strip's controls (the speed label of the particle
  // mode reaches furthest) and for the menu bar without an overflow; high
  // enough for the pan cross between the strip and the status bar.
  const int stripRight =
      std::max(particleSpeedLabel_->geometry().right(), zoomInButton_->geometry().right());
  const int width = std::max(stripRight, menuBar()->sizeHint().width()) + 8;
  const int panCrossBottom = panDownButton_->geometry().bottom();
  // And for the tallest colour legend below the pan cross.
  const int height = menuBar()->sizeHint().height() +
                     std::max(panCrossBottom, legendColumnBottom()) + statusBar()->height() + 8;
  return {width, height};
}

MainWindow::~MainWindow() {
  // A run still going on ends, served by this window, before it goes.
  runThread_->stopAndWait();
}

void MainWindow::createControls() {
  Model& m = *model_;
  m.editing.programVersion = 1.609;
  modelCheckMenu_->menuAction()->setVisible(false);
  m.view.fillContours = false;
  m.view.blackLines = false;
  editMenu_->menuAction()->setVisible(false);

  m.editing.selectAllColumns = true;
  createPicture(700, 452);
  setStartupDefaults(m.layout, m.editing, m.view);

  stopButton_->hide();
  stopButton_->setColours(QColor(125, 0, 0), QColor(255, 255, 105));
  startButton_->setColours(QColor(0, 0, 205), QColor(225, 225, 255));
  continueButton_->setColours(QColor(0, 0, 205), QColor(225, 225, 255));

  showProblems(*services_, remakeGrids(m, *services_));
  centreViewAtStart(m.layout, m.grids, m.view);
  placeLayoutOnView();
  fillViewWhite();
  showBodyOutlines();
  copyToWindow();
}

void MainWindow::showAtStart() {
  show();
  setControlMode(1);
}

// ------------------------------------------------------------- control modes

void MainWindow::setControlMode(int mode) {
  if (mode < 1 || mode > 3) return;
  mode_ = mode;
  const bool editing = mode == 1;
  if (editing) {
    // A quit that waits for the loop to end does not bring the dialog back.
    if (!quitRequested_) layoutDialog_->show();
  } else {
    layoutDialog_->hide();
  }
  progressBar_->setVisible(!editing);
  stopButton_->setVisible(!editing);
  for (QMenu* menu : {programMenu_, about_, patternMenu_, particleMenu_, keep_, view_, settings_})
    menu->menuAction()->setVisible(editing);
  startButton_->setVisible(editing);
  updateContinueButton();
  // The last steps of a run that ended, in full, and the forces of its flow
  // (or none, after a layout change).
  if (editing && historyWindow_ && historyWindow_->isVisible()) historyWindow_->refresh();
  if (editing && forcesWindow_ && forcesWindow_->isVisible()) forcesWindow_->refresh();
  if (editing && surfaceWindow_ && surfaceWindow_->isVisible()) surfaceWindow_->refresh();
  setCloseItemEnabled(this, editing);
  for (QToolButton* b : pictureButtons()) b->setVisible(mode != 3);
  // The traces hide the check boxes; they come back with the other controls.
  if (mode != 3) {
    fillCheck_->show();
    blackLinesCheck_->show();
  }
  particleSpeedBar_->setVisible(mode == 3);
  particleSpeedLabel_->setVisible(mode == 3);
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::LanguageChange) retranslateUi();
}

void MainWindow::retranslateUi() {
  setFont(interfaceFont(12));
  texts_.apply();
  markMenuAccessKeys();
  updateCaption();
  // The legend's words and the menu bar's have other widths in the other
  // language: the legend column, the scale bar and the smallest usable size
  // follow them.
  setMinimumSize(smallestUsableSize());
  showLegend(shownLegend());
  fitPictureToWindow();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (!layoutDialog_) return; // still being built
  // Without a window manager nothing holds the window to its minimum size
  // (a resize request is simply granted): grow back to it.
  if (width() < minimumWidth() || height() < minimumHeight())
    QTimer::singleShot(0, this, [this] { resize(size().expandedTo(minimumSize())); });
  fitPictureToWindow();
}

void MainWindow::fitPictureToWindow() {
  // The view bitmap follows the window's width less the legend column and
  // its outer height, and the picture on screen is drawn again at that size.
  resizePicture(width() - legendColumnWidth(), frameGeometry().height());
  showSurface();
  fitControlsToWindow();
}

void MainWindow::fitControlsToWindow() {
  if (!panRightButton_) return;
  strip_->resize(width(), strip_->height());
  const int panRightX = frameGeometry().width() - 50;
  panRightButton_->move(panRightX, panRightButton_->y());
  panDownButton_->move(panRightX - 32, panDownButton_->y());
  panUpButton_->move(panRightX - 32, panUpButton_->y());
  panLeftButton_->move(panRightX - 62, panLeftButton_->y());
}
