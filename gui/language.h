// The language of the interface.  Japanese is the program's first language:
// its texts are the source texts of the translations, and the windows show
// them unchanged while Japanese is chosen.  English comes from the program's
// translation file (ui/translations/whirlpane_en.ts, built into the program),
// the toolkit's own texts are then its English ones, and the interface font
// is the platform's default.
//
// A choice in the menu takes effect at once: the open windows set their texts
// again when the translation changes (QEvent::LanguageChange).  It is
// remembered in the program's settings for the next start; the command line
// chooses for one start (--lang en, --lang ja).
#pragma once

#include "core/messages.h"

#include <QString>
#include <QStringList>

class QMenu;
class TranslatedTexts;

// The language the interface speaks now.
Language interfaceLanguage();

// The interface text for one of the program's Japanese texts (UTF-8): the text
// itself in Japanese, its translation in English.  A Japanese text that means
// two things names the one meant in `use` (the translation's comment).
QString uiText(const char* japanese, const char* use = nullptr);

// Makes a language the interface's: the program's translation, the toolkit's
// own texts and the application font.  Open windows receive a
// QEvent::LanguageChange and translate their texts again.
void applyLanguage(Language language);

// The language of this start: --lang en / --lang ja on the command line,
// otherwise the remembered choice, otherwise Japanese.  An unknown value is
// reported on the standard error and ignored.
Language startLanguage(const QStringList& arguments);

// The choice remembered for the next start.
Language rememberedLanguage();
void rememberLanguage(Language language);

// Adds the items that choose the interface's language to a menu, one per
// language, each named in its own language ("日本語", "English") so that a
// reader of it finds it whatever the interface speaks now; the language
// spoken now is checked (kept so by texts, the menu's window's texts).
// Choosing one applies it at once and remembers it for the next start.
void addLanguageItems(QMenu* menu, TranslatedTexts& texts);
