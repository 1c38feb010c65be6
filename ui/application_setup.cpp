#include "ui/application_setup.h"

#include "ui/language.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QSocketNotifier>
#include <QStringList>
#include <QWidget>
#include <QWindow>

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
