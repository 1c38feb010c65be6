// The main window: the picture of the view, a strip of controls
// along the top, the pan cross, the status bar and the menu bar.  It owns the
// model state, the view's bitmaps, the layout dialog and the about box, and
// turns clicks into calls of the layout, run and drawing routines; it never
// computes flow itself.
//
// Handlers are named for what the user did (onStartClicked, onZoomIn,
// onPattern1Chosen).
#pragma once

#include "core/model.h"
#include "gui/translated_texts.h"
#include "run/run_stages.h"
#include "ui/layout_history.h"
#include "ui/qt_window_services.h"
#include "view/colour_legend.h"

#include <QHash>
#include <QImage>
#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class AboutBox;
class ColourLegendStrip;
class FlowDialog;
class RunLengthDialog;
class ForcesWindow;
class SurfaceWindow;
class HistoryWindow;
class LayoutDialog;
class PanelButton;
class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QProgressBar;
class QScrollBar;
class QToolButton;
class QUndoStack;
class RunThread;
struct ViewSurfaces;

class MainWindow : public QMainWindow {
  Q_OBJECT
public:
  MainWindow();
  ~MainWindow() override;

  // Shows the main window and then the layout dialog beside it, as the
  // program does at start.
  void showAtStart();

  Model& model() { return *model_; }
  QtWindowServices& services() { return *services_; }
  // The run beside the window (ui/run_thread.h).
  RunThread& runThread() { return *runThread_; }
  LayoutDialog& layoutDialog() { return *layoutDialog_; }
  AboutBox& aboutBox() { return *aboutBox_; }
  // The convergence-history window, made at its first showing (null before).
  HistoryWindow* historyWindow() { return historyWindow_; }
  // The forces window, made at its first showing (null before).
  ForcesWindow* forcesWindow() { return forcesWindow_; }
  // The surface-distribution window, made at its first showing (null before).
  SurfaceWindow* surfaceWindow() { return surfaceWindow_; }
  // The window surface as the user sees it (0x00BBGGRR words).
  QImage windowSurface() const;
  ViewSurfaces& surfaces() { return *surfaces_; }

  // Control mode (setControlMode): 1 editing, 2 calculating, 3 particles.
  void setControlMode(int mode);
  int controlMode() const { return mode_; }
  // True while a run or the particle traces go on beside the window.
  bool loopRunning() const;
  // The particle speed bar's maximum − position + 1: how often each particle
  // frame is drawn.
  int particleFrameRepeats() const;

  // The layout refresh: rebuildGrids, placeLayoutOnBitmap, white fill, drawLayoutPicture, copy to
  // the window.  A layout that the capacity guard refuses leaves the grids
  // and the picture as they were; returns false then.  A layout taken is
  // one step of the layout's history (step: what merges with what; an
  // opened file's step also takes the layout to that file and back).
  bool layoutRefresh(LayoutStep step = LayoutStep::single,
                     const std::optional<QString>& openedFile = std::nullopt);
  // The part of the refresh after rebuildGrids: placeLayoutOnBitmap, white fill,
  // drawLayoutPicture, copy.
  void redrawLayoutAfterGrids();
  // The picture of the dialog's mode choice (onScopeChosen): white fill,
  // placeLayoutOnBitmap, drawWholeLayoutPicture or drawSelectedColumnPicture, copy.
  void showOutlinePicture(bool wholeLayout);
  // drawWholeLayoutPicture into the view bitmap only (the dialog's showLayoutOnOpening).
  void drawWholeLayoutIntoBitmap();

  // A request to quit from outside (signal, session end).  Honoured at once
  // in the editing mode; during a run or an animation it stops the loop at
  // its next yield and quits afterwards.
  void requestQuit();

  // Menu "ファイル" (main_window_files.cpp).  Opens a layout file: a file
  // that is refused, or a layout too large for the arrays, leaves the
  // layout, the grids and the picture as they were.  Returns whether the
  // layout was taken.
  bool openLayoutFile(const QString& path);
  // The file dialogs of the menu; tests answer them here.  Arguments: whether
  // a file is to be written, the dialog's filter; an empty answer cancels.
  std::function<QString(bool save, const QString& filter)> chooseFile;
  // The layout's history (main_window_history.cpp): undo and redo put a
  // layout record back and make its grids again.  A run's result comes back
  // with the layout and flow conditions it was computed for, when no other
  // run has replaced it since.
  QUndoStack& undoStack() { return *undoStack_; }
  void undoClick();
  void redoClick();
  // The layout differs from its file (from the start's layout while it has
  // none): the caption's mark, and a question before the layout is set aside.
  bool layoutModified() const { return !(committed_ == fileState_); }
  // The files opened or saved lately, the latest first (at most 8).
  QStringList recentFiles() const;
  // The legend of the picture on screen (quantity none when it has none).
  const ColourLegend& shownLegend() const;
  // The picture on screen as saved: the window surface and the legend.
  QImage pictureToSave() const;

  // The plots a run draws, drawn by the window (the plot buttons).
  void plotVectors();
  void plotPressure();
  void plotVorticity();

  // The pictures a run hands over, drawn into the surfaces it held.
  enum class RunPicture { vectors, pressure, vorticity, traces };

public slots:
  // The start button ("計算スタート"): a new run of the layout on screen.
  void onStartClicked();
  // The stop button ("停止"): the run or the animation ends at its next stop point.
  void onStopClicked();
  // The continue button ("続けて計算"): 300 more steps of the flow on screen.
  void onContinueClicked();
  // The vorticity button: the vorticity map of the flow on screen.
  void onVorticityClicked();
  // The vectors button: the velocity vectors of the flow on screen.
  void onVectorsClicked();
  // The density button: the density map of the flow on screen.
  void onDensityClicked();
  // The pressure button: the pressure map of the flow on screen.
  void onPressureClicked();
  // The zoom-out button or menu item: the picture 1.05 times smaller.
  void onZoomOut();
  // The zoom-in button or menu item: the picture 1.05 times larger.
  void onZoomIn();
  // The pan cross's left arrow: the picture moves left.
  void onPanLeft();
  // The pan cross's right arrow: the picture moves right.
  void onPanRight();
  // The pan cross's down arrow: the picture moves down.
  void onPanDown();
  // The pan cross's up arrow: the picture moves up.
  void onPanUp();
  // "塗り潰し" ticked or cleared: maps drawn as filled bands or as lines.
  void onFillToggled();
  // "ラインを黒く" ticked or cleared: the contour lines black or coloured.
  void onBlackLinesToggled();
  // The patterns menu: one of the four stored layouts chosen.
  void onPattern1Chosen() { applyPattern(1); }
  void onPattern2Chosen() { applyPattern(2); }
  void onPattern3Chosen() { applyPattern(3); }
  void onPattern4Chosen() { applyPattern(4); }
  // The particles menu: traces of the flow on screen at the chosen speed.
  void onParticlesSlowChosen() { particleItem(1); }
  void onParticlesFastChosen() { particleItem(3); }
  void onParticlesFastestChosen() { particleItem(6); }
  // The edit menu: the dialog's changes go to every column, or to the selected one.
  void onSelectAllColumnsChosen() { selectionItem(true); }
  void onSelectOneColumnChosen() { selectionItem(false); }
  // The model-check menu: the lines of both grids.
  void onMeshViewChosen();
  // The model-check menu: the interpolation links, with their check.
  void onLinkViewChosen();
  // The model-check menu: the holes cut in the main grid.
  void onHoleViewChosen();
  // The model-check menu: the receivers of a list no routine fills.
  void onUnfilledReceiverViewChosen();
  // The quit item: asks about unsaved changes, then closes the program.
  void onQuitChosen();
  // "収束履歴": shows the convergence-history window.
  void historyClick();
  // "流体力": shows the forces window.
  void forcesClick();
  // "表面の分布": shows the surface-distribution window.
  void surfaceClick();
  // The version item: shows the about box.
  void onAboutChosen();
  // A click on the picture at pixel (x, y) of the view bitmap.
  void onPictureClicked(int x, int y);
  // "開く…": a layout file chosen and opened.
  void openClick();
  // "保存": the layout written to its file (asks for one without).
  void saveClick();
  // "名前を付けて保存…": the layout written to a file chosen.
  void saveAsClick();
  // "画像を保存…": the picture on screen with its legend as PNG.
  void savePictureClick();
  // "計算結果を保存…": the flow of the last run written to a field file.
  void saveFieldsClick();
  // "流れの条件…": shows the flow conditions dialog; its OK applies them
  // (applyFlowConditions).
  void flowConditionsClick();
  // Takes new flow conditions, and a new channel when given, for the next
  // run; a change drops the run's result as a layout change does (the grids
  // are made again).  A channel the grids cannot be made for is refused with
  // its message, and the conditions stay as they were.
  void applyFlowConditions(const FlowConditions& flow,
                           const std::optional<ChannelConditions>& channel = std::nullopt);
  // "計算の長さ…": the number of steps of the next run, and whether it ends
  // once the drag has settled.
  void runLengthClick();
  FlowDialog* flowDialog() { return flowDialog_; }
  RunLengthDialog* runLengthDialog() { return runLengthDialog_; }

  // Menu "表示" and the value probe (main_window_probe.cpp).  "Fit to
  // window" brings the walls and bodies into sight (a view showing them is
  // kept) and lets later layout changes fit the view again; "reset view"
  // returns to the start-up view, kept as a pan or zoom is.
  void fitViewClick();
  void resetViewClick();
  // The status line's probe: the layout position under pixel (x, y) of the
  // view and, with a flow of the layout on screen, its values there.
  void showProbe(int x, int y);
  QString probeText() const;

protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  friend class RunThread;

  void createControls();
  // The picture buttons, each once.
  std::array<QToolButton*, 10> pictureButtons() const {
    return {vectorsButton_, vorticityButton_, pressureButton_, densityButton_,  zoomOutButton_,
            zoomInButton_,  panUpButton_,     panLeftButton_,  panRightButton_, panDownButton_};
  }
  // The strip of controls and the status bar (main_window_strip.cpp).
  void buildStrip();
  void buildContourChecks();
  void buildRunButtons();
  void buildPictureButtons();
  void buildParticleSpeedControls();
  void buildMenus();
  void buildStatusBar();
  void buildKeepMenu();
  void buildViewMenu();
  void buildSettingsMenu();
  // Every text of the window in the interface's language, and the sizes that
  // follow the texts: at construction, and again when the language changes.
  void retranslateUi();
  // The keyboard: shortcuts, tooltips and Tab focus (main_window_keys.cpp).
  void buildKeyboard();
  template <class ResultWindow> void showResultWindow(ResultWindow*& window);
  void markMenuAccessKeys();
  // The view fitted to the layout at the bitmap's size (not drawn).
  void fitView();
  // The scale bar and flow conditions at the foot of the legend column,
  // placed for the window's size and drawn again.
  void placeScaleBox();
  void showLegend(const ColourLegend& legend);
  void fitControlsToWindow();
  // The view bitmap, the picture on screen and the strip sized to the window.
  void fitPictureToWindow();
  QSize smallestUsableSize() const;
  void applyPattern(int n);
  // The layout history (main_window_history.cpp).
  void buildHistory();
  void recordLayoutChange(LayoutStep step, const std::optional<QString>& openedFile = std::nullopt);
  // A state of the history put back; across an opening, with the file the
  // layout then belongs to (empty: none).
  void applyLayoutState(const LayoutState& state, const std::optional<QString>& file);
  void updateCaption();
  // The layout is the file's now (opened or saved as path).
  void noteLayoutFile(const QString& path);
  // Asks before unsaved layout changes are set aside (Save / Discard /
  // Cancel); true when the caller may go on.
  bool maySetLayoutAside();
  void rememberRecentFile(const QString& path);
  void fillRecentMenu();
  // The counts of the last run, kept so that its result can come back.
  void keepRunCounts();
  void particleItem(int speed);
  void selectionItem(bool all);
  void panOrZoom(int change);
  void redrawOutlines();
  void copyToWindow();
  // The window surface has changed: repaint it.
  void showSurface();
  void endOfLoop();
  // The run hands over at a plot: the picture's kind and legend, shown.
  void takeRunPicture(RunPicture picture);
  // While a run goes on the window shows a copy of the window surface, taken
  // at the run's hand-overs when the surface has changed (always: at once).
  void keepSurfaceShown(bool always);
  // The continue button is shown in the editing mode while the flow can be
  // continued (after a run that completed or was stopped, until the grids
  // are remade).
  void updateContinueButton();
  // The flow plots (and the fields) have a flow to show: a run of the layout
  // on screen has gone beyond its tenth step.
  bool flowPlotsReady() const;

  // The kind of picture on screen, so that a new window size can draw it
  // again; maps and vectors keep the settings they were drawn with.
  enum class ShownPicture {
    outlines,
    vectors,
    pressure,
    vorticity,
    density,
    mesh,
    links,
    holes,
    holes2,
    particles
  };
  void noteShown(ShownPicture picture);
  // The picture on screen drawn again at the bitmap's present size.
  void redrawShownPicture();

  // The drawing routines of the view, over this window's bitmaps
  // (main_window_view.cpp).
  // The drawing area: paints the window surface and reports mouse presses
  // in the view bitmap's pixels.
  QWidget* createCanvas();
  void createPicture(int width, int height);
  // A new size of the view bitmap: the pixel positions, the stored particle
  // traces and the picture on screen follow it.
  void resizePicture(int width, int height);
  void fillViewWhite();
  void placeLayoutOnView();
  void showBodyOutlines();
  void showLayoutPicture();
  void showSelectedColumnPicture();
  void showWholeLayoutPicture();
  void copyViewToWindow();
  void drawVectors();
  void showVorticityMap();
  void showPressureMap();
  void showDensityMap();

  std::unique_ptr<Model> model_;
  std::unique_ptr<ViewSurfaces> surfaces_;
  std::unique_ptr<QtWindowServices> services_;

  QWidget* canvas_ = nullptr; // shows the window surface (main_window_view.cpp)
  QFrame* strip_ = nullptr;   // the strip of controls along the top
  QCheckBox* fillCheck_ = nullptr;
  QCheckBox* blackLinesCheck_ = nullptr;
  QProgressBar* progressBar_ = nullptr;
  PanelButton* startButton_ = nullptr;
  PanelButton* stopButton_ = nullptr;
  PanelButton* continueButton_ = nullptr;
  // The picture buttons: the plots and zoom on the strip, the pan cross on
  // the picture.
  QToolButton* vectorsButton_ = nullptr;
  QToolButton* vorticityButton_ = nullptr;
  QToolButton* pressureButton_ = nullptr;
  QToolButton* densityButton_ = nullptr;
  QToolButton* zoomOutButton_ = nullptr;
  QToolButton* zoomInButton_ = nullptr;
  QToolButton* panUpButton_ = nullptr;
  QToolButton* panLeftButton_ = nullptr;
  QToolButton* panRightButton_ = nullptr;
  QToolButton* panDownButton_ = nullptr;
  QScrollBar* particleSpeedBar_ = nullptr;
  QLabel* particleSpeedLabel_ = nullptr;
  QLabel* titlePanel_ = nullptr;  // the status bar's title of the picture on screen
  QLabel* statusPanel_ = nullptr; // the status bar's text of the run or the animation
  QMenu* programMenu_ = nullptr;  // "Whirlpane": quit
  QMenu* patternMenu_ = nullptr;
  QMenu* particleMenu_ = nullptr;
  QMenu* editMenu_ = nullptr;
  QMenu* modelCheckMenu_ = nullptr;
  QMenu* about_ = nullptr;
  QMenu* keep_ = nullptr; // "ファイル"
  QAction* saveFields_ = nullptr;
  ColourLegendStrip* legendStrip_ = nullptr;
  QString layoutPath_; // the layout's file: last opened or saved, or come back to by an undo
  QMenu* recentMenu_ = nullptr;
  QAction* undoAction_ = nullptr;
  QAction* redoAction_ = nullptr;
  std::unique_ptr<QUndoStack> undoStack_;
  LayoutState committed_{}; // the layout and conditions on screen, as recorded
  LayoutState fileState_{}; // what the layout file holds (the start's layout without one)
  // What each file held when it was last opened or saved here (the empty
  // path: the start's layout), for the file an undo or redo comes back to.
  QHash<QString, LayoutState> fileStates_;
  // The step counts of the last run's end (stepsDone, flowStep): rebuildGrids resets
  // them, an undo back to the run's layout gives them back.
  int keptStepsDone_ = 0, keptFlowStep_ = 0;
  bool askBeforeQuit_ = true; // false for a quit from outside

  LayoutDialog* layoutDialog_ = nullptr;
  AboutBox* aboutBox_ = nullptr;
  HistoryWindow* historyWindow_ = nullptr;
  ForcesWindow* forcesWindow_ = nullptr;
  SurfaceWindow* surfaceWindow_ = nullptr;
  FlowDialog* flowDialog_ = nullptr;
  RunLengthDialog* runLengthDialog_ = nullptr;
  QMenu* results_ = nullptr;

  int mode_ = 1;
  bool quitRequested_ = false;
  bool surfaceChanged_ = false;
  ShownPicture shown_ = ShownPicture::outlines;
  bool shownFillContours_ = false, shownBlackLines_ = false;
  bool viewMovedByUser_ = false; // panned or zoomed since the last fit or reset
  QMenu* view_ = nullptr;        // "表示"
  QMenu* settings_ = nullptr;    // "設定": the interface's language
  TranslatedTexts texts_;        // the texts retranslateUi sets again
  QLabel* probe_ = nullptr;      // the probe's panel of the status bar
  QWidget* scaleBox_ = nullptr;  // the scale bar (main_window_probe.cpp)
  // The run end and flow step computeVorticity last ran at for the probe.
  std::uint64_t probedFlow_ = 0;
  QImage shownDuringRun_; // the surface as the run last handed it over
  // Last: ends a run still going on before the rest is taken down.
  std::unique_ptr<RunThread> runThread_;
};
