// No text is clipped: every label, button, radio button, check box and group
// title of every window shows its whole text inside its widget, in Japanese
// and in English, and no group frame touches its window's edge.
#include "gui/language.h"
#include "ui/controls.h"
#include "ui_fixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include <string>
#include <vector>

namespace {
// The text as drawn: a single "&" marks a shortcut and takes no room.
QString shownText(QString text) {
  return text.replace(QLatin1String("&&"), QChar(0x1)).remove(QLatin1Char('&'));
}

// What does not fit, one line per widget.
std::vector<std::string> clippedTexts() {
  StartedWindow s;
  s.w.onAboutChosen();
  s.w.historyClick();
  s.w.forcesClick();
  QApplication::processEvents();
  std::vector<std::string> clipped;
  auto check = [&clipped](const QWidget* w, const QString& text, QSize needed, QSize room) {
    if (text.isEmpty() || (needed.width() <= room.width() && needed.height() <= room.height()))
      return;
    clipped.push_back(w->window()->windowTitle().toStdString() + "/" +
                      w->objectName().toStdString() + " \"" + text.toStdString() + "\" needs " +
                      std::to_string(needed.width()) + "x" + std::to_string(needed.height()) +
                      ", has " + std::to_string(room.width()) + "x" +
                      std::to_string(room.height()));
  };
  for (const QWidget* w : s.w.findChildren<QWidget*>()) {
    const QFontMetrics metrics = w->fontMetrics();
    const auto textSize = [&metrics](const QString& text) {
      return QSize(metrics.horizontalAdvance(shownText(text)), metrics.height());
    };
    if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w)) {
      // The indicator and its spacing come with the text in the size hint.
      const auto* b = static_cast<const QAbstractButton*>(w);
      check(w, b->text(), QSize(b->sizeHint().width(), metrics.height()), b->size());
    } else if (const auto* b = qobject_cast<const QAbstractButton*>(w)) {
      check(w, b->text(), textSize(b->text()), b->contentsRect().size());
    } else if (const auto* p = qobject_cast<const PanelButton*>(w)) {
      check(w, p->caption(), textSize(p->caption()), p->contentsRect().size());
    } else if (const auto* l = qobject_cast<const QLabel*>(w)) {
      if (!l->wordWrap()) check(w, l->text(), textSize(l->text()), l->contentsRect().size());
    } else if (const auto* g = qobject_cast<const QGroupBox*>(w)) {
      check(w, g->title(), textSize(g->title()), g->size());
      // The frame keeps clear of the window's edges.
      const QRect inWindow(g->mapTo(g->window(), QPoint(0, 0)), g->size());
      if (!g->window()->rect().adjusted(2, 2, -2, -2).contains(inWindow))
        clipped.push_back(g->objectName().toStdString() + " touches its window's edge");
    }
  }
  return clipped;
}
} // namespace

TEST(TextFit, EveryTextFitsItsWidgetInBothLanguages) {
  BackToJapanese guard;
  for (Language language : {Language::japanese, Language::english}) {
    applyLanguage(language);
    for (const std::string& c : clippedTexts())
      ADD_FAILURE() << (language == Language::english ? "English: " : "Japanese: ") << c;
  }
}
