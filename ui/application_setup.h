// What the program sets up once around its windows: the interface font and
// the quit requests that arrive as signals.
#pragma once

#include <QFont>

#include <functional>

class QWidget;

// The interface font of all windows in Japanese is named "ＭＳ Ｐゴシック".  The
// name stays as the windows give it; a font substitution maps it to the
// Japanese proportional Gothic that the set-up installs (IPA P Gothic), so
// every Japanese text renders on a Debian machine.  In English the interface
// font is the platform's default font, one pixel smaller, so that the
// longer English words fit the same places.
void installFontSubstitution();
QFont interfaceFont(int pixelSize = 12);

// Ctrl+C, SIGTERM and SIGHUP become a call of onQuit on the user-interface
// thread, delivered like any other event: inside a run or an animation at the
// loop's next processing of pending events.  Modal windows open then are
// closed first, so that the loops they hold can end.  The handler itself only
// writes one byte to a pipe.
void installQuitSignals(std::function<void()> onQuit);

// Greys or restores the close item of a top-level window's title bar without
// unmapping the window (the window system's menu follows the flags).
void setCloseItemEnabled(QWidget* window, bool enabled);
