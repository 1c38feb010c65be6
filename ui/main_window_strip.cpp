// The main window's strip of controls along the top (the contour check
// boxes, the run's buttons and progress, the picture buttons, the particle
// speed) with the pan cross on the picture, and the status bar below.
#include "gui/window_text.h"
#include "ui/controls.h"
#include "ui/main_window.h"
#include "ui/main_window_texts.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>

#include <optional>

void MainWindow::buildStrip() {
  strip_ = new QFrame(canvas_);
  strip_->setObjectName("Strip");
  strip_->setGeometry(0, 0, 692, 27); // fitControlsToWindow spans it over the window
  strip_->setAutoFillBackground(true);
  QPalette stripPalette = strip_->palette();
  stripPalette.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
  strip_->setPalette(stripPalette);

  // Made in this order, which is also the order Tab follows.
  buildContourChecks();
  buildRunButtons();
  buildPictureButtons();
  buildParticleSpeedControls();
}

void MainWindow::buildContourChecks() {
  fillCheck_ = new QCheckBox(strip_);
  fillCheck_->setObjectName("fillCheck");
  texts_.bind(fillCheck_, &QCheckBox::setText, MainWindowText::fillContours);
  // As high as the indicator needs, centred on the strip's line of text.
  const int boxHeight = fillCheck_->sizeHint().height();
  fillCheck_->setGeometry(3, 14 - boxHeight / 2, 70, boxHeight);
  connect(fillCheck_, &QCheckBox::clicked, this, &MainWindow::onFillToggled);
  blackLinesCheck_ = new QCheckBox(strip_);
  blackLinesCheck_->setObjectName("blackLinesCheck");
  texts_.bind(blackLinesCheck_, &QCheckBox::setText, MainWindowText::blackLines);
  blackLinesCheck_->setGeometry(72, 14 - boxHeight / 2, 85, boxHeight);
  connect(blackLinesCheck_, &QCheckBox::clicked, this, &MainWindow::onBlackLinesToggled);
}

void MainWindow::buildRunButtons() {
  progressBar_ = new QProgressBar(strip_);
  progressBar_->setObjectName("progressBar");
  progressBar_->setGeometry(169, 5, 143, 17);
  progressBar_->setTextVisible(false);
  progressBar_->hide();

  struct RunButton {
    PanelButton* MainWindow::*member;
    const char* name;
    const char* caption;
    QRect place;
    void (MainWindow::*handler)();
  };
  using T = MainWindowText;
  using W = MainWindow;
  const RunButton runButtons[] = {
      {&W::startButton_, "startButton", T::start, QRect(216, 2, 80, 23), &W::onStartClicked},
      {&W::stopButton_, "stopButton", T::stop, QRect(315, 2, 38, 23), &W::onStopClicked},
      // Beside the start button, where the stop button stands during a run.
      {&W::continueButton_, "ContinueButton", T::continueRun, QRect(298, 2, 62, 23),
       &W::onContinueClicked},
  };
  for (const RunButton& s : runButtons) {
    auto* b = new PanelButton(QString(), strip_);
    b->setObjectName(s.name);
    texts_.bind(b, &PanelButton::setCaption, s.caption);
    b->setGeometry(s.place);
    connect(b, &PanelButton::clicked, this, s.handler);
    this->*s.member = b;
  }
  continueButton_->hide();
}

void MainWindow::buildPictureButtons() {
  // The plots and the zoom on the strip, the pan cross on the picture; each
  // shows its picture, the vorticity button the letter ω.
  struct PictureButton {
    QToolButton* MainWindow::*member;
    const char* name;
    bool onStrip;
    QRect place;
    const char* tip;
    void (MainWindow::*handler)();
    std::optional<Picture> icon;
  };
  using T = MainWindowText;
  using W = MainWindow;
  using P = Picture;
  const PictureButton pictureButtons[] = {
      {&W::vectorsButton_, "vectorsButton", true, QRect(363, 2, 34, 23), T::tipVectors,
       &W::onVectorsClicked, P::vectors},
      {&W::vorticityButton_, "vorticityButton", true, QRect(397, 2, 34, 23), T::tipVorticity,
       &W::onVorticityClicked, std::nullopt},
      {&W::pressureButton_, "pressureButton", true, QRect(431, 2, 34, 23), T::tipPressure,
       &W::onPressureClicked, P::pressure},
      {&W::densityButton_, "densityButton", true, QRect(465, 2, 34, 23), T::tipDensity,
       &W::onDensityClicked, P::density},
      {&W::zoomOutButton_, "zoomOutButton", true, QRect(521, 2, 34, 23), T::tipZoomOut,
       &W::onZoomOut, P::zoomOut},
      {&W::zoomInButton_, "zoomInButton", true, QRect(555, 2, 34, 23), T::tipZoomIn, &W::onZoomIn,
       P::zoomIn},
      {&W::panUpButton_, "panUpButton", false, QRect(552, 35, 33, 22), T::tipPanUp, &W::onPanUp,
       P::panUp},
      {&W::panLeftButton_, "panLeftButton", false, QRect(522, 57, 30, 22), T::tipPanLeft,
       &W::onPanLeft, P::panLeft},
      {&W::panRightButton_, "panRightButton", false, QRect(584, 57, 30, 22), T::tipPanRight,
       &W::onPanRight, P::panRight},
      {&W::panDownButton_, "panDownButton", false, QRect(552, 78, 33, 22), T::tipPanDown,
       &W::onPanDown, P::panDown},
  };
  for (const PictureButton& s : pictureButtons) {
    auto* b = new QToolButton(s.onStrip ? strip_ : canvas_);
    b->setObjectName(s.name);
    b->setGeometry(s.place);
    texts_.bind(b, &QToolButton::setToolTip, s.tip);
    b->setFocusPolicy(Qt::NoFocus);
    connect(b, &QToolButton::clicked, this, s.handler);
    if (s.icon) b->setIcon(pictureIcon(*s.icon));
    this->*s.member = b;
  }
  texts_.bind(vorticityButton_, &QToolButton::setText, MainWindowText::vorticityButton);
}

void MainWindow::buildParticleSpeedControls() {
  particleSpeedBar_ = new QScrollBar(Qt::Horizontal, strip_);
  particleSpeedBar_->setObjectName("particleSpeedBar");
  particleSpeedBar_->setGeometry(410, 4, 89, 18);
  particleSpeedBar_->setRange(1, 5);
  particleSpeedBar_->setValue(3);
  particleSpeedBar_->setPageStep(1);
  particleSpeedBar_->hide();
  particleSpeedLabel_ = new QLabel(strip_);
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
