// The English interface: every text of the open windows, their menus,
// tooltips and messages, and the toolkit's own texts read English as soon as
// English is chosen; choosing Japanese again gives today's texts exactly.
#include "gui/application_setup.h"
#include "gui/language.h"
#include "gui/translated_texts.h"
#include "ui/controls.h"
#include "ui/forces_window.h"
#include "ui_fixture.h"

#include <QAbstractAxis>
#include <QAbstractButton>
#include <QAbstractSeries>
#include <QAction>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QStandardPaths>
#include <QTableWidget>

#include <algorithm>
#include <map>
#include <memory>

namespace {
// Kana, CJK symbols and ideographs, and the full-width forms.
bool hasJapanese(const QString& text) {
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if ((u >= 0x3000 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF)) return true;
  }
  return false;
}

using Texts = std::map<QString, QString>;

// Every text a window and its children can show, hidden ones included, keyed
// by the object's path: titles, captions, edit texts, tooltips, menu items.
void collect(QObject* o, const QString& path, Texts& out) {
  auto put = [&](const char* what, const QString& text) {
    if (!text.isEmpty()) out[path + QLatin1Char('.') + QLatin1String(what)] = text;
  };
  if (auto* w = qobject_cast<QWidget*>(o)) {
    if (w->isWindow()) put("title", w->windowTitle());
    put("tip", w->toolTip());
  }
  if (auto* b = qobject_cast<QAbstractButton*>(o)) put("text", b->text());
  if (auto* p = qobject_cast<PanelButton*>(o)) put("text", p->caption());
  if (auto* l = qobject_cast<QLabel*>(o)) put("text", l->text());
  if (auto* g = qobject_cast<QGroupBox*>(o)) put("title", g->title());
  if (auto* e = qobject_cast<QLineEdit*>(o)) put("text", e->text());
  if (auto* a = qobject_cast<QAction*>(o)) put("text", a->text());
  if (auto* t = qobject_cast<QTableWidget*>(o))
    for (int c = 0; c < t->columnCount(); ++c)
      if (t->horizontalHeaderItem(c))
        out[path + QStringLiteral(".header%1").arg(c)] = t->horizontalHeaderItem(c)->text();
  if (auto* c = qobject_cast<QComboBox*>(o))
    for (int i = 0; i < c->count(); ++i)
      out[path + QStringLiteral(".item%1").arg(i)] = c->itemText(i);
  if (auto* v = qobject_cast<QChartView*>(o)) {
    out[path + QStringLiteral(".chartTitle")] = v->chart()->title();
    int i = 0;
    for (QAbstractAxis* axis : v->chart()->axes())
      out[path + QStringLiteral(".axis%1").arg(i++)] = axis->titleText();
    for (QAbstractSeries* series : v->chart()->series())
      out[path + QStringLiteral(".series%1").arg(i++)] = series->name();
  }
  int n = 0;
  for (QObject* child : o->children())
    collect(child,
            path + QLatin1Char('/') +
                (child->objectName().isEmpty()
                     ? QString::fromLatin1(child->metaObject()->className())
                     : child->objectName()) +
                QLatin1Char('#') + QString::number(n++),
            out);
}

struct Shown {
  Texts texts;
  // The layout dialog's captions, placed by the width of their words.
  std::map<QString, QRect> captionPlaces;
  std::vector<std::string> messages;
  QString fontFamily;
};

// Every window of a started window open (the layout dialog, the about box,
// the history, forces and surface windows, the flow-conditions and run-length
// dialogs), and the two messages the windows compose themselves: particle
// traces asked for too early, and a size that is not a whole number.
Shown look(StartedWindow& s) {
  s.w.onAboutChosen();
  s.w.historyClick();
  s.w.forcesClick();
  s.w.surfaceClick();
  s.w.flowConditionsClick();
  s.w.runLengthClick();
  QApplication::processEvents();
  Shown shown;
  s.w.findChild<QAction*>("particlesSlowItem")->trigger();
  shown.messages.push_back(s.w.findChild<QLabel*>("statusPanel")->text().toStdString());
  s.messages.clear();
  s.edit("sizeEdit")->setText(QStringLiteral("1.5"));
  s.clickDialog("sizeUpButton");
  shown.messages.insert(shown.messages.end(), s.messages.begin(), s.messages.end());
  collect(&s.w, QStringLiteral("MainWindow"), shown.texts);
  // The filters of the file dialogs as they open now.
  for (const char* item : {"KeepOpen", "KeepSaveAs", "KeepPicture"}) {
    s.w.chooseFile = [&shown, item](bool, const QString& filter) {
      shown.texts[QLatin1String(item) + QLatin1String(".filter")] = filter;
      return QString();
    };
    s.w.findChild<QAction*>(item)->trigger();
  }
  for (const QLabel* l : s.w.layoutDialog().findChildren<QLabel*>())
    shown.captionPlaces[l->objectName()] = l->geometry();
  shown.fontFamily = s.w.font().family();
  return shown;
}

// Chooses a language with its item in the menu "設定", as the user does.
void choose(StartedWindow& s, const char* item) {
  s.w.findChild<QAction*>(item)->trigger();
  QApplication::processEvents();
}

QStringList toolkitTexts() {
  QLineEdit edit;
  edit.setText(QStringLiteral("x"));
  std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
  QStringList texts;
  for (QAction* a : menu->actions()) texts << a->text();
  return texts;
}
} // namespace

TEST(EnglishInterface, ShowsNoJapaneseAndJapaneseComesBackExactly) {
  BackToJapanese guard;
  QStandardPaths::setTestModeEnabled(true); // the choice is remembered in a test place
  StartedWindow s;
  const Shown japanese = look(s);
  ASSERT_GT(japanese.texts.size(), 60u);
  EXPECT_TRUE(std::any_of(japanese.texts.begin(), japanese.texts.end(),
                          [](const auto& t) { return hasJapanese(t.second); }));
  ASSERT_EQ(japanese.messages.size(), 2u);
  EXPECT_EQ(japanese.fontFamily, QStringLiteral("ＭＳ Ｐゴシック"));
  const QStringList japaneseToolkit = toolkitTexts();
  EXPECT_TRUE(std::any_of(japaneseToolkit.begin(), japaneseToolkit.end(), hasJapanese))
      << "the toolkit's own texts are Japanese while Japanese is chosen";

  // Every window turns English at once, a closed one too.
  s.w.forcesWindow()->hide();
  choose(s, "languageEnglish");
  const Shown english = look(s);
  EXPECT_EQ(english.texts.size(), japanese.texts.size());
  for (const auto& [where, text] : english.texts) {
    // The language item names Japanese in Japanese, for a reader of it.
    if (where.contains(QLatin1String("languageJapanese"))) continue;
    EXPECT_FALSE(hasJapanese(text)) << where.toStdString() << ": " << text.toStdString();
  }
  auto textOf = [&](const char* name) {
    for (const auto& [where, text] : english.texts)
      if (where.contains(QLatin1Char('/') + QLatin1String(name) + QLatin1Char('#'))) return text;
    return QString();
  };
  // A few texts read as a reader of English expects them.
  EXPECT_EQ(textOf("startButton"), "Start");
  EXPECT_EQ(textOf("fillCheck"), "Fill");
  EXPECT_EQ(textOf("ellipseChoice"), "Ellipse");
  EXPECT_EQ(textOf("particlesSlowItem"), "&Particle traces"); // with its access key
  ASSERT_EQ(english.messages.size(), 2u);
  for (const std::string& m : english.messages)
    EXPECT_FALSE(hasJapanese(QString::fromStdString(m))) << m;
  EXPECT_EQ(english.fontFamily, QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
  for (const QString& t : toolkitTexts()) EXPECT_FALSE(hasJapanese(t)) << t.toStdString();
  // The same texts as a window started in English: none was left behind.
  {
    StartedWindow fresh;
    const Shown started = look(fresh);
    EXPECT_EQ(started.texts, english.texts);
    EXPECT_EQ(started.captionPlaces, english.captionPlaces);
  }

  choose(s, "languageJapanese");
  const Shown again = look(s);
  EXPECT_EQ(again.texts, japanese.texts);
  EXPECT_EQ(again.captionPlaces, japanese.captionPlaces);
  EXPECT_EQ(again.messages, japanese.messages);
  EXPECT_EQ(again.fontFamily, japanese.fontFamily);
  EXPECT_EQ(toolkitTexts(), japaneseToolkit);
}

TEST(EnglishInterface, LanguageItemsTakeEffectAtOnceAndAreRememberedForTheNextStart) {
  BackToJapanese guard;
  QStandardPaths::setTestModeEnabled(true); // settings go to a test place
  rememberLanguage(Language::japanese);
  StartedWindow s;
  QAction* english = s.w.findChild<QAction*>("languageEnglish");
  QAction* japanese = s.w.findChild<QAction*>("languageJapanese");
  ASSERT_TRUE(english && japanese);
  EXPECT_EQ(english->text(), "English");
  EXPECT_TRUE(japanese->isChecked());
  choose(s, "languageEnglish");
  EXPECT_EQ(interfaceLanguage(), Language::english);
  EXPECT_EQ(rememberedLanguage(), Language::english);
  EXPECT_TRUE(english->isChecked());
  EXPECT_FALSE(japanese->isChecked());
  EXPECT_EQ(japanese->text(), "日本語") << "named for a reader of Japanese";
  EXPECT_TRUE(s.messages.empty()) << "the choice needs no word: the window shows it";

  // The command line decides for one start; without it the remembered choice.
  EXPECT_EQ(startLanguage({"whirlpane"}), Language::english);
  EXPECT_EQ(startLanguage({"whirlpane", "--lang", "ja"}), Language::japanese);
  EXPECT_EQ(startLanguage({"whirlpane", "--lang=en"}), Language::english);
  choose(s, "languageJapanese");
  EXPECT_EQ(rememberedLanguage(), Language::japanese);
  EXPECT_EQ(startLanguage({"whirlpane", "--lang", "en"}), Language::english);
  EXPECT_EQ(startLanguage({"whirlpane", "--lang", "fr"}), Language::japanese);
}

TEST(TranslatedTexts, SetsABoundTextAtOnceAndSkipsAControlThatIsGone) {
  BackToJapanese guard;
  TranslatedTexts texts;
  auto label = std::make_unique<QLabel>();
  QLabel kept;
  texts.bind(label.get(), &QLabel::setText, "閉じる");
  texts.bind(&kept, &QLabel::setText, "閉じる");
  EXPECT_EQ(label->text(), "閉じる");
  label.reset();
  applyLanguage(Language::english);
  texts.apply(); // nothing written through the label that is gone
  EXPECT_EQ(kept.text(), "Close");
}
