#include "gui/application_setup.h"

#include "gui/language.h"
#include "solver/parallel.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QScreen>
#include <QSettings>
#include <QSocketNotifier>
#include <QStringList>
#include <QStyle>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
const char* const interfaceFamily = "ＭＳ Ｐゴシック";
int signalPipe[2] = {-1, -1};

void onSignal(int) {
  const char byte = 1;
  // Only async-signal-safe work here: one write to the pipe.
  [[maybe_unused]] const ssize_t n = ::write(signalPipe[0], &byte, 1);
}
} // namespace

std::unique_ptr<QSettings> programSettings() {
  return std::make_unique<QSettings>(QStringLiteral("Whirlpane"), QStringLiteral("Whirlpane"));
}

void installFontSubstitution() {
  QFont::insertSubstitutions(
      QString::fromUtf8(interfaceFamily),
      {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック"), QStringLiteral("IPAGothic")});
}

QFont interfaceFont(int pixelSize) {
  if (interfaceLanguage() == Language::japanese) {
    QFont font(QString::fromUtf8(interfaceFamily));
    font.setPixelSize(pixelSize);
    return font;
  }
  // English words are wider than the Japanese ones in the same places: one
  // pixel less keeps them inside the controls the layout gives them.
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setPixelSize(pixelSize - 1);
  return font;
}

void installQuitSignals(std::function<void()> onQuit) {
  if (signalPipe[0] >= 0) return;
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;
  auto* notifier =
      new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [onQuit = std::move(onQuit)] {
    char buffer[16];
    [[maybe_unused]] const ssize_t n = ::read(signalPipe[1], buffer, sizeof buffer);
    // A modal window (a message box, a file dialog) waits for its answer in
    // an event loop of its own, which holds the run, the animation or the
    // start-up that opened it: close it, as its close item would.
    while (QWidget* modal = QApplication::activeModalWidget())
      if (!modal->close()) break;
    onQuit();
  });
  struct sigaction action {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int s : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(s, &action, nullptr);
}

namespace {
void fitIntoScreen(QWidget* window) {
  const QScreen* screen = window->screen();
  if (!screen) return;
  // The frame is known once the window system has framed the window; before
  // that the title bar's height and a border of the same size as the style's
  // frame stand for it.
  const QRect inner = window->geometry(), outer = window->frameGeometry();
  QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                 outer.right() - inner.right(), outer.bottom() - inner.bottom());
  if (frame.isNull()) {
    const int border = window->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    frame = QMargins(border, window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + border,
                     border, border);
  }
  const QRect room = screen->availableGeometry().marginsRemoved(frame);
  // A screen smaller than the window's usual minimum lowers the minimum: a
  // menu bar that overflows into its extension is better than a window
  // that reaches beyond the screen.
  window->setMinimumSize(window->minimumSize().boundedTo(room.size()));
  const QSize size = inner.size().boundedTo(room.size());
  const int x = std::max(room.left(), std::min(inner.x(), room.right() + 1 - size.width()));
  const int y = std::max(room.top(), std::min(inner.y(), room.bottom() + 1 - size.height()));
  const QRect place(x, y, size.width(), size.height());
  if (place != inner) window->setGeometry(place);
}

// Fits its window once more after the first showing, when the true frame
// is known, and then goes.
class FrameWatch : public QObject {
public:
  explicit FrameWatch(QWidget* window) : QObject(window) { window->installEventFilter(this); }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      auto* window = static_cast<QWidget*>(watched);
      QTimer::singleShot(0, window, [window] { fitIntoScreen(window); });
      deleteLater();
    }
    return false;
  }
};
} // namespace

void keepInsideScreen(QWidget* window) {
  fitIntoScreen(window);
  new FrameWatch(window);
}

void setCloseItemEnabled(QWidget* window, bool enabled) {
  const Qt::WindowFlags old = window->windowFlags();
  Qt::WindowFlags flags = old | Qt::CustomizeWindowHint;
  flags.setFlag(Qt::WindowCloseButtonHint, enabled);
  if (flags == old) return;
  // setWindowFlags would unmap and map the window again; telling the native
  // window directly keeps it where it is and keeps its activation.
  window->overrideWindowFlags(flags);
  if (QWindow* native = window->windowHandle()) native->setFlags(flags);
}

void applyThreadsSetting() {
  const QSettings settings{QStringLiteral("Whirlpane"), QStringLiteral("Whirlpane")};
  bool whole = false;
  const int threads = settings.value(QStringLiteral("threads")).toInt(&whole);
  if (whole && threads > 0) setSolverThreads(threads);
}
