// The main window's layout on screen while it is edited: the refresh after
// a change (new grids, the picture drawn again, one step of the history),
// the outline pictures of the whole layout or of the selected column, and
// picking a column by a click on one of its bodies.
#include "run/setup.h"
#include "ui/forces_window.h"
#include "ui/layout_dialog.h"
#include "ui/main_window.h"
#include "ui/run_thread.h"
#include "ui/surface_window.h"

bool MainWindow::layoutRefresh(LayoutStep step, const std::optional<QString>& openedFile) {
  // rebuildGrids refuses a layout too large for the arrays before writing anything;
  // the picture then stays as it was.  The white fill that some dialog
  // controls do first is therefore done after rebuildGrids: rebuildGrids does not draw, so
  // the picture is the same.
  if (showProblems(*services_, remakeGrids(*model_, *services_))) {
    layoutDialog_->showLayout(); // the layout kept
    return false;
  }
  redrawLayoutAfterGrids();
  recordLayoutChange(step, openedFile);
  return true;
}

void MainWindow::redrawLayoutAfterGrids() {
  if (layoutDialog_) layoutDialog_->showLayout();
  updateContinueButton(); // the grids no longer belong to the flow
  if (forcesWindow_ && forcesWindow_->isVisible()) forcesWindow_->refresh();
  if (surfaceWindow_ && surfaceWindow_->isVisible()) surfaceWindow_->refresh();
  if (!viewMovedByUser_) fitView();
  placeLayoutOnView();
  fillViewWhite();
  showLayoutPicture();
  copyToWindow();
}

void MainWindow::showOutlinePicture(bool wholeLayout) {
  fillViewWhite();
  placeLayoutOnView();
  if (wholeLayout)
    showWholeLayoutPicture();
  else
    showSelectedColumnPicture();
  copyToWindow();
}

void MainWindow::redrawOutlines() {
  fillViewWhite();
  showLayoutPicture();
  copyToWindow();
}

void MainWindow::onPictureClicked(int x, int y) {
  if (runThread_->deferWhileRunning([this, x, y] { onPictureClicked(x, y); })) return;
  if (layoutDialog_->wholeLayoutChosen()) return;
  Model& m = *model_;
  int picked = 0; // the last column with a body in reach
  for (int c = 1; c <= m.layout.nColumns; ++c)
    for (int k = 1; k <= m.layout.columnBodies[c]; ++k) {
      const double dx = x - m.pixels.columnBody[c][k].x;
      const double dy = y - m.pixels.columnBody[c][k].y;
      if (dx * dx + dy * dy < 200) picked = c;
    }
  if (picked == 0) return;
  // A selection leaves the layout, and so a run's result, as it is; the
  // picture shows the picked column alone in red.
  m.editing.selectedColumn = picked;
  layoutDialog_->showLayout();
  fillViewWhite();
  showSelectedColumnPicture();
  copyToWindow();
}
