// The main window's frame: its construction, the strip of controls, the
// status bar, the control modes and the window's size.  The menus and their
// actions, the run's glue, the picture on screen and the files have files of
// their own (main_window_menus.cpp, main_window_run.cpp, main_window_view.cpp,
// main_window_files.cpp).
#include "ui/main_window.h"

#include "gui/application_setup.h"
#include "gui/colour_legend_view.h"
#include "gui/window_text.h"
#include "run/setup.h"
#include "ui/about_box.h"
#include "ui/controls.h"
#include "ui/forces_window.h"
#include "ui/history_window.h"
#include "ui/layout_dialog.h"
#include "ui/main_window_texts.h"
#include "ui/run_thread.h"
#include "ui/surface_window.h"
#include "view/surfaces.h"
#include "view/transform.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <functional>

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

void MainWindow::buildStrip() {
  auto* strip = new QFrame(canvas_);
  strip_ = strip;
  strip->setObjectName("Strip");
  strip->setGeometry(0, 0, 692, 27); // fitControlsToWindow spans it over the window
  strip->setAutoFillBackground(true);
  QPalette stripPalette = strip->palette();
  stripPalette.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
  strip->setPalette(stripPalette);

  fillCheck_ = new QCheckBox(strip);
  fillCheck_->setObjectName("fillCheck");
  texts_.bind(fillCheck_, &QCheckBox::setText, MainWindowText::fillContours);
  // As high as the indicator needs, centred on the strip's line of text.
  const int boxHeight = fillCheck_->sizeHint().height();
  fillCheck_->setGeometry(3, 14 - boxHeight / 2, 70, boxHeight);
  connect(fillCheck_, &QCheckBox::clicked, this, &MainWindow::onFillToggled);
  blackLinesCheck_ = new QCheckBox(strip);
  blackLinesCheck_->setObjectName("blackLinesCheck");
  texts_.bind(blackLinesCheck_, &QCheckBox::setText, MainWindowText::blackLines);
  blackLinesCheck_->setGeometry(72, 14 - boxHeight / 2, 85, boxHeight);
  connect(blackLinesCheck_, &QCheckBox::clicked, this, &MainWindow::onBlackLinesToggled);

  progressBar_ = new QProgressBar(strip);
  progressBar_->setObjectName("progressBar");
  progressBar_->setGeometry(169, 5, 143, 17);
  progressBar_->setTextVisible(false);
  progressBar_->hide();

  startButton_ = new PanelButton(QString(), strip);
  startButton_->setObjectName("startButton");
  texts_.bind(startButton_, &PanelButton::setCaption, MainWindowText::start);
  startButton_->setGeometry(216, 2, 80, 23);
  connect(startButton_, &PanelButton::clicked, this, &MainWindow::onStartClicked);
  stopButton_ = new PanelButton(QString(), strip);
  stopButton_->setObjectName("stopButton");
  texts_.bind(stopButton_, &PanelButton::setCaption, MainWindowText::stop);
  stopButton_->setGeometry(315, 2, 38, 23);
  connect(stopButton_, &PanelButton::clicked, this, &MainWindow::onStopClicked);
  // Beside the start button, where the stop button stands during a run.
  continueButton_ = new PanelButton(QString(), strip);
  continueButton_->setObjectName("ContinueButton");
  texts_.bind(continueButton_, &PanelButton::setCaption, MainWindowText::continueRun);
  continueButton_->setGeometry(298, 2, 62, 23);
  continueButton_->hide();
  connect(continueButton_, &PanelButton::clicked, this, &MainWindow::onContinueClicked);

  struct PictureButton {
    QToolButton* MainWindow::*member;
    const char* name;
    QWidget* parent;
    QRect place;
    const char* tip;
    void (MainWindow::*handler)();
  };
  using T = MainWindowText;
  using W = MainWindow;
  const PictureButton pictureButtons[] = {
      {&W::vectorsButton_,
       "vectorsButton",
       strip,
       {363, 2, 34, 23},
       T::tipVectors,
       &W::onVectorsClicked},
      {&W::vorticityButton_,
       "vorticityButton",
       strip,
       {397, 2, 34, 23},
       T::tipVorticity,
       &W::onVorticityClicked},
      {&W::pressureButton_,
       "pressureButton",
       strip,
       {431, 2, 34, 23},
       T::tipPressure,
       &W::onPressureClicked},
      {&W::densityButton_,
       "densityButton",
       strip,
       {465, 2, 34, 23},
       T::tipDensity,
       &W::onDensityClicked},
      {&W::zoomOutButton_, "zoomOutButton", strip, {521, 2, 34, 23}, T::tipZoomOut, &W::onZoomOut},
      {&W::zoomInButton_, "zoomInButton", strip, {555, 2, 34, 23}, T::tipZoomIn, &W::onZoomIn},
      {&W::panUpButton_, "panUpButton", canvas_, {552, 35, 33, 22}, T::tipPanUp, &W::onPanUp},
      {&W::panLeftButton_,
       "panLeftButton",
       canvas_,
       {522, 57, 30, 22},
       T::tipPanLeft,
       &W::onPanLeft},
      {&W::panRightButton_,
       "panRightButton",
       canvas_,
       {584, 57, 30, 22},
       T::tipPanRight,
       &W::onPanRight},
      {&W::panDownButton_,
       "panDownButton",
       canvas_,
       {552, 78, 33, 22},
       T::tipPanDown,
       &W::onPanDown},
  };
  for (const PictureButton& s : pictureButtons) {
    auto* b = new QToolButton(s.parent);
    b->setObjectName(s.name);
    b->setGeometry(s.place);
    texts_.bind(b, &QToolButton::setToolTip, s.tip);
    b->setFocusPolicy(Qt::NoFocus);
    connect(b, &QToolButton::clicked, this, s.handler);
    this->*s.member = b;
  }
  texts_.bind(vorticityButton_, &QToolButton::setText, MainWindowText::vorticityButton);
  vectorsButton_->setIcon(pictureIcon(Picture::vectors));
  pressureButton_->setIcon(pictureIcon(Picture::pressure));
  densityButton_->setIcon(pictureIcon(Picture::density));
  zoomOutButton_->setIcon(pictureIcon(Picture::zoomOut));
  zoomInButton_->setIcon(pictureIcon(Picture::zoomIn));
  panUpButton_->setIcon(pictureIcon(Picture::panUp));
  panLeftButton_->setIcon(pictureIcon(Picture::panLeft));
  panRightButton_->setIcon(pictureIcon(Picture::panRight));
  panDownButton_->setIcon(pictureIcon(Picture::panDown));

  particleSpeedBar_ = new QScrollBar(Qt::Horizontal, strip);
  particleSpeedBar_->setObjectName("particleSpeedBar");
  particleSpeedBar_->setGeometry(410, 4, 89, 18);
  particleSpeedBar_->setRange(1, 5);
  particleSpeedBar_->setValue(3);
  particleSpeedBar_->setPageStep(1);
  particleSpeedBar_->hide();
  particleSpeedLabel_ = new QLabel(strip);
  particleSpeedLabel_->setObjectName("particleSpeedLabel");
  particleSpeedLabel_->move(502, 8);
  texts_.add(particleSpeedLabel_, [this] {
    particleSpeedLabel_->setText(text(MainWindowText::particleSpeed));
    particleSpeedLabel_->adjustSize();
  });
  particleSpeedLabel_->hide();
}

void MainWindow::buildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("statusBar");
  bar->setFixedHeight(20);
  titlePanel_ = new QLabel(bar);
  titlePanel_->setObjectName("titlePanel");
  titlePanel_->setFixedWidth(400);
  statusPanel_ = new QLabel(bar);
  statusPanel_->setObjectName("statusPanel");
  bar->addWidget(titlePanel_);
  bar->addWidget(statusPanel_, 1);
  probe_ = new QLabel(bar);
  probe_->setObjectName("Probe");
  bar->addPermanentWidget(probe_);
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
