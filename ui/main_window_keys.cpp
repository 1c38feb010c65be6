// The main window's keyboard: the shortcuts of the menu items and of the
// strip's buttons, the tooltips that name them, and Tab focus on every button
// and check box.
#include "gui/language.h"
#include "gui/window_text.h"
#include "ui/controls.h"
#include "ui/main_window.h"
#include "ui/main_window_texts.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
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

// Marks in each of `actions` the first letter of its text that none of the
// others before it has taken as its access key (Alt+letter on the menu bar,
// the letter alone in an open menu); a text without a free letter gets none.
// The texts must be fresh (without marks).
void markAccessKeys(const QList<QAction*>& actions) {
  QString taken;
  for (QAction* a : actions) {
    QString caption = a->text();
    for (qsizetype i = 0; i < caption.size(); ++i) {
      const QChar c = caption[i].toLower();
      if (c < u'a' || c > u'z' || taken.contains(c)) continue;
      taken += c;
      caption.insert(i, u'&');
      a->setText(caption);
      break;
    }
  }
}

} // namespace

// The menus' access keys.  The English captions carry them as usual; the
// Japanese captions are the program's classic texts and stay unmarked (there
// the Alt key alone takes the keyboard to the menu bar, and the arrow keys and
// Return go on from there).  Run after every setting of the captions.
void MainWindow::markMenuAccessKeys() {
  if (interfaceLanguage() != Language::english) return;
  markAccessKeys(menuBar()->actions());
  for (QAction* title : menuBar()->actions())
    if (QMenu* menu = title->menu()) {
      QList<QAction*> items;
      for (QAction* a : menu->actions())
        if (!a->isSeparator()) items += a;
      markAccessKeys(items);
    }
}

void MainWindow::buildKeyboard() {
  // Menu items, by their object names.
  const std::pair<const char*, QKeySequence> items[] = {
      {"KeepOpen", QKeySequence::Open},
      {"KeepSave", QKeySequence::Save},
      {"KeepSaveAs", standardKey(QKeySequence::SaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
      {"KeepPicture", QKeySequence(Qt::CTRL | Qt::Key_E)},
      {"quitItem", standardKey(QKeySequence::Quit, Qt::CTRL | Qt::Key_Q)},
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
      {vectorsButton_, Qt::CTRL | Qt::Key_1, T::tipVectors, tool(vectorsButton_)},
      {vorticityButton_, Qt::CTRL | Qt::Key_2, T::tipVorticity, tool(vorticityButton_)},
      {pressureButton_, Qt::CTRL | Qt::Key_3, T::tipPressure, tool(pressureButton_)},
      {densityButton_, Qt::CTRL | Qt::Key_4, T::tipDensity, tool(densityButton_)},
      {zoomInButton_, QKeySequence(QKeySequence::ZoomIn), T::tipZoomIn, nullptr},
      {zoomOutButton_, QKeySequence(QKeySequence::ZoomOut), T::tipZoomOut, nullptr},
  };
  for (const Button& b : buttons) {
    texts_.add(b.widget, [widget = b.widget, tip = b.tip, key = b.key] {
      widget->setToolTip(tipWithKey(tip, key));
    });
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
  texts_.bind(fillCheck_, &QCheckBox::setToolTip, T::tipFillContours);
  texts_.bind(blackLinesCheck_, &QCheckBox::setToolTip, T::tipBlackLines);
  texts_.bind(particleSpeedBar_, &QScrollBar::setToolTip, T::tipParticleSpeed);
  for (QToolButton* b : pictureButtons()) b->setFocusPolicy(Qt::TabFocus);
  particleSpeedBar_->setFocusPolicy(Qt::TabFocus);
}
