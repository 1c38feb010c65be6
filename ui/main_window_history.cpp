// The main window's layout history and the file it works on: undo and redo
// of layout changes, the caption with the file's name and its mark of
// unsaved changes, the question before those changes are set aside, and the
// files opened lately.
#include "gui/application_setup.h"
#include "gui/window_text.h"
#include "run/run.h"
#include "run/setup.h"
#include "ui/layout_dialog.h"
#include "ui/main_window.h"
#include "ui/main_window_texts.h"

#include <QAction>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QSettings>
#include <QUndoStack>

namespace {
const char* const recentKey = "recentFiles";
constexpr int kRecentCount = 8;
} // namespace

void MainWindow::buildHistory() {
  undoStack_ = std::make_unique<QUndoStack>();
  committed_ = layoutStateOf(model_->layout, model_->flow);
  fileState_ = committed_;
  fileStates_.insert(QString(), fileState_);
  keep_->addSeparator();
  undoAction_ = keep_->addAction(QString());
  texts_.bind(undoAction_, &QAction::setText, MainWindowText::menuUndo);
  undoAction_->setObjectName("KeepUndo");
  undoAction_->setShortcut(QKeySequence::Undo);
  connect(undoAction_, &QAction::triggered, this, &MainWindow::undoClick);
  redoAction_ = keep_->addAction(QString());
  texts_.bind(redoAction_, &QAction::setText, MainWindowText::menuRedo);
  redoAction_->setObjectName("KeepRedo");
  redoAction_->setShortcut(QKeySequence::Redo);
  connect(redoAction_, &QAction::triggered, this, &MainWindow::redoClick);
  undoAction_->setEnabled(false);
  redoAction_->setEnabled(false);
  connect(undoStack_.get(), &QUndoStack::canUndoChanged, undoAction_, &QAction::setEnabled);
  connect(undoStack_.get(), &QUndoStack::canRedoChanged, redoAction_, &QAction::setEnabled);

  recentMenu_ = new QMenu(keep_);
  texts_.bind(recentMenu_, &QMenu::setTitle, MainWindowText::menuRecent);
  recentMenu_->setObjectName("KeepRecent");
  keep_->insertMenu(keep_->actions().value(1), recentMenu_); // below "開く…"
  connect(keep_, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
  updateCaption();
}

// --------------------------------------------------------------- the history

void MainWindow::recordLayoutChange(LayoutStep step, const std::optional<QString>& openedFile) {
  const LayoutState now = layoutStateOf(model_->layout, model_->flow);
  if (now == committed_) return;
  std::optional<LayoutFiles> files;
  if (openedFile) files = LayoutFiles{layoutPath_, *openedFile};
  undoStack_->push(new LayoutChangeCommand(
      committed_, now, step,
      [this](const LayoutState& state, const std::optional<QString>& file) {
        applyLayoutState(state, file);
      },
      files));
  committed_ = now;
  updateCaption();
}

void MainWindow::applyLayoutState(const LayoutState& state, const std::optional<QString>& file) {
  Model& m = *model_;
  m.layout = state.layout;
  m.flow = state.flow;
  // The record was made into grids before, so it fits; grid making is
  // deterministic, so these are its grids as they were, bit for bit.
  showProblems(*services_, remakeGrids(m, *services_));
  // rebuildGrids has ended the run's result, which holds only for the layout and
  // conditions it was computed for: back at those (and with no other run
  // since, which would have recorded others), its counts return, and with
  // them the plots, the forces and the continuation of the flow that the
  // grid making left untouched.
  if (flowBelongsToLayout(m.layout, m.flow, m.solution)) {
    m.run.stepsDone = keptStepsDone_;
    m.solution.flowStep = keptFlowStep_;
  }
  committed_ = layoutStateOf(m.layout, m.flow);
  // Across an opening the layout is that of the file before or after it,
  // and the caption names that file.
  if (file) {
    layoutPath_ = *file;
    fileState_ = fileStates_.value(*file);
  }
  redrawLayoutAfterGrids();
  updateCaption();
}

void MainWindow::keepRunCounts() {
  keptStepsDone_ = model_->run.stepsDone;
  keptFlowStep_ = model_->solution.flowStep;
}

void MainWindow::undoClick() {
  // Only while the layout can be edited: a run works on the grids.
  if (mode_ == 1 && !loopRunning()) undoStack_->undo();
}

void MainWindow::redoClick() {
  if (mode_ == 1 && !loopRunning()) undoStack_->redo();
}

// ------------------------------------------------------------------ the file

void MainWindow::updateCaption() {
  const QString name =
      layoutPath_.isEmpty() ? text(MainWindowText::untitled) : QFileInfo(layoutPath_).fileName();
  setWindowTitle(text(MainWindowText::captionWithFile).arg(name));
  setWindowModified(layoutModified());
}

void MainWindow::noteLayoutFile(const QString& path) {
  layoutPath_ = path;
  fileState_ = committed_;
  fileStates_.insert(path, fileState_);
  rememberRecentFile(path);
  updateCaption();
}

bool MainWindow::maySetLayoutAside() {
  if (!layoutModified()) return true;
  const QString name =
      layoutPath_.isEmpty() ? text(MainWindowText::untitled) : QFileInfo(layoutPath_).fileName();
  switch (services_->askToSaveChanges(text(MainWindowText::unsavedChanges).arg(name))) {
  case QtWindowServices::UnsavedAnswer::save:
    saveClick();
    return !layoutModified(); // a save cancelled or failed keeps the layout
  case QtWindowServices::UnsavedAnswer::discard:
    return true;
  case QtWindowServices::UnsavedAnswer::cancel:
    break;
  }
  return false;
}

// ------------------------------------------------------------- recent files

QStringList MainWindow::recentFiles() const {
  return programSettings()->value(QLatin1String(recentKey)).toStringList();
}

void MainWindow::rememberRecentFile(const QString& path) {
  QStringList files = recentFiles();
  const QString full = QFileInfo(path).absoluteFilePath();
  files.removeAll(full);
  files.prepend(full);
  while (files.size() > kRecentCount) files.removeLast();
  programSettings()->setValue(QLatin1String(recentKey), files);
}

void MainWindow::fillRecentMenu() {
  recentMenu_->clear();
  const QStringList files = recentFiles();
  for (int n = 0; n < files.size(); ++n) {
    const QString path = files[n];
    QAction* a =
        recentMenu_->addAction(QStringLiteral("&%1 %2").arg(n + 1).arg(QFileInfo(path).fileName()));
    a->setToolTip(path);
    connect(a, &QAction::triggered, this, [this, path] {
      if (maySetLayoutAside()) openLayoutFile(path);
    });
  }
  recentMenu_->setEnabled(!files.isEmpty());
}
