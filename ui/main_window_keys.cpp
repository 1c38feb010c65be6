// The main window's keyboard: the shortcuts of the menu items and of the
// strip's buttons, the tooltips that name them, and Tab focus on every button
// and check box.
#include "gui/window_text.h"
#include "ui/controls.h"
#include "ui/main_window.h"
#include "ui/main_window_texts.h"

#include <QAction>
#include <QCheckBox>
#include <QScrollBar>
#include <QToolButton>

namespace {

// A tooltip followed by its shortcut as the platform writes it.
QString tipWithKey(const char* tip, const QKeySequence& key) {
  return QStringLiteral("%1 (%2)").arg(text(tip), key.toString(QKeySequence::NativeText));
}

// A standard key, or the usual one where the platform names none (Save as
// and Quit have no key of their own without a desktop theme).
QKeySequence standardKey(QKeySequence::StandardKey key, const QKeySequence& usual) {
  const QKeySequence named(key);
  return named.isEmpty() ? usual : named;
}

} // namespace

void MainWindow::buildKeyboard() {
  // Menu items, by their object names.
  const std::pair<const char*, QKeySequence> items[] = {
      {"KeepOpen", QKeySequence::Open},
      {"KeepSave", QKeySequence::Save},
      {"KeepSaveAs", standardKey(QKeySequence::SaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
      {"KeepPicture", QKeySequence(Qt::CTRL | Qt::Key_E)},
      {"Whirlpane1", standardKey(QKeySequence::Quit, Qt::CTRL | Qt::Key_Q)},
      {"ViewZoomIn", QKeySequence::ZoomIn},
      {"ViewZoomOut", QKeySequence::ZoomOut},
      {"ViewFit", QKeySequence(Qt::CTRL | Qt::Key_0)},
      {"ViewReset", QKeySequence(Qt::Key_Home)},
  };
  for (const auto& [name, key] : items)
    if (auto* a = findChild<QAction*>(name)) a->setShortcut(key);

  // The strip's buttons: a window action presses the button while it is
  // shown, so that a key does only what a click could.
  struct Button {
    QWidget* widget;
    QKeySequence key;
    const char* tip;
    std::function<void()> press;
  };
  auto tool = [](QToolButton* b) { return [b] { b->click(); }; };
  auto panel = [](PanelButton* b) { return [b] { b->click(); }; };
  using T = MainWindowText;
  const Button buttons[] = {
      {startButton_, Qt::Key_F5, T::tipStart, panel(startButton_)},
      {continueButton_, Qt::Key_F6, T::tipContinue, panel(continueButton_)},
      {stopButton_, Qt::Key_Escape, T::tipStop, panel(stopButton_)},
      {bitBtn_[4], Qt::CTRL | Qt::Key_1, T::tipVectors, tool(bitBtn_[4])},
      {bitBtn_[3], Qt::CTRL | Qt::Key_2, T::tipVorticity, tool(bitBtn_[3])},
      {bitBtn_[6], Qt::CTRL | Qt::Key_3, T::tipPressure, tool(bitBtn_[6])},
      {bitBtn_[5], Qt::CTRL | Qt::Key_4, T::tipDensity, tool(bitBtn_[5])},
      {bitBtn_[8], QKeySequence(QKeySequence::ZoomIn), T::tipZoomIn, nullptr},
      {bitBtn_[7], QKeySequence(QKeySequence::ZoomOut), T::tipZoomOut, nullptr},
  };
  for (const Button& b : buttons) {
    b.widget->setToolTip(tipWithKey(b.tip, b.key));
    if (!b.press) continue; // the menu item holds the key
    auto* a = new QAction(this);
    a->setObjectName(b.widget->objectName() + QStringLiteral("Key"));
    a->setShortcut(b.key);
    a->setShortcutContext(Qt::WindowShortcut);
    QWidget* widget = b.widget;
    connect(a, &QAction::triggered, this, [widget, press = b.press] {
      if (widget->isVisible()) press();
    });
    addAction(a);
  }
  fillCheck_->setToolTip(text(T::tipFillContours));
  blackLinesCheck_->setToolTip(text(T::tipBlackLines));
  particleSpeedBar_->setToolTip(text(T::tipParticleSpeed));
  for (int n = 3; n <= 12; ++n) bitBtn_[n]->setFocusPolicy(Qt::TabFocus);
  particleSpeedBar_->setFocusPolicy(Qt::TabFocus);
}
