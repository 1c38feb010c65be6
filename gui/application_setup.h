// What the program sets up once around its windows: the interface font, the
// quit requests that arrive as signals and the solver's thread count.
#pragma once

#include <QFont>

#include <functional>
#include <memory>

class QSettings;
class QWidget;

// The program's settings, per user, in the platform's place for them
// (~/.config/Whirlpane/Whirlpane.conf).
std::unique_ptr<QSettings> programSettings();

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

// Moves and, where the screen is too small for it, shrinks a top-level window
// (and its minimum size) so that it lies inside the screen's available area (without panels and
// docks) with room for the frame the window system adds.  The windows are placed in logical pixels:
// with a scale factor a place chosen for a large screen can lie beyond a small one.
void keepInsideScreen(QWidget* window);

// Greys or restores the close item of a top-level window's title bar without
// unmapping the window (the window system's menu follows the flags).
void setCloseItemEnabled(QWidget* window, bool enabled);

// The solver's number of threads from the user's settings, the key
// "threads" beside the language's (~/.config/Whirlpane/Whirlpane.conf): a
// positive whole number is used as it stands; anything else, or no key,
// leaves the default, the cores the program may run on.
void applyThreadsSetting();
