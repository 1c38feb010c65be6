#include "gui/language.h"

#include "gui/application_setup.h"
#include "gui/language_texts.h"
#include "gui/translated_texts.h"

#include <QActionGroup>
#include <QApplication>
#include <QCommandLineParser>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QSettings>
#include <QTranslator>

#include <cstdio>

namespace {
Language current = Language::japanese;
// Installed by applyLanguage, removed by the next call.
QTranslator* programTranslator = nullptr;
QTranslator* toolkitTranslator = nullptr;

// One context for all windows: a Japanese text means the same everywhere.
const char* const context = "Whirlpane";
const char* const settingKey = "interface/language";

const char* code(Language language) {
  return language == Language::english ? "en" : "ja";
}

bool fromCode(const QString& text, Language& language) {
  if (text == QLatin1String("en"))
    language = Language::english;
  else if (text == QLatin1String("ja"))
    language = Language::japanese;
  else
    return false;
  return true;
}

void removeTranslator(QTranslator*& translator) {
  if (!translator) return;
  QCoreApplication::removeTranslator(translator);
  delete translator;
  translator = nullptr;
}

QTranslator* load(const QLocale& locale, const QString& name, const QString& directory) {
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (translator->load(locale, name, QStringLiteral("_"), directory) &&
      QCoreApplication::installTranslator(translator))
    return translator;
  delete translator;
  return nullptr;
}
} // namespace

Language interfaceLanguage() {
  return current;
}

QString uiText(const char* japanese, const char* use) {
  return QCoreApplication::translate(context, japanese, use);
}

void applyLanguage(Language language) {
  removeTranslator(programTranslator);
  removeTranslator(toolkitTranslator);
  current = language;
  // Dates and the names of file types (the file dialogs) in the interface's
  // language.
  QLocale::setDefault(language == Language::english
                          ? QLocale(QLocale::English, QLocale::UnitedStates)
                          : QLocale(QLocale::Japanese, QLocale::Japan));
  if (language == Language::english) {
    programTranslator =
        load(QLocale(QLocale::English), QStringLiteral("whirlpane"), QStringLiteral(":/i18n"));
    if (!programTranslator) std::fputs("whirlpane: the English translation is missing\n", stderr);
  } else {
    // The toolkit's own texts (the edit fields' context menu, the message
    // box's buttons) in Japanese, from the translations the set-up installs.
    toolkitTranslator = load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  }
  QApplication::setFont(interfaceFont(12));
}

Language startLanguage(const QStringList& arguments) {
  QCommandLineParser parser;
  const QCommandLineOption lang(QStringLiteral("lang"), QString(), QStringLiteral("en|ja"));
  parser.addOption(lang);
  // Other options belong to other parts of the program: only --lang is read.
  [[maybe_unused]] const bool all = parser.parse(arguments);
  Language language = rememberedLanguage();
  if (parser.isSet(lang) && !fromCode(parser.value(lang), language))
    std::fprintf(stderr, "whirlpane: --lang takes en or ja, not %s\n",
                 parser.value(lang).toLocal8Bit().constData());
  return language;
}

Language rememberedLanguage() {
  Language language = Language::japanese;
  fromCode(programSettings()->value(QLatin1String(settingKey)).toString(), language);
  return language;
}

void rememberLanguage(Language language) {
  programSettings()->setValue(QLatin1String(settingKey), QLatin1String(code(language)));
}

void addLanguageItems(QMenu* menu, TranslatedTexts& texts) {
  auto* group = new QActionGroup(menu);
  for (const Language language : {Language::japanese, Language::english}) {
    QAction* item = group->addAction(QString::fromUtf8(
        language == Language::english ? LanguageText::english : LanguageText::japanese));
    item->setObjectName(
        QLatin1String(language == Language::english ? "languageEnglish" : "languageJapanese"));
    item->setCheckable(true);
    menu->addAction(item);
    texts.add(item, [item, language] { item->setChecked(interfaceLanguage() == language); });
    QObject::connect(item, &QAction::triggered, item, [language] {
      rememberLanguage(language);
      if (language != interfaceLanguage()) applyLanguage(language);
    });
  }
}
