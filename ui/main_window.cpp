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
      panel0_, panel1_, fillCheck_, blackLinesCheck_, progressBar_, this});
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
      std::max(particleSpeedLabel_->geometry().right(), bitBtn_[8]->geometry().right());
  const int width = std::max(stripRight, menuBar()->sizeHint().width()) + 8;
  const int panCrossBottom = bitBtn_[11]->geometry().bottom();
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
  fillCheck_->setObjectName("CheckBox1");
  texts_.bind(fillCheck_, &QCheckBox::setText, MainWindowText::fillContours);
  // As high as the indicator needs, centred on the strip's line of text.
  const int boxHeight = fillCheck_->sizeHint().height();
  fillCheck_->setGeometry(3, 14 - boxHeight / 2, 70, boxHeight);
  connect(fillCheck_, &QCheckBox::clicked, this, &MainWindow::onFillToggled);
  blackLinesCheck_ = new QCheckBox(strip);
  blackLinesCheck_->setObjectName("CheckBox2");
  texts_.bind(blackLinesCheck_, &QCheckBox::setText, MainWindowText::blackLines);
  blackLinesCheck_->setGeometry(72, 14 - boxHeight / 2, 85, boxHeight);
  connect(blackLinesCheck_, &QCheckBox::clicked, this, &MainWindow::onBlackLinesToggled);

  progressBar_ = new QProgressBar(strip);
  progressBar_->setObjectName("ProgressBar1");
  progressBar_->setGeometry(169, 5, 143, 17);
  progressBar_->setTextVisible(false);
  progressBar_->hide();

  startButton_ = new PanelButton(QString(), strip);
  startButton_->setObjectName("button2");
  texts_.bind(startButton_, &PanelButton::setCaption, MainWindowText::start);
  startButton_->setGeometry(216, 2, 80, 23);
  connect(startButton_, &PanelButton::clicked, this, &MainWindow::onStartClicked);
  stopButton_ = new PanelButton(QString(), strip);
  stopButton_->setObjectName("Button1");
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
    int n;
    QWidget* parent;
    QRect place;
    const char* tip;
    void (MainWindow::*handler)();
  };
  const PictureButton pictureButtons[] = {
      {4, strip, {363, 2, 34, 23}, MainWindowText::tipVectors, &MainWindow::onVectorsClicked},
      {3, strip, {397, 2, 34, 23}, MainWindowText::tipVorticity, &MainWindow::onVorticityClicked},
      {6, strip, {431, 2, 34, 23}, MainWindowText::tipPressure, &MainWindow::onPressureClicked},
      {5, strip, {465, 2, 34, 23}, MainWindowText::tipDensity, &MainWindow::onDensityClicked},
      {7, strip, {521, 2, 34, 23}, MainWindowText::tipZoomOut, &MainWindow::onZoomOut},
      {8, strip, {555, 2, 34, 23}, MainWindowText::tipZoomIn, &MainWindow::onZoomIn},
      {12, canvas_, {552, 35, 33, 22}, MainWindowText::tipPanUp, &MainWindow::onPanUp},
      {9, canvas_, {522, 57, 30, 22}, MainWindowText::tipPanLeft, &MainWindow::onPanLeft},
      {10, canvas_, {584, 57, 30, 22}, MainWindowText::tipPanRight, &MainWindow::onPanRight},
      {11, canvas_, {552, 78, 33, 22}, MainWindowText::tipPanDown, &MainWindow::onPanDown},
  };
  for (const PictureButton& s : pictureButtons) {
    auto* b = new QToolButton(s.parent);
    b->setObjectName(QStringLiteral("BitBtn%1").arg(s.n));
    b->setGeometry(s.place);
    texts_.bind(b, &QToolButton::setToolTip, s.tip);
    b->setFocusPolicy(Qt::NoFocus);
    connect(b, &QToolButton::clicked, this, s.handler);
    bitBtn_[s.n] = b;
  }
  texts_.bind(bitBtn_[3], &QToolButton::setText, MainWindowText::vorticityButton);
  bitBtn_[4]->setIcon(pictureIcon(Picture::vectors));
  bitBtn_[6]->setIcon(pictureIcon(Picture::pressure));
  bitBtn_[5]->setIcon(pictureIcon(Picture::density));
  bitBtn_[7]->setIcon(pictureIcon(Picture::zoomOut));
  bitBtn_[8]->setIcon(pictureIcon(Picture::zoomIn));
  bitBtn_[12]->setIcon(pictureIcon(Picture::panUp));
  bitBtn_[9]->setIcon(pictureIcon(Picture::panLeft));
  bitBtn_[10]->setIcon(pictureIcon(Picture::panRight));
  bitBtn_[11]->setIcon(pictureIcon(Picture::panDown));

  particleSpeedBar_ = new QScrollBar(Qt::Horizontal, strip);
  particleSpeedBar_->setObjectName("ScrollBar1");
  particleSpeedBar_->setGeometry(410, 4, 89, 18);
  particleSpeedBar_->setRange(1, 5);
  particleSpeedBar_->setValue(3);
  particleSpeedBar_->setPageStep(1);
  particleSpeedBar_->hide();
  particleSpeedLabel_ = new QLabel(strip);
  particleSpeedLabel_->setObjectName("Label1");
  particleSpeedLabel_->move(502, 8);
  texts_.add(particleSpeedLabel_, [this] {
    particleSpeedLabel_->setText(text(MainWindowText::particleSpeed));
    particleSpeedLabel_->adjustSize();
  });
  particleSpeedLabel_->hide();
}

void MainWindow::buildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("StatusBar1");
  bar->setFixedHeight(20);
  panel0_ = new QLabel(bar);
  panel0_->setObjectName("Panel0");
  panel0_->setFixedWidth(400);
  panel1_ = new QLabel(bar);
  panel1_->setObjectName("Panel1");
  bar->addWidget(panel0_);
  bar->addWidget(panel1_, 1);
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
  setStartupDefaults(m);

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
  for (QMenu* menu : {fileMenu_, about_, patternMenu_, particleMenu_, keep_, view_, settings_})
    menu->menuAction()->setVisible(editing);
  startButton_->setVisible(editing);
  updateContinueButton();
  // The last steps of a run that ended, in full, and the forces of its flow
  // (or none, after a layout change).
  if (editing && historyWindow_ && historyWindow_->isVisible()) historyWindow_->refresh();
  if (editing && forcesWindow_ && forcesWindow_->isVisible()) forcesWindow_->refresh();
  if (editing && surfaceWindow_ && surfaceWindow_->isVisible()) surfaceWindow_->refresh();
  setCloseItemEnabled(this, editing);
  for (int n = 3; n <= 12; ++n) bitBtn_[n]->setVisible(mode != 3);
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
  if (!bitBtn_[10]) return;
  strip_->resize(width(), strip_->height());
  const int left10 = frameGeometry().width() - 50;
  bitBtn_[10]->move(left10, bitBtn_[10]->y());
  bitBtn_[11]->move(left10 - 32, bitBtn_[11]->y());
  bitBtn_[12]->move(left10 - 32, bitBtn_[12]->y());
  bitBtn_[9]->move(left10 - 62, bitBtn_[9]->y());
}
